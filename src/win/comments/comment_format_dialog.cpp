#include "win/comments/comment_format_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/app/settings_entries.h"
#include "model/document/map_document.h"
#include "model/marks/background_candidate_edit.h"
#include "resource.h"
#include "win/app/dialog_items.h"
#include "win/app/dialog_page.h"
#include "win/app/map_scroll_bars.h"
#include "win/comments/comment_drawing.h"
#include "win/comments/font_list.h"
#include "win/platform/handles.h"
#include "win/platform/text.h"
#include "win/view/colour_swatch.h"

namespace tav::win {

namespace {

using comment_format::Draft;

constexpr int windowWidth = 348;
constexpr int windowHeight = 322;
constexpr int pageWidth = 324;
constexpr int pageHeight = 224;

constexpr ControlPlace framePlaces[] = {
    {IDC_TITLE, 0, 0, windowWidth, 20},
    {IDC_CLOSE, windowWidth - 22, 3, 18, 14},
    {IDC_COMMENT_FORMAT_TABS, 8, 26, windowWidth - 16, 256},
    {IDOK, 178, 290, 78, 24},
    {IDCANCEL, 262, 290, 78, 24},
};

constexpr ControlPlace fontPlaces[] = {
    {IDC_CFONT_FACE_LABEL, 10, 6, 150, 14},      {IDC_CFONT_FACE, 10, 22, 164, 130},
    {IDC_CFONT_STYLE_LABEL, 182, 6, 70, 14},     {IDC_CFONT_STYLE, 182, 22, 76, 130},
    {IDC_CFONT_SIZE_LABEL, 266, 6, 50, 14},      {IDC_CFONT_SIZE, 266, 22, 50, 130},
    {IDC_CFONT_COLOUR_LABEL, 10, 163, 24, 14},   {IDC_CFONT_COLOUR, 36, 159, 22, 22},
    {IDC_CFONT_UNDERLINE, 80, 161, 70, 18},      {IDC_CFONT_STRIKE, 160, 161, 100, 18},
    {IDC_CFONT_PREVIEW_GROUP, 10, 184, 306, 38}, {IDC_CFONT_PREVIEW, 18, 198, 290, 20},
};

constexpr ControlPlace lookPlaces[] = {
    {IDC_CLOOK_FRAME_LABEL, 10, 12, 40, 14},    {IDC_CLOOK_FRAME_COLOUR, 52, 8, 24, 24},
    {IDC_CLOOK_BACK_LABEL, 90, 12, 40, 14},     {IDC_CLOOK_BACK_COLOUR, 132, 8, 24, 24},
    {IDC_CLOOK_RED_LABEL, 10, 46, 20, 14},      {IDC_CLOOK_RED_BAR, 32, 44, 104, 17},
    {IDC_CLOOK_RED_VALUE, 142, 46, 28, 14},     {IDC_CLOOK_GREEN_LABEL, 10, 70, 20, 14},
    {IDC_CLOOK_GREEN_BAR, 32, 68, 104, 17},     {IDC_CLOOK_GREEN_VALUE, 142, 70, 28, 14},
    {IDC_CLOOK_BLUE_LABEL, 10, 94, 20, 14},     {IDC_CLOOK_BLUE_BAR, 32, 92, 104, 17},
    {IDC_CLOOK_BLUE_VALUE, 142, 94, 28, 14},    {IDC_CLOOK_FRAME_STYLE_LABEL, 10, 130, 72, 14},
    {IDC_CLOOK_FRAME_STYLE, 84, 126, 92, 200},  {IDC_CLOOK_ANCHOR_STYLE_LABEL, 10, 160, 72, 14},
    {IDC_CLOOK_ANCHOR_STYLE, 84, 156, 92, 200}, {IDC_CLOOK_PREVIEW_GROUP, 184, 4, 132, 214},
    {IDC_CLOOK_PREVIEW, 192, 22, 116, 188},
};

constexpr ControlPlace placePlaces[] = {
    {IDC_CPLACE_AREA_GROUP, 10, 4, 148, 126},
    {IDC_CPLACE_X_LABEL, 20, 26, 50, 14},
    {IDC_CPLACE_X, 72, 22, 56, 20},
    {IDC_CPLACE_X_SPIN, 128, 22, 18, 20},
    {IDC_CPLACE_Y_LABEL, 20, 52, 50, 14},
    {IDC_CPLACE_Y, 72, 48, 56, 20},
    {IDC_CPLACE_Y_SPIN, 128, 48, 18, 20},
    {IDC_CPLACE_WIDTH_LABEL, 20, 78, 50, 14},
    {IDC_CPLACE_WIDTH, 72, 74, 56, 20},
    {IDC_CPLACE_WIDTH_SPIN, 128, 74, 18, 20},
    {IDC_CPLACE_HEIGHT_LABEL, 20, 104, 50, 14},
    {IDC_CPLACE_HEIGHT, 72, 100, 56, 20},
    {IDC_CPLACE_HEIGHT_SPIN, 128, 100, 18, 20},
    {IDC_CPLACE_ANCHOR_GROUP, 166, 4, 150, 74},
    {IDC_CPLACE_ANCHOR_X_LABEL, 176, 26, 50, 14},
    {IDC_CPLACE_ANCHOR_X, 228, 22, 56, 20},
    {IDC_CPLACE_ANCHOR_X_SPIN, 284, 22, 18, 20},
    {IDC_CPLACE_ANCHOR_Y_LABEL, 176, 52, 50, 14},
    {IDC_CPLACE_ANCHOR_Y, 228, 48, 56, 20},
    {IDC_CPLACE_ANCHOR_Y_SPIN, 284, 48, 18, 20},
    {IDC_CPLACE_TEXT_GROUP, 10, 138, 306, 80},
    {IDC_CPLACE_HORIZONTAL_LABEL, 20, 164, 56, 14},
    {IDC_CPLACE_HORIZONTAL, 78, 160, 80, 200},
    {IDC_CPLACE_VERTICAL_LABEL, 168, 164, 56, 14},
    {IDC_CPLACE_VERTICAL, 226, 160, 80, 200},
};

constexpr const char* styleNames[] = {"標準", "斜体", "太字", "太字 斜体"};
constexpr const char* frameStyleNames[] = {"四角形", "角丸四角形", "円", "フレーム無し"};
constexpr const char* anchorStyleNames[] = {"円", "四角", "終点模様無し", "線無し"};
constexpr const char* horizontalNames[] = {"左詰め", "中央揃え", "右詰め"};
constexpr const char* verticalNames[] = {"上詰め", "中央揃え", "下詰め"};

template <std::size_t N> void addItems(HWND combo, const char* const (&names)[N]) {
    for (const char* name : names)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(name).c_str()));
}

