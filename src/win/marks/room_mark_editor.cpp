#include "win/marks/room_mark_editor.h"

#include <commdlg.h>

#include <string>
#include <utility>
#include <vector>

#include "resource.h"
#include "win/app/dialog_items.h"
#include "win/app/message_box.h"
#include "win/canvas/bitmap_file_import.h"
#include "win/marks/mark_colour.h"
#include "win/marks/room_picture_bitmaps.h"
#include "win/platform/text.h"

namespace tav::win {

namespace {

constexpr int windowWidth = 644;
constexpr int windowHeight = 400;
constexpr int swatchSide = 28;
constexpr int swatchPitch = 31;
constexpr int patternLeft = 19;
constexpr int patternTop = 48;
constexpr int toolTop = 254;

constexpr ControlPlace fixedPlaces[] = {
    {IDC_TITLE, 2, 2, 634, 18},
    {IDC_CLOSE, 620, 3, 15, 15},
    {IDC_ROOMMARK_PATTERN_GROUP, 9, 28, 140, 146},
    {IDC_ROOMMARK_SELECTED_LABEL, 9, 182, 70, 16},
    {IDC_ROOMMARK_LEFT_COLOUR, 19, 200, swatchSide, swatchSide},
    {IDC_ROOMMARK_RIGHT_COLOUR, 53, 200, swatchSide, swatchSide},
    {IDC_ROOMMARK_TRANSPARENT_LABEL, 89, 182, 60, 16},
    {IDC_ROOMMARK_TRANSPARENT_CHECK, 91, 208, 13, 13},
    {IDC_ROOMMARK_TRANSPARENT_COLOUR, 109, 200, swatchSide, swatchSide},
    {IDC_ROOMMARK_TOOL_GROUP, 9, 236, 140, 116},
    {IDC_ROOMMARK_OPTION_1, 19, 320, 59, 23},
    {IDC_ROOMMARK_OPTION_2, 81, 320, 59, 23},
    {IDC_ROOMMARK_NORMAL_CANVAS, 159, 28, 278, 278},
    {IDC_ROOMMARK_STATUS, 159, 312, 278, 18},
    {IDC_ROOMMARK_WIDE_CANVAS, 447, 28, 182, 182},
    {IDC_ROOMMARK_PREVIEW_GROUP, 447, 216, 182, 90},
    {IDC_ROOMMARK_NORMAL_PREVIEW, 465, 236, 60, 40},
    {IDC_ROOMMARK_NORMAL_LABEL, 465, 280, 60, 16},
    {IDC_ROOMMARK_WIDE_PREVIEW, 551, 236, 60, 40},
    {IDC_ROOMMARK_WIDE_LABEL, 551, 280, 60, 16},
    {IDC_ROOMMARK_STRETCH_TO_WIDE, 447, 312, 88, 23},
    {IDC_ROOMMARK_STRETCH_TO_NORMAL, 541, 312, 88, 23},
    {IDC_ROOMMARK_LOAD_IMAGE, 9, 364, 80, 23},
    {IDC_ROOMMARK_HISTORY, 95, 364, 54, 23},
    {IDOK, 447, 364, 88, 23},
    {IDCANCEL, 541, 364, 88, 23},
};

constexpr COLORREF previewBackground = 0xF1FBFF;
constexpr COLORREF activeLabelColour = 0xA0B8FF;
constexpr COLORREF inactiveLabelColour = 0xE1EBEF;
constexpr COLORREF labelText = 0x404040;
constexpr COLORREF lightText = 0xF1FBFF;

constexpr int canvasIds[] = {IDC_ROOMMARK_NORMAL_CANVAS, IDC_ROOMMARK_WIDE_CANVAS};
constexpr int previewIds[] = {IDC_ROOMMARK_NORMAL_PREVIEW, IDC_ROOMMARK_WIDE_PREVIEW};
constexpr int labelIds[] = {IDC_ROOMMARK_NORMAL_LABEL, IDC_ROOMMARK_WIDE_LABEL};

constexpr int toolCount = 8;
constexpr int rectangleTool = 4;
constexpr int circleTool = 5;
constexpr int selectionTool = 7;

struct Tip {
    int control;
    int text;
};
constexpr Tip tips[] = {
    {IDC_ROOMMARK_LEFT_COLOUR, IDS_TIP_LEFT_COLOUR},
    {IDC_ROOMMARK_RIGHT_COLOUR, IDS_TIP_RIGHT_COLOUR},
    {IDC_ROOMMARK_TRANSPARENT_COLOUR, IDS_TIP_TRANSPARENT_COLOUR},
    {IDC_ROOMMARK_LOAD_IMAGE, IDS_TIP_LOAD_IMAGE},
    {IDC_ROOMMARK_HISTORY, IDS_TIP_ROOM_HISTORY},
    {IDC_ROOMMARK_STRETCH_TO_WIDE, IDS_TIP_STRETCH_TO_WIDE},
    {IDC_ROOMMARK_STRETCH_TO_NORMAL, IDS_TIP_STRETCH_TO_NORMAL},
    {IDC_ROOMMARK_NORMAL_PREVIEW, IDS_TIP_NORMAL_PREVIEW},
    {IDC_ROOMMARK_WIDE_PREVIEW, IDS_TIP_WIDE_PREVIEW},
};

constexpr int plainButtons[] = {IDC_ROOMMARK_STRETCH_TO_WIDE, IDC_ROOMMARK_STRETCH_TO_NORMAL,
                                IDC_ROOMMARK_LOAD_IMAGE, IDC_ROOMMARK_HISTORY};

// Which picture a control shows: its canvas, preview or preview label; -1 for any other.
int pictureOf(int id) {
    for (int picture = 0; picture < 2; ++picture) {
        if (id == canvasIds[picture] || id == previewIds[picture] || id == labelIds[picture])
            return picture;
    }
    return -1;
}

template <int Side> void loadPicture(PixelCanvas& canvas, const RoomPicture<Side>& picture) {
    const Bitmap bitmap = pictureBitmap(picture);
    canvas.loadPicture(bitmap.get());
    const bool transparent = picture.transparent != noColour;
    if (transparent)
        canvas.setTransparentColour(markColour(picture.transparent));
    canvas.setTransparencyEnabled(transparent);
}

template <int Side> bool takePicture(PixelCanvas& canvas, RoomPicture<Side>& picture) {
    Bitmap copy;
    if (canvas.side() != Side || !canvas.copyPicture(copy) || !readPictureBitmap(copy.get(), picture))
        return false;
    picture.transparent = canvas.transparencyEnabled() ? canvas.transparentColour() : noColour;
    return true;
}

} // namespace

RoomMarkEditor::RoomMarkEditor(const RoomEditorContext& context, RoomHistoryHooks hooks)
    : DialogFrame(IDD_ROOM_MARK_EDITOR), context_(context), hooks_(std::move(hooks)) {
    for (auto& each : patternSwatches_)
        each = std::make_unique<ColourSwatch>(context_.cache);
    leftSwatch_ = std::make_unique<ColourSwatch>(context_.cache);
    rightSwatch_ = std::make_unique<ColourSwatch>(context_.cache);
    transparentSwatch_ = std::make_unique<ColourSwatch>(context_.cache);
    customColours_.fill(RGB(255, 255, 255));
}

bool RoomMarkEditor::onInitDialog() {
    std::vector<ControlPlace> places(std::begin(fixedPlaces), std::end(fixedPlaces));
    for (int i = 0; i < patternCount; ++i)
        places.push_back({IDC_ROOMMARK_PATTERN_1 + i, patternLeft + swatchPitch * (i % 4),
                          patternTop + swatchPitch * (i / 4), swatchSide, swatchSide});
    for (int i = 0; i < toolCount; ++i)
        places.push_back({IDC_ROOMMARK_TOOL_PENCIL + i, patternLeft + swatchPitch * (i % 4),
                          toolTop + swatchPitch * (i / 4), swatchSide, swatchSide});
    placeControls(handle(), places);
    shapeWindow(windowWidth, windowHeight);
    // On the desktop's middle, not on the narrow palette window that opens it.
    RECT desktop{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &desktop, 0))
        SetWindowPos(handle(), nullptr, desktop.left + (desktop.right - desktop.left - windowWidth) / 2,
                     desktop.top + (desktop.bottom - desktop.top - windowHeight) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    paintOkAndCancel();
    SendMessageW(handle(), DM_SETDEFID, IDOK, 0);
    pattern_ = config::readColourList(context_.settings);
    patternRead_ = true;
    activeLabel_.reset(CreateSolidBrush(activeLabelColour));
    inactiveLabel_.reset(CreateSolidBrush(inactiveLabelColour));

    // Without its canvases the dialog has nothing to edit.
    if (!createCanvases()) {
        end(IDCANCEL);
        return false;
    }
    setUpSwatches();
    setUpButtons();
    for (const Tip& tip : tips)
        addTooltip(tip.control, narrow(resourceString(tip.text)));

    result_ = {};
    if (slot_.registered)
        loadSlot(slot_, false);
    setLeftColour(left_);
    setRightColour(right_);
    selectTool(0);
    activate(normal);
    return false; // the focus is on the canvas
}

bool RoomMarkEditor::createCanvases() {
    const int depth = config::readImageUndoDepth(context_.settings);
    for (int picture = 0; picture < 2; ++picture) {
        auto& made = canvases_[static_cast<std::size_t>(picture)];
        made = std::make_unique<PixelCanvas>(depth);
        if (!made->create(item(canvasIds[picture]), picture == normal))
            return false;
        ImagePreview& preview = previews_[static_cast<std::size_t>(picture)];
        if (!preview.attach(item(previewIds[picture])) ||
            !preview.bindCanvas(made->pictureContext(), previewBackground))
            return false;
    }
    return true;
}

void RoomMarkEditor::setUpSwatches() {
    constexpr std::uint8_t forwarded =
        swatch_input::enter | swatch_input::space | swatch_input::middleDown | swatch_input::rightDown;
    for (int i = 0; i < patternCount; ++i) {
        ColourSwatch& swatch = *patternSwatches_[static_cast<std::size_t>(i)];
        swatch.attach(item(IDC_ROOMMARK_PATTERN_1 + i));
        swatch.setColour(pattern_[static_cast<std::size_t>(i)], true);
        // A click takes the colour for the left button; a double click changes it.
        swatch.setInputFlags(forwarded | swatch_input::leftDoubleClick);
        swatch.setHandCursor(true);
    }
    // A click on the three colours of the buttons and the transparency opens the chooser at once.
    const std::pair<ColourSwatch*, int> own[] = {{leftSwatch_.get(), IDC_ROOMMARK_LEFT_COLOUR},
                                                 {rightSwatch_.get(), IDC_ROOMMARK_RIGHT_COLOUR},
                                                 {transparentSwatch_.get(), IDC_ROOMMARK_TRANSPARENT_COLOUR}};
    for (const auto& [swatch, id] : own) {
        swatch->attach(item(id));
        swatch->setInputFlags(forwarded);
        swatch->setHandCursor(true);
    }
}

void RoomMarkEditor::setUpButtons() {
    for (int i = 0; i < toolCount; ++i) {
        LatchButton& button = tools_[static_cast<std::size_t>(i)];
        button.attach(item(IDC_ROOMMARK_TOOL_PENCIL + i), 0x404040, 0xFFFFFF, 0x707070, lightText);
        button.setPicture(Bitmap(static_cast<HBITMAP>(
            LoadImageW(moduleInstance(), MAKEINTRESOURCEW(IDB_TOOL_PENCIL + i), IMAGE_BITMAP, 0, 0, 0))));
        addTooltip(IDC_ROOMMARK_TOOL_PENCIL + i, narrow(resourceString(IDS_TIP_TOOL_PENCIL + i)));
    }
    options_[0].attach(item(IDC_ROOMMARK_OPTION_1), 0x404040, 0xFFFFFF, 0xB0C0D0, lightText);
    options_[1].attach(item(IDC_ROOMMARK_OPTION_2), 0x404040, 0xFFFFFF, 0xB0C0D0, lightText);
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i].attach(item(plainButtons[i]), 0x404040, 0xFFFFFF, 0x707070, lightText);
    EnableWindow(item(IDC_ROOMMARK_HISTORY), hooks_.pick ? TRUE : FALSE);
}

