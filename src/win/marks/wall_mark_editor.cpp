#include "win/marks/wall_mark_editor.h"

#include <commctrl.h>
#include <commdlg.h>

#include <string>

#include "resource.h"
#include "win/app/dialog_items.h"
#include "win/platform/text.h"

namespace tav::win {

namespace {

using wall_edit::Colour;
using wall_edit::Mark;

constexpr int windowWidth = 336;
constexpr int windowHeight = 284;
// A combo box's height includes its drop-down list: room for all thirteen shapes.
constexpr int shapeListHeight = 22 + 13 * 18;
constexpr ControlPlace places[] = {
    {IDC_TITLE, 2, 2, 326, 18},
    {IDC_CLOSE, 312, 3, 15, 15},
    {IDC_WALLMARK_LINE_GROUP, 9, 28, 180, 66},
    {IDC_WALLMARK_LINE_ON, 30, 49, 54, 16},
    {IDC_WALLMARK_LINE_OFF, 30, 70, 81, 16},
    {IDC_WALLMARK_COLOUR_GROUP, 133, 38, 44, 51},
    {IDC_WALLMARK_LINE_SWATCH, 141, 55, 28, 28},
    {IDC_WALLMARK_PREVIEW_GROUP, 221, 28, 100, 66},
    {IDC_WALLMARK_PREVIEW, 241, 53, 60, 29},
    {IDC_WALLMARK_BACK_GROUP, 9, 99, 312, 66},
    {IDC_WALLMARK_BACK_SHAPE, 23, 126, 152, shapeListHeight},
    {IDC_WALLMARK_BACK_FRAME_GROUP, 186, 110, 60, 51},
    {IDC_WALLMARK_BACK_FILL_GROUP, 252, 110, 60, 51},
    {IDC_WALLMARK_BACK_FRAME_CHECK, 194, 135, 13, 13},
    {IDC_WALLMARK_BACK_FRAME_SWATCH, 210, 127, 28, 28},
    {IDC_WALLMARK_BACK_FILL_CHECK, 260, 135, 13, 13},
    {IDC_WALLMARK_BACK_FILL_SWATCH, 276, 127, 28, 28},
    {IDC_WALLMARK_FRONT_GROUP, 9, 170, 312, 66},
    {IDC_WALLMARK_FRONT_SHAPE, 23, 197, 152, shapeListHeight},
    {IDC_WALLMARK_FRONT_FRAME_GROUP, 186, 181, 60, 51},
    {IDC_WALLMARK_FRONT_FILL_GROUP, 252, 181, 60, 51},
    {IDC_WALLMARK_FRONT_FRAME_CHECK, 194, 206, 13, 13},
    {IDC_WALLMARK_FRONT_FRAME_SWATCH, 210, 198, 28, 28},
    {IDC_WALLMARK_FRONT_FILL_CHECK, 260, 206, 13, 13},
    {IDC_WALLMARK_FRONT_FILL_SWATCH, 276, 198, 28, 28},
    {IDC_WALLMARK_HISTORY, 9, 246, 42, 23},
    {IDOK, 160, 246, 70, 23},
    {IDCANCEL, 251, 246, 70, 23},
};
// The selection field of a shape list: 22 pixels with the combo box's 3-pixel edges.
constexpr int shapeFieldHeight = 22 - 6;

// The five colours in swatch order, with the box that switches each (the line has its radios instead).
struct ColourControls {
    Colour colour;
    int swatchId;
    int checkId;
};
constexpr ColourControls colourControls[] = {
    {Colour::line, IDC_WALLMARK_LINE_SWATCH, 0},
    {Colour::backFrame, IDC_WALLMARK_BACK_FRAME_SWATCH, IDC_WALLMARK_BACK_FRAME_CHECK},
    {Colour::backFill, IDC_WALLMARK_BACK_FILL_SWATCH, IDC_WALLMARK_BACK_FILL_CHECK},
    {Colour::frontFrame, IDC_WALLMARK_FRONT_FRAME_SWATCH, IDC_WALLMARK_FRONT_FRAME_CHECK},
    {Colour::frontFill, IDC_WALLMARK_FRONT_FILL_SWATCH, IDC_WALLMARK_FRONT_FILL_CHECK},
};

struct ShapeList {
    Mark mark;
    int id;
};
constexpr ShapeList shapeLists[] = {{Mark::back, IDC_WALLMARK_BACK_SHAPE},
                                    {Mark::front, IDC_WALLMARK_FRONT_SHAPE}};

const ColourControls* controlsOf(int id) {
    for (const ColourControls& each : colourControls)
        if (each.swatchId == id || (each.checkId != 0 && each.checkId == id))
            return &each;
    return nullptr;
}

} // namespace

WallMarkEditor::WallMarkEditor(DrawingResourceCache& cache, WallHistoryHooks hooks)
    : DialogFrame(IDD_WALL_MARK_EDITOR), cache_(cache), hooks_(std::move(hooks)), preview_(cache) {
    for (auto& each : swatches_)
        each = std::make_unique<ColourSwatch>(cache_);
    customColours_.fill(RGB(255, 255, 255));
    // The shape lists are image combo boxes, which the program's start does not register.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_USEREX_CLASSES};
    InitCommonControlsEx(&controls);
}

bool WallMarkEditor::onInitDialog() {
    HWND window = handle();
    placeControls(window, places);
    shapeWindow(windowWidth, windowHeight);
    paintOkAndCancel();
    historyButton_.attach(item(IDC_WALLMARK_HISTORY), 0x404040, 0xFFFFFF, 0x707070, 0xF1FBFF);
    EnableWindow(item(IDC_WALLMARK_HISTORY), hooks_.pick ? TRUE : FALSE);
    SendMessageW(window, DM_SETDEFID, IDOK, 0);

    const std::string swatchTip = narrow(resourceString(IDS_TIP_SWATCH));
    for (const ColourControls& each : colourControls) {
        ColourSwatch& control = swatch(each.colour);
        control.attach(item(each.swatchId));
        control.setHandCursor(true);
        addTooltip(each.swatchId, swatchTip);
    }
    preview_.attach(item(IDC_WALLMARK_PREVIEW));

    if (!shapeImages_)
        shapeImages_ = makeWallShapeImages(cache_);
    for (const ShapeList& list : shapeLists)
        fillShapeList(list.id);

    // Each run starts from the record set, the swatches from their own default.
    draft_ = {};
    draft_.load(record_);
    showDraft();
    // Focus reaching an unchecked automatic radio button checks it: start on the checked one.
    SetFocus(item(draft_.lineOn() ? IDC_WALLMARK_LINE_ON : IDC_WALLMARK_LINE_OFF));
    return false; // the focus is set
}

void WallMarkEditor::fillShapeList(int id) {
    HWND list = item(id);
    if (!list)
        return;
    SendMessageW(list, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(shapeImages_.get()));
    for (int code = 0; code < wall_edit::shapeCount; ++code) {
        std::wstring name = widen(wall_edit::shapeName(code));
        COMBOBOXEXITEMW entry{};
        entry.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        entry.iItem = code;
        entry.pszText = name.data();
        entry.iImage = code;
        entry.iSelectedImage = code;
        SendMessageW(list, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&entry));
    }
    SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), shapeFieldHeight);
}