std::wstring listText(HWND combo, LRESULT index) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// The list position whose text is exactly this, case included; -1 for none.
int exactItem(HWND combo, const std::wstring& text) {
    const auto count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (listText(combo, i) == text)
            return i;
    return -1;
}

int selection(HWND combo) {
    return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

// A static painted by its owner's function.
class PaintedStatic {
public:
    using Painter = std::function<void(HDC, const RECT&)>;
    explicit PaintedStatic(Painter painter) : painter_(std::move(painter)) {}
    ~PaintedStatic() {
        if (control_)
            RemoveWindowSubclass(control_, &PaintedStatic::procedure, 0);
    }
    PaintedStatic(const PaintedStatic&) = delete;
    PaintedStatic& operator=(const PaintedStatic&) = delete;
    void attach(HWND control) {
        if (control &&
            SetWindowSubclass(control, &PaintedStatic::procedure, 0, reinterpret_cast<DWORD_PTR>(this)))
            control_ = control;
    }
    void repaint() const {
        if (control_)
            InvalidateRect(control_, nullptr, FALSE);
    }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data) {
        auto* self = reinterpret_cast<PaintedStatic*>(data);
        switch (message) {
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, &PaintedStatic::procedure, 0);
            self->control_ = nullptr;
            break;
        case WM_ERASEBKGND:
            return 1; // the painter covers every pixel
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            if (HDC dc = BeginPaint(window, &ps)) {
                RECT client{};
                GetClientRect(window, &client);
                self->painter_(dc, client);
            }
            EndPaint(window, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client{};
            GetClientRect(window, &client);
            self->painter_(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        default:
            break;
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }

    Painter painter_;
    HWND control_ = nullptr;
};

std::optional<COLORREF> chooseColour(HWND owner, COLORREF start) {
    static std::array<COLORREF, 16> custom{};
    CHOOSECOLORW chooser{};
    chooser.lStructSize = sizeof(chooser);
    chooser.hwndOwner = owner;
    chooser.rgbResult = start;
    chooser.lpCustColors = custom.data();
    chooser.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&chooser))
        return std::nullopt;
    return chooser.rgbResult & 0xFFFFFF;
}