void RoomMarkEditor::loadSlot(const RoomMarkSlot& slot, bool undoable) {
    // A snapshot first, so one undo on each canvas brings its own picture back.
    if (undoable) {
        for (auto& each : canvases_)
            SendMessageW(each->handle(), canvas_message::changing, 0, 0);
    }
    loadPicture(canvas(normal), slot.normalImage);
    loadPicture(canvas(wide), slot.wideImage);
    for (int picture = 0; picture < 2; ++picture)
        refreshPreview(picture);
    showTransparency();
}

void RoomMarkEditor::activate(int picture) {
    active_ = picture;
    for (int id : labelIds)
        InvalidateRect(item(id), nullptr, TRUE);
    showTransparency();
    HWND window = canvas(picture).handle();
    if (GetFocus() != window)
        SetFocus(window);
    for (int each = 0; each < 2; ++each)
        refreshPreview(each);
}

void RoomMarkEditor::showTransparency() {
    const PixelCanvas& shown = canvas(active_);
    CheckDlgButton(handle(), IDC_ROOMMARK_TRANSPARENT_CHECK,
                   shown.transparencyEnabled() ? BST_CHECKED : BST_UNCHECKED);
    transparentSwatch_->setColour(shown.transparentColour(), true);
}

void RoomMarkEditor::refreshPreview(int picture) {
    const PixelCanvas& shown = canvas(picture);
    ImagePreview& preview = previews_[static_cast<std::size_t>(picture)];
    preview.setPreviewTransparentColour(shown.transparentColour());
    preview.setPreviewTransparent(shown.transparencyEnabled());
}