void WallMarkEditor::showDraft() {
    HWND window = handle();
    CheckRadioButton(window, IDC_WALLMARK_LINE_ON, IDC_WALLMARK_LINE_OFF,
                     draft_.lineOn() ? IDC_WALLMARK_LINE_ON : IDC_WALLMARK_LINE_OFF);
    for (const ShapeList& list : shapeLists) {
        const int shape = draft_.shape(list.mark);
        if (SendMessageW(item(list.id), CB_GETCURSEL, 0, 0) != shape)
            SendMessageW(item(list.id), CB_SETCURSEL, static_cast<WPARAM>(shape), 0);
    }
    for (const ColourControls& each : colourControls) {
        const bool enabled = draft_.enabled(each.colour);
        ColourSwatch& control = swatch(each.colour);
        control.setColour(draft_.swatch(each.colour), true);
        if ((IsWindowEnabled(control.handle()) != FALSE) != enabled)
            control.enable(enabled);
        if (each.checkId != 0) {
            CheckDlgButton(window, each.checkId, draft_.checked(each.colour) ? BST_CHECKED : BST_UNCHECKED);
            EnableWindow(item(each.checkId), enabled ? TRUE : FALSE);
        }
    }
    preview_.setRecord(draft_.working());
}

void WallMarkEditor::chooseColour(Colour colour) {
    if (!draft_.enabled(colour))
        return;
    CHOOSECOLORW chooser{};
    chooser.lStructSize = sizeof(chooser);
    chooser.hwndOwner = handle();
    chooser.rgbResult = draft_.swatch(colour);
    chooser.lpCustColors = customColours_.data();
    chooser.Flags = CC_RGBINIT | CC_FULLOPEN | CC_PREVENTFULLOPEN;
    if (!ChooseColorW(&chooser))
        return;
    draft_.setSwatch(colour, chooser.rgbResult);
    showDraft();
}