// ---- font page ----

class FontPage : public DialogPage {
public:
    FontPage(Draft& draft, DrawingResourceCache& cache)
        : DialogPage(IDD_COMMENT_FONT_PAGE), draft_(draft), swatch_(cache),
          preview_([this](HDC dc, const RECT& r) { paintPreview(dc, r); }) {}

    int previewHeight() const { return previewHeight_; }
    // Face and size as the page shows them; a face typed but not listed keeps the stored one.
    void collect() {
        HWND faces = item(IDC_CFONT_FACE);
        const int chosen = selection(faces);
        if (chosen >= 0) {
            draft_.format.charset = charsetOf(chosen);
            draft_.format.face = narrow(listText(faces, chosen));
        }
        draft_.format.pointSize =
            comment_format::storedPointSize(itemText(handle(), IDC_CFONT_SIZE), draft_.format.pointSize);
    }

protected:
    bool onInitDialog() override {
        HWND window = handle();
        placeControls(window, fontPlaces);
        HWND faces = item(IDC_CFONT_FACE);
        std::vector<comment_format::FontFace> list;
        buildFontList(list);
        for (const auto& face : list) {
            const auto at =
                SendMessageW(faces, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(face.name).c_str()));
            if (at >= 0)
                SendMessageW(faces, CB_SETITEMDATA, static_cast<WPARAM>(at), face.charset);
        }
        SendMessageW(faces, CB_SETCURSEL, static_cast<WPARAM>(exactItem(faces, widen(draft_.format.face))),
                     0);

        HWND styles = item(IDC_CFONT_STYLE);
        addItems(styles, styleNames);
        SendMessageW(styles, CB_SETCURSEL,
                     static_cast<WPARAM>(comment_format::styleIndex(draft_.format.styleFlags)), 0);
        // The style list is a choice, not a field to type in.
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        if (GetComboBoxInfo(styles, &info) && info.hwndItem)
            SendMessageW(info.hwndItem, EM_SETREADONLY, TRUE, 0);

        HWND sizes = item(IDC_CFONT_SIZE);
        for (int size : comment_format::listedSizes)
            SendMessageW(sizes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(size).c_str()));
        const std::wstring size = std::to_wstring(draft_.format.pointSize);
        const int listed = exactItem(sizes, size);
        if (listed >= 0)
            SendMessageW(sizes, CB_SETCURSEL, static_cast<WPARAM>(listed), 0);
        else
            SetWindowTextW(sizes, size.c_str());

        swatch_.attach(item(IDC_CFONT_COLOUR));
        swatch_.setColour(draft_.format.textColour, false);
        swatch_.setInputFlags(swatch_input::enter | swatch_input::space);
        swatch_.setHandCursor(true);
        CheckDlgButton(window, IDC_CFONT_UNDERLINE,
                       (draft_.format.styleFlags & comment::style::underline) ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(window, IDC_CFONT_STRIKE,
                       (draft_.format.styleFlags & comment::style::strikeOut) ? BST_CHECKED : BST_UNCHECKED);
        preview_.attach(item(IDC_CFONT_PREVIEW));
        updatePreview(itemText(window, IDC_CFONT_SIZE));
        return DialogPage::onInitDialog();
    }

    bool onCommand(int id, int code, HWND control) override {
        switch (id) {
        case IDC_CFONT_FACE:
            if (code == CBN_EDITCHANGE)
                followTypedFace();
            if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE)
                updatePreview(itemText(handle(), IDC_CFONT_SIZE));
            return true;
        case IDC_CFONT_STYLE:
            if (code == CBN_SELCHANGE) {
                draft_.format.styleFlags =
                    comment_format::withStyleIndex(draft_.format.styleFlags, selection(control));
                updatePreview(itemText(handle(), IDC_CFONT_SIZE));
            }
            return true;
        case IDC_CFONT_SIZE:
            // On a choice from the list the field may not show it yet.
            if (code == CBN_SELCHANGE)
                updatePreview(narrow(listText(control, selection(control))));
            else if (code == CBN_EDITCHANGE)
                updatePreview(itemText(handle(), IDC_CFONT_SIZE));
            return true;
        case IDC_CFONT_UNDERLINE:
        case IDC_CFONT_STRIKE:
            if (code == BN_CLICKED) {
                const std::uint8_t bit =
                    id == IDC_CFONT_UNDERLINE ? comment::style::underline : comment::style::strikeOut;
                const bool on = IsDlgButtonChecked(handle(), id) == BST_CHECKED;
                draft_.format.styleFlags = static_cast<std::uint8_t>(on ? draft_.format.styleFlags | bit
                                                                        : draft_.format.styleFlags & ~bit);
                updatePreview(itemText(handle(), IDC_CFONT_SIZE));
            }
            return true;
        case IDC_CFONT_COLOUR:
            if (code == STN_CLICKED)
                pickColour();
            return true;
        default:
            return DialogPage::onCommand(id, code, control);
        }
    }

    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == swatch_message::key && reinterpret_cast<HWND>(lParam) == swatch_.handle()) {
            pickColour();
            return TRUE;
        }
        return DialogPage::handleMessage(message, wParam, lParam);
    }

    void onDestroy() override {
        swatch_.detach();
        previewFont_.reset();
        DialogPage::onDestroy();
    }