// ---- tools ----

std::uint8_t RoomMarkEditor::toolByte() const {
    const bool filled =
        (tool_ == rectangleTool && rectangleFilled_) || (tool_ == circleTool && circleFilled_);
    return static_cast<std::uint8_t>(((tool_ + 1) << 4) | (filled ? canvas_tool::filled : 0));
}

void RoomMarkEditor::selectTool(int index) {
    if (index < 0 || index >= toolCount)
        return;
    tool_ = index;
    for (int i = 0; i < toolCount; ++i)
        tools_[static_cast<std::size_t>(i)].setLatched(i == index);
    for (auto& each : canvases_)
        each->setTool(toolByte());
    const bool shape = index == rectangleTool || index == circleTool;
    const bool options = shape || index == selectionTool;
    setItemText(handle(), IDC_ROOMMARK_OPTION_1, shape ? "枠線" : "中央");
    setItemText(handle(), IDC_ROOMMARK_OPTION_2, shape ? "塗潰" : "回転");
    const bool filled = index == rectangleTool ? rectangleFilled_ : circleFilled_;
    options_[0].setLatched(shape && !filled);
    options_[1].setLatched(shape && filled);
    showItem(handle(), IDC_ROOMMARK_OPTION_1, options);
    showItem(handle(), IDC_ROOMMARK_OPTION_2, options);
}