void WallMarkEditor::pickFromHistory() {
    if (!hooks_.pick)
        return;
    const std::optional<WallMarkRecord> picked = hooks_.pick(handle());
    if (!picked)
        return;
    draft_.load(*picked);
    showDraft();
}

void WallMarkEditor::registerMark() {
    record_ = draft_.result();
    // A history that cannot take the mark says so itself; the mark is registered all the same.
    if (hooks_.add)
        hooks_.add(record_);
    end(IDOK);
}

bool WallMarkEditor::onCommand(int id, int code, HWND control) {
    switch (id) {
    case IDOK:
        registerMark();
        return true;
    case IDC_WALLMARK_HISTORY:
        if (code == BN_CLICKED)
            pickFromHistory();
        return true;
    case IDC_WALLMARK_LINE_ON:
    case IDC_WALLMARK_LINE_OFF:
        if (code == BN_CLICKED) {
            draft_.setLine(id == IDC_WALLMARK_LINE_ON);
            showDraft();
        }
        return true;
    default:
        break;
    }
    for (const ShapeList& list : shapeLists) {
        if (id != list.id)
            continue;
        if (code == CBN_SELCHANGE) {
            const LRESULT selected = SendMessageW(item(id), CB_GETCURSEL, 0, 0);
            draft_.setShape(list.mark, selected == CB_ERR ? 0 : static_cast<int>(selected));
            showDraft();
        }
        return true;
    }
    if (const ColourControls* controls = controlsOf(id)) {
        if (id == controls->swatchId && code == STN_CLICKED) {
            chooseColour(controls->colour);
        } else if (id == controls->checkId && code == BN_CLICKED) {
            draft_.setChecked(controls->colour, IsDlgButtonChecked(handle(), id) == BST_CHECKED);
            showDraft();
        }
        return true;
    }
    return DialogFrame::onCommand(id, code, control);
}

INT_PTR WallMarkEditor::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM && historyButton_.draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
        return TRUE;
    return DialogFrame::handleMessage(message, wParam, lParam);
}

std::optional<WallMarkRecord> editWallMark(HWND owner, const WallMarkRecord& start,
                                           DrawingResourceCache& cache, const WallHistoryHooks& hooks) {
    WallMarkEditor editor(cache, hooks);
    editor.setRecord(start);
    if (editor.runModal(owner) != IDOK)
        return std::nullopt;
    return editor.record();
}

} // namespace tav::win