private:
    // A face is listed with the first character set found for it; the stored face keeps its own, so that
    // OK alone never turns Shift-JIS text into another set.
    std::uint8_t charsetOf(int position) {
        HWND faces = item(IDC_CFONT_FACE);
        if (narrow(listText(faces, position)) == draft_.format.face)
            return draft_.format.charset;
        return static_cast<std::uint8_t>(
            SendMessageW(faces, CB_GETITEMDATA, static_cast<WPARAM>(position), 0));
    }

    // The face a typed name begins is chosen; otherwise nothing is, and the list shows where the name
    // would stand. The field keeps what was typed.
    void followTypedFace() {
        HWND faces = item(IDC_CFONT_FACE);
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        if (!GetComboBoxInfo(faces, &info) || !info.hwndList)
            return;
        const std::string typed = itemText(handle(), IDC_CFONT_FACE);
        int found = -1;
        if (!typed.empty())
            found = static_cast<int>(SendMessageW(faces, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                                  reinterpret_cast<LPARAM>(widen(typed).c_str())));
        int closest = found;
        const auto count = static_cast<int>(SendMessageW(faces, CB_GETCOUNT, 0, 0));
        for (int i = 0; closest < 0 && !typed.empty() && i < count; ++i)
            if (comment_format::compareFaceNames(narrow(listText(faces, i)), typed) >= 0)
                closest = i;
        SendMessageW(info.hwndList, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
        if (closest >= 0)
            SendMessageW(info.hwndList, LB_SETTOPINDEX, static_cast<WPARAM>(closest), 0);
    }

    void pickColour() {
        if (const auto chosen = chooseColour(handle(), draft_.format.textColour & 0xFFFFFF)) {
            draft_.format.textColour = *chosen;
            swatch_.setColour(*chosen, true);
            updatePreview(itemText(handle(), IDC_CFONT_SIZE));
        }
    }

    void updatePreview(const std::string& sizeText) {
        previewFont_.reset();
        previewHeight_ = 0;
        previewText_.clear();
        HWND faces = item(IDC_CFONT_FACE);
        const int chosen = selection(faces);
        const std::optional<int> height = comment_format::previewHeight(sizeText);
        if (chosen >= 0 && height) {
            const std::uint8_t charset = charsetOf(chosen);
            const std::uint8_t flags = draft_.format.styleFlags;
            LOGFONTW lf{};
            lf.lfHeight = *height; // a cell height, not a character height
            lf.lfWeight = (flags & comment::style::bold) ? FW_BOLD : FW_DONTCARE;
            lf.lfItalic = (flags & comment::style::italic) != 0;
            lf.lfUnderline = (flags & comment::style::underline) != 0;
            lf.lfStrikeOut = (flags & comment::style::strikeOut) != 0;
            lf.lfCharSet = charset;
            const std::wstring face = listText(faces, chosen);
            face.copy(lf.lfFaceName, std::size(lf.lfFaceName) - 1);
            previewFont_.reset(CreateFontIndirectW(&lf));
            if (previewFont_) {
                previewHeight_ = *height;
                previewText_ = widen(comment_format::previewSample(charset));
            }
        }
        preview_.repaint();
    }

    void paintPreview(HDC dc, const RECT& r) {
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        if (!previewFont_ || previewText_.empty())
            return;
        SelectObjectScope font(dc, previewFont_.get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, draft_.format.textColour & 0xFFFFFF);
        RECT place = r;
        DrawTextW(dc, previewText_.c_str(), static_cast<int>(previewText_.size()), &place,
                  DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP);
    }

    Draft& draft_;
    ColourSwatch swatch_;
    PaintedStatic preview_;
    Font previewFont_;
    int previewHeight_ = 0;
    std::wstring previewText_;
};