void RoomMarkEditor::chooseOption(int id) {
    const bool second = id == IDC_ROOMMARK_OPTION_2;
    if (tool_ == selectionTool) {
        PixelCanvas& shown = canvas(active_);
        if (second)
            shown.rotateSelection();
        else
            shown.centreSelection();
        return;
    }
    if (tool_ == rectangleTool)
        rectangleFilled_ = second;
    else if (tool_ == circleTool)
        circleFilled_ = second;
    else
        return;
    selectTool(tool_);
}

// ---- colours ----

void RoomMarkEditor::setLeftColour(COLORREF colour) {
    left_ = colour & 0xFFFFFF;
    leftSwatch_->setColour(left_, true);
    for (auto& each : canvases_)
        each->setLeftColour(left_);
}

void RoomMarkEditor::setRightColour(COLORREF colour) {
    right_ = colour & 0xFFFFFF;
    rightSwatch_->setColour(right_, true);
    for (auto& each : canvases_)
        each->setRightColour(right_);
}

void RoomMarkEditor::setTransparentColour(COLORREF colour) {
    canvas(active_).setTransparentColour(colour & 0xFFFFFF);
    showTransparency();
    refreshPreview(active_);
}

ColourSwatch* RoomMarkEditor::swatchOf(HWND window) {
    if (!window)
        return nullptr;
    for (auto& each : patternSwatches_) {
        if (each->handle() == window)
            return each.get();
    }
    for (ColourSwatch* each : {leftSwatch_.get(), rightSwatch_.get(), transparentSwatch_.get()}) {
        if (each->handle() == window)
            return each;
    }
    return nullptr;
}

int RoomMarkEditor::patternIndexOf(int id) const {
    return id >= IDC_ROOMMARK_PATTERN_1 && id <= IDC_ROOMMARK_PATTERN_16 ? id - IDC_ROOMMARK_PATTERN_1 : -1;
}