// ---- appearance page ----

class LookPage : public DialogPage {
public:
    LookPage(Draft& draft, DrawingResourceCache& cache)
        : DialogPage(IDD_COMMENT_LOOK_PAGE), draft_(draft), cache_(cache), frameSwatch_(cache),
          backSwatch_(cache), preview_([this](HDC dc, const RECT& r) {
              drawCommentSample(dc, r, draft_.format, cache_, fonts_);
          }) {}

protected:
    bool onInitDialog() override {
        placeControls(handle(), lookPlaces);
        for (ColourSwatch* swatch : {&frameSwatch_, &backSwatch_}) {
            swatch->attach(item(swatch == &frameSwatch_ ? IDC_CLOOK_FRAME_COLOUR : IDC_CLOOK_BACK_COLOUR));
            swatch->setInputFlags(swatch_input::enter | swatch_input::space);
            swatch->setHandCursor(true);
        }
        frameSwatch_.setColour(draft_.format.frameColour, false);
        backSwatch_.setColour(draft_.format.backgroundColour, false);
        for (const Bar& bar : bars)
            SetScrollRange(item(bar.barId), SB_CTL, 0, candidate::componentMaximum, FALSE);
        HWND frames = item(IDC_CLOOK_FRAME_STYLE);
        addItems(frames, frameStyleNames);
        SendMessageW(frames, CB_SETCURSEL, draft_.format.frameStyle, 0);
        HWND anchors = item(IDC_CLOOK_ANCHOR_STYLE);
        addItems(anchors, anchorStyleNames);
        SendMessageW(anchors, CB_SETCURSEL, draft_.format.anchorStyle, 0);
        preview_.attach(item(IDC_CLOOK_PREVIEW));
        target(true);
        return DialogPage::onInitDialog();
    }

    bool onCommand(int id, int code, HWND control) override {
        switch (id) {
        case IDC_CLOOK_FRAME_COLOUR:
        case IDC_CLOOK_BACK_COLOUR:
            if (code == STN_CLICKED)
                target(id == IDC_CLOOK_FRAME_COLOUR);
            return true;
        case IDC_CLOOK_FRAME_STYLE:
        case IDC_CLOOK_ANCHOR_STYLE:
            if (code == CBN_SELCHANGE) {
                const int chosen = selection(control);
                if (chosen >= 0) {
                    (id == IDC_CLOOK_FRAME_STYLE ? draft_.format.frameStyle : draft_.format.anchorStyle) =
                        static_cast<std::uint8_t>(chosen);
                    preview_.repaint();
                }
            }
            return true;
        default:
            return DialogPage::onCommand(id, code, control);
        }
    }

    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_HSCROLL:
            if (lParam)
                scroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case swatch_message::key: {
            const auto swatch = reinterpret_cast<HWND>(lParam);
            if (swatch == frameSwatch_.handle() || swatch == backSwatch_.handle())
                target(swatch == frameSwatch_.handle());
            return TRUE;
        }
        case WM_SHOWWINDOW:
            // The text colour may have changed on the font page.
            if (wParam)
                preview_.repaint();
            break;
        default:
            break;
        }
        return DialogPage::handleMessage(message, wParam, lParam);
    }

    void onDestroy() override {
        frameSwatch_.detach();
        backSwatch_.detach();
        DialogPage::onDestroy();
    }

private:
    struct Bar {
        candidate::Component component;
        int barId;
        int valueId;
    };
    static constexpr std::array<Bar, 3> bars = {{
        {candidate::Component::red, IDC_CLOOK_RED_BAR, IDC_CLOOK_RED_VALUE},
        {candidate::Component::green, IDC_CLOOK_GREEN_BAR, IDC_CLOOK_GREEN_VALUE},
        {candidate::Component::blue, IDC_CLOOK_BLUE_BAR, IDC_CLOOK_BLUE_VALUE},
    }};

    std::uint32_t& targetColour() {
        return frameTarget_ ? draft_.format.frameColour : draft_.format.backgroundColour;
    }

    void target(bool frame) {
        frameTarget_ = frame;
        frameSwatch_.setMarker(frame ? ColourSwatch::selected : ColourSwatch::noMarker);
        backSwatch_.setMarker(frame ? ColourSwatch::noMarker : ColourSwatch::selected);
        // "No colour" shows as black until a component is changed.
        const std::uint32_t colour = candidate::colourOf(targetColour());
        for (const Bar& bar : bars) {
            const int value = candidate::component(colour, bar.component);
            SetScrollPos(item(bar.barId), SB_CTL, value, TRUE);
            SetDlgItemTextW(handle(), bar.valueId, std::to_wstring(value).c_str());
        }
    }

    void scroll(HWND barWindow, int code, int thumb) {
        const Bar* bar = nullptr;
        for (const Bar& each : bars)
            if (item(each.barId) == barWindow)
                bar = &each;
        const std::optional<scroll::Move> move = MapScrollBars::moveOf(code);
        if (!bar || !move)
            return;
        const int value = candidate::scrolledComponent(GetScrollPos(barWindow, SB_CTL), *move, thumb);
        SetScrollPos(barWindow, SB_CTL, value, TRUE);
        SetDlgItemTextW(handle(), bar->valueId, std::to_wstring(value).c_str());
        // An edited colour is a colour: "none" goes.
        std::uint32_t& colour = targetColour();
        colour =
            candidate::colourOf(candidate::withComponent(candidate::colourOf(colour), bar->component, value));
        (frameTarget_ ? frameSwatch_ : backSwatch_).setColour(colour, true);
        preview_.repaint();
    }

    Draft& draft_;
    DrawingResourceCache& cache_;
    CommentFontCache fonts_;
    ColourSwatch frameSwatch_;
    ColourSwatch backSwatch_;
    PaintedStatic preview_;
    bool frameTarget_ = true;
};

// ---- placement page ----

class PlacePage : public DialogPage {
public:
    explicit PlacePage(Draft& draft) : DialogPage(IDD_COMMENT_PLACE_PAGE), draft_(draft) {}

    // The numbers typed, each kept to its range; text that is no number keeps the value it replaced.
    void collect() {
        comment_format::Placement& p = draft_.placement;
        for (const Field& field : fields()) {
            int& value = p.*field.value;
            value = entries::numberIn(itemText(handle(), field.editId), (draft_.ranges.*field.range).lowest,
                                      (draft_.ranges.*field.range).highest, value);
        }
        p = comment_format::clamped(p, draft_.ranges);
    }

protected:
    bool onInitDialog() override {
        placeControls(handle(), placePlaces);
        const comment_format::Placement p = comment_format::clamped(draft_.placement, draft_.ranges);
        for (const Field& field : fields()) {
            const comment_format::Range& range = draft_.ranges.*field.range;
            SendMessageW(item(field.editId), EM_LIMITTEXT, 5, 0);
            setUpSpin(handle(), field.editId - IDC_CPLACE_X + IDC_CPLACE_X_SPIN, field.editId, range.lowest,
                      range.highest, p.*field.value);
        }
        HWND horizontal = item(IDC_CPLACE_HORIZONTAL);
        addItems(horizontal, horizontalNames);
        SendMessageW(horizontal, CB_SETCURSEL, draft_.format.alignment & 0x0F, 0);
        HWND vertical = item(IDC_CPLACE_VERTICAL);
        addItems(vertical, verticalNames);
        SendMessageW(vertical, CB_SETCURSEL, draft_.format.alignment >> 4, 0);
        return DialogPage::onInitDialog();
    }

    bool onCommand(int id, int code, HWND control) override {
        if ((id == IDC_CPLACE_HORIZONTAL || id == IDC_CPLACE_VERTICAL) && code == CBN_SELCHANGE) {
            const int chosen = selection(control);
            if (chosen >= 0) {
                const int h = id == IDC_CPLACE_HORIZONTAL ? chosen : draft_.format.alignment & 0x0F;
                const int v = id == IDC_CPLACE_VERTICAL ? chosen : draft_.format.alignment >> 4;
                draft_.format.alignment = comment_format::alignmentByte(h, v);
            }
            return true;
        }
        return DialogPage::onCommand(id, code, control);
    }

private:
    struct Field {
        int editId;
        int comment_format::Placement::*value;
        comment_format::Range comment_format::PlacementRanges::*range;
    };
    static std::array<Field, 6> fields() {
        using P = comment_format::Placement;
        using R = comment_format::PlacementRanges;
        return {{{IDC_CPLACE_X, &P::x, &R::x},
                 {IDC_CPLACE_Y, &P::y, &R::y},
                 {IDC_CPLACE_WIDTH, &P::width, &R::width},
                 {IDC_CPLACE_HEIGHT, &P::height, &R::height},
                 {IDC_CPLACE_ANCHOR_X, &P::anchorX, &R::anchorX},
                 {IDC_CPLACE_ANCHOR_Y, &P::anchorY, &R::anchorY}}};
    }