void RoomMarkEditor::chooseColour(HWND window) {
    ColourSwatch* swatch = swatchOf(window);
    if (!swatch)
        return;
    CHOOSECOLORW chooser{};
    chooser.lStructSize = sizeof(chooser);
    chooser.hwndOwner = handle();
    chooser.rgbResult = swatch->colour();
    chooser.lpCustColors = customColours_.data();
    chooser.Flags = CC_RGBINIT | CC_FULLOPEN | CC_PREVENTFULLOPEN;
    if (!ChooseColorW(&chooser))
        return;
    const COLORREF chosen = chooser.rgbResult & 0xFFFFFF;
    const int id = GetDlgCtrlID(window);
    if (const int index = patternIndexOf(id); index >= 0) {
        pattern_[static_cast<std::size_t>(index)] = chosen;
        swatch->setColour(chosen, true);
    } else if (id == IDC_ROOMMARK_LEFT_COLOUR) {
        setLeftColour(chosen);
    } else if (id == IDC_ROOMMARK_RIGHT_COLOUR) {
        setRightColour(chosen);
    } else if (id == IDC_ROOMMARK_TRANSPARENT_COLOUR) {
        setTransparentColour(chosen);
    }
}

// ---- buttons ----

void RoomMarkEditor::stretchCopy(int target) {
    PixelCanvas& to = canvas(target);
    // The copy replaces the whole picture: a snapshot first keeps it undoable.
    SendMessageW(to.handle(), canvas_message::changing, 0, 0);
    to.stretchCopyFrom(canvas(target == normal ? wide : normal).pictureContext());
    refreshPreview(target);
}

void RoomMarkEditor::loadImage() {
    importBitmapFile(handle(), canvas(active_), context_.files, context_.prompter);
    refreshPreview(active_);
}

void RoomMarkEditor::pickFromHistory() {
    if (!hooks_.pick)
        return;
    const std::optional<RoomMarkSlot> picked = hooks_.pick(handle());
    if (picked)
        loadSlot(*picked, true);
}

void RoomMarkEditor::registerMark() {
    RoomMarkSlot made;
    if (!takePicture(canvas(normal), made.normalImage) || !takePicture(canvas(wide), made.wideImage)) {
        showMessage("例外エラー発生\n\nイメージの取得に失敗しました。", handle(), msg::ok | msg::iconError);
        end(IDCANCEL);
        return;
    }
    made.registered = true;
    result_ = made;
    // A history that cannot take the mark says so itself; the mark is registered all the same.
    if (hooks_.add)
        hooks_.add(result_);
    end(IDOK);
}

void RoomMarkEditor::askBeforeClosing() {
    if (showMessage("[Esc]キーが押されました。ダイアログを閉じますか？\n（データの変更は保存されません）",
                    handle(), msg::yesNo | msg::iconQuestion) == msg::idYes)
        end(IDCANCEL);
}

bool RoomMarkEditor::preTranslate(MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE || !handle() ||
        (message.hwnd != handle() && !IsChild(handle(), message.hwnd)))
        return false;
    // A floating piece on a canvas is put down by Esc, as the canvas does everywhere.
    for (auto& each : canvases_) {
        const FloatingSelection* piece = each->selection();
        if (message.hwnd == each->handle() && piece && piece->state() != FloatingSelection::none)
            return false;
    }
    askBeforeClosing();
    return true;
}

bool RoomMarkEditor::onCommand(int id, int code, HWND control) {
    if (id >= IDC_ROOMMARK_TOOL_PENCIL && id < IDC_ROOMMARK_TOOL_PENCIL + toolCount) {
        if (code == BN_CLICKED)
            selectTool(id - IDC_ROOMMARK_TOOL_PENCIL);
        return true;
    }
    if (const int index = patternIndexOf(id); index >= 0) {
        if (code == STN_CLICKED)
            setLeftColour(pattern_[static_cast<std::size_t>(index)]);
        return true;
    }
    if (const int picture = pictureOf(id); picture >= 0) {
        if (code == STN_CLICKED && id != canvasIds[picture])
            activate(picture);
        return true;
    }
    switch (id) {
    case IDOK:
        registerMark();
        return true;
    case IDC_ROOMMARK_OPTION_1:
    case IDC_ROOMMARK_OPTION_2:
        if (code == BN_CLICKED)
            chooseOption(id);
        return true;
    case IDC_ROOMMARK_LEFT_COLOUR:
    case IDC_ROOMMARK_RIGHT_COLOUR:
    case IDC_ROOMMARK_TRANSPARENT_COLOUR:
        if (code == STN_CLICKED)
            chooseColour(item(id));
        return true;
    case IDC_ROOMMARK_TRANSPARENT_CHECK:
        if (code == BN_CLICKED) {
            canvas(active_).setTransparencyEnabled(IsDlgButtonChecked(handle(), id) == BST_CHECKED);
            refreshPreview(active_);
        }
        return true;
    case IDC_ROOMMARK_STRETCH_TO_WIDE:
        stretchCopy(wide);
        return true;
    case IDC_ROOMMARK_STRETCH_TO_NORMAL:
        stretchCopy(normal);
        return true;
    case IDC_ROOMMARK_LOAD_IMAGE:
        loadImage();
        return true;
    case IDC_ROOMMARK_HISTORY:
        pickFromHistory();
        return true;
    default:
        return DialogFrame::onCommand(id, code, control);
    }
}

INT_PTR RoomMarkEditor::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case canvas_message::focus:
        for (int picture = 0; picture < 2; ++picture) {
            if (canvases_[static_cast<std::size_t>(picture)].get() == reinterpret_cast<PixelCanvas*>(lParam))
                activate(picture);
        }
        return TRUE;
    case swatch_message::key:
        if (wParam == '\r')
            chooseColour(reinterpret_cast<HWND>(lParam));
        else if (const ColourSwatch* swatch = swatchOf(reinterpret_cast<HWND>(lParam)))
            setTransparentColour(swatch->colour());
        return TRUE;
    case swatch_message::mouse:
        if (const ColourSwatch* swatch = swatchOf(reinterpret_cast<HWND>(lParam))) {
            if (wParam == WM_LBUTTONDBLCLK)
                chooseColour(swatch->handle());
            else if (wParam == WM_RBUTTONDOWN)
                setRightColour(swatch->colour());
            else if (wParam == WM_MBUTTONDOWN)
                setTransparentColour(swatch->colour());
        }
        return TRUE;
    case canvas_message::picked: {
        const auto colour = static_cast<COLORREF>(lParam);
        if (wParam == colour_target::left)
            setLeftColour(colour);
        else if (wParam == colour_target::right)
            setRightColour(colour);
        else if (wParam == colour_target::transparent)
            setTransparentColour(colour);
        return TRUE;
    }
    case canvas_message::switchTool:
        selectTool(static_cast<int>(wParam));
        return TRUE;
    case canvas_message::changed:
        if (const int picture = pictureOf(static_cast<int>(lParam));
            picture >= 0 && canvases_[static_cast<std::size_t>(picture)])
            refreshPreview(picture);
        return TRUE;
    case canvas_message::status:
        if (wParam)
            setItemText(handle(), IDC_ROOMMARK_STATUS, reinterpret_cast<const char*>(wParam));
        return TRUE;
    case WM_CTLCOLORSTATIC: {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        const int picture = pictureOf(id);
        if (picture < 0 || id != labelIds[picture])
            break;
        HDC dc = reinterpret_cast<HDC>(wParam);
        const bool active = picture == active_;
        SetTextColor(dc, labelText);
        SetBkColor(dc, active ? activeLabelColour : inactiveLabelColour);
        return reinterpret_cast<INT_PTR>(active ? activeLabel_.get() : inactiveLabel_.get());
    }
    case WM_DRAWITEM: {
        const auto& drawn = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        for (const LatchButton& button : tools_) {
            if (button.draw(drawn))
                return TRUE;
        }
        for (const LatchButton& button : options_) {
            if (button.draw(drawn))
                return TRUE;
        }
        for (const ColouredButton& button : buttons_) {
            if (button.draw(drawn))
                return TRUE;
        }
        break;
    }
    default:
        break;
    }
    return DialogFrame::handleMessage(message, wParam, lParam);
}

void RoomMarkEditor::onDestroy() {
    // The pattern is the user's own palette: every close keeps it, whatever ended the dialog.
    if (patternRead_)
        config::writeColourList(context_.settings, pattern_);
    DialogFrame::onDestroy();
}

std::optional<RoomMarkSlot> editRoomMark(HWND owner, const RoomMarkSlot& start,
                                         const RoomEditorContext& context, const RoomHistoryHooks& hooks) {
    RoomMarkEditor editor(context, hooks);
    editor.setSlot(start);
    if (editor.run(owner) != IDOK)
        return std::nullopt;
    return editor.result();
}

} // namespace tav::win