    Draft& draft_;
};

} // namespace

struct CommentFormatDialog::Pages {
    Pages(Draft& draft, DrawingResourceCache& cache) : font(draft, cache), look(draft, cache), place(draft) {}
    FontPage font;
    LookPage look;
    PlacePage place;
};

CommentFormatDialog::CommentFormatDialog(Draft& draft, DrawingResourceCache& cache)
    : DialogFrame(IDD_COMMENT_FORMAT), draft_(draft), original_(draft),
      pages_(std::make_unique<Pages>(draft, cache)) {}

CommentFormatDialog::~CommentFormatDialog() = default;

HWND CommentFormatDialog::page(Page which) const {
    switch (which) {
    case fontPage:
        return pages_->font.handle();
    case lookPage:
        return pages_->look.handle();
    default:
        return pages_->place.handle();
    }
}

int CommentFormatDialog::previewHeight() const {
    return pages_->font.previewHeight();
}

bool CommentFormatDialog::onInitDialog() {
    // A new run starts from the copy as it came, whatever an earlier run did.
    draft_ = original_;
    placeControls(handle(), framePlaces);
    shapeWindow(windowWidth, windowHeight);
    paintOkAndCancel();
    RECT place = addTabs(handle(), IDC_COMMENT_FORMAT_TABS, {"ﾌｫﾝﾄ", "外観", "配置"});
    place.right = place.left + pageWidth;
    place.bottom = place.top + pageHeight;
    if (!pages_->font.create(handle(), place) || !pages_->look.create(handle(), place) ||
        !pages_->place.create(handle(), place)) {
        end(-1);
        return true;
    }
    const std::wstring swatchTip = resourceString(IDS_TIP_SWATCH);
    addPageTooltip(pages_->font.handle(), IDC_CFONT_COLOUR, swatchTip);
    addPageTooltip(pages_->look.handle(), IDC_CLOOK_FRAME_COLOUR, swatchTip);
    addPageTooltip(pages_->look.handle(), IDC_CLOOK_BACK_COLOUR, swatchTip);
    showPage(0);
    return true;
}

void CommentFormatDialog::addPageTooltip(HWND page, int controlId, const std::wstring& text) {
    HWND control = GetDlgItem(page, controlId);
    if (!tooltip() || !control)
        return;
    std::wstring copy = text;
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = page;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = copy.data();
    SendMessageW(tooltip(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CommentFormatDialog::showPage(int index) {
    pages_->font.show(index == 0);
    pages_->look.show(index == 1);
    pages_->place.show(index == 2);
}

bool CommentFormatDialog::onCommand(int id, int code, HWND control) {
    if (id == IDOK) {
        pages_->font.collect();
        pages_->place.collect();
        end(IDOK);
        return true;
    }
    if (id == IDCANCEL || id == IDC_CLOSE)
        draft_ = original_;
    return DialogFrame::onCommand(id, code, control);
}

INT_PTR CommentFormatDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        if (const int tab = chosenTab(*reinterpret_cast<const NMHDR*>(lParam), IDC_COMMENT_FORMAT_TABS);
            tab >= 0) {
            showPage(tab);
            return TRUE;
        }
    }
    return DialogFrame::handleMessage(message, wParam, lParam);
}

bool editCommentFormat(MapDocument& document, CommentArea& area, HWND owner, DrawingResourceCache& cache) {
    Draft draft = comment_format::draftOf(area, document.width(), document.height());
    CommentFormatDialog dialog(draft, cache);
    if (dialog.runModal(owner) != IDOK)
        return false;
    const comment_format::Placement& p = draft.placement;
    return document.setCommentFormat(area, draft.format, comment_format::frameOf(p), {p.anchorX, p.anchorY});
}

} // namespace tav::win
