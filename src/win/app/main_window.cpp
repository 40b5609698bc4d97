#include "win/app/main_window.h"

#include <shellapi.h>

#include <iterator>

#include "model/app/configuration.h"
#include "model/app/map_file_name.h"
#include "model/app/scroll_rules.h"
#include "model/document/map_file.h"
#include "model/platform/cp932.h"
#include "resource.h"
#include "version.h"
#include "win/app/application.h"
#include "win/app/dialog_items.h"
#include "win/app/environment_dialog.h"
#include "win/app/map_file_dialog.h"
#include "win/app/map_size_dialog.h"
#include "win/app/ruler_dialog.h"
#include "win/marks/background_candidates_dialog.h"
#include "win/marks/room_history_picker.h"
#include "win/marks/wall_history_picker.h"
#include "win/marks/wall_mark_editor.h"
#include "win/output/image_export_dialog.h"
#include "win/output/print_dialog.h"
#include "win/platform/text.h"

namespace tav::win {

namespace {

// Pixel rectangles of the controls in the 634 x 436 client area.
constexpr ControlPlace controlPlaces[] = {
    {IDC_MAP_VIEW, 8, 5, 404, 404},
    {IDC_HSCROLL, 30, 410, 381, 21},
    {IDC_VSCROLL, 413, 27, 21, 381},
    {IDC_SCROLL_UPLEFT, 8, 5, 21, 21},
    {IDC_SCROLL_DOWNLEFT, 8, 410, 21, 21},
    {IDC_SCROLL_UPRIGHT, 413, 5, 21, 21},
    {IDC_SCROLL_DOWNRIGHT, 413, 410, 21, 21},
    {IDC_SIZE_GROUP, 445, 5, 125, 69},
    {IDC_WIDTH_LABEL, 455, 26, 18, 16},
    {IDC_HEIGHT_LABEL, 455, 49, 18, 16},
    {IDC_WIDTH_TEXT, 477, 24, 26, 20},
    {IDC_HEIGHT_TEXT, 477, 47, 26, 20},
    {IDC_SIZE_SETTINGS, 514, 47, 42, 20},
    {IDC_MARKER_GROUP, 445, 80, 125, 60},
    {IDC_MARKER_TYPE1, 454, 99, 56, 16},
    {IDC_MARKER_TYPE2, 454, 118, 56, 16},
    {IDC_MARKER_HIDE, 514, 113, 42, 20},
    {IDC_MARKS_GROUP, 445, 146, 180, 114},
    {IDC_EDIT_HWALL, 491, 166, 14, 14},
    {IDC_EDIT_VWALL, 491, 181, 14, 14},
    {IDC_WALL_SWATCH, 510, 166, 52, 27},
    {IDC_WALL_CLEAR, 565, 166, 27, 27},
    {IDC_EDIT_ROOM, 491, 206, 14, 14},
    {IDC_ROOM_SWATCH, 510, 198, 27, 27},
    {IDC_ROOM_CLEAR, 540, 198, 27, 27},
    {IDC_EDIT_BACKGROUND, 491, 236, 14, 14},
    {IDC_BACKGROUND_COMBO, 510, 231, 56, 200},
    {IDC_BACKGROUND_SETTINGS, 571, 232, 42, 20},
    {IDC_PALETTE_TOGGLE, 584, 11, 36, 36},
    {IDC_KEYBOARD_EDIT, 584, 58, 36, 36},
    {IDC_VIEW_MODE, 584, 104, 36, 36},
    {IDC_UNDO, 448, 272, 36, 36},
    {IDC_REDO, 486, 272, 36, 36},
    {IDC_SHOW_POSITION, 524, 272, 36, 36},
    {IDC_CLEAR_ALL, 562, 272, 36, 36},
    {IDC_RULER_SETTINGS, 448, 310, 36, 36},
    {IDC_CREATE_COMMENT, 486, 310, 36, 36},
    {IDC_PRINT, 448, 354, 86, 22},
    {IDC_SAVE_IMAGE, 538, 354, 86, 22},
    {IDC_OPEN, 448, 380, 86, 22},
    {IDC_SAVE, 538, 380, 86, 22},
    {IDC_SETTINGS, 448, 406, 86, 22},
    {IDC_EXIT, 538, 406, 86, 22},
};

class AboutDialog : public Dialog {
public:
    AboutDialog() : Dialog(IDD_ABOUT) {}

private:
    bool onInitDialog() override {
        SetDlgItemTextW(handle(), IDC_ABOUT_VERSION,
                        widen("Tavrosin Version " TAVROSIN_VERSION_SHORT).c_str());
        return true;
    }
};

constexpr int firstViewCommand = ID_EDIT_COPY; // 32771..32789: edit commands and the view's keys
constexpr int lastViewCommand = ID_VIEW_ESCAPE;

struct ToolTip {
    int control;
    int text;
};

constexpr ToolTip toolTips[] = {
    {IDC_PALETTE_TOGGLE, IDS_TIP_PALETTE},
    {IDC_KEYBOARD_EDIT, IDS_TIP_KEYBOARD},
    {IDC_VIEW_MODE, IDS_TIP_VIEW_MODE},
    {IDC_EDIT_HWALL, IDS_TIP_EDIT_HWALL},
    {IDC_EDIT_VWALL, IDS_TIP_EDIT_VWALL},
    {IDC_EDIT_ROOM, IDS_TIP_EDIT_ROOM},
    {IDC_EDIT_BACKGROUND, IDS_TIP_EDIT_BACKGROUND},
    {IDC_WALL_CLEAR, IDS_TIP_CLEAR_MARK},
    {IDC_ROOM_CLEAR, IDS_TIP_CLEAR_MARK},
    {IDC_UNDO, IDS_TIP_UNDO},
    {IDC_REDO, IDS_TIP_REDO},
    {IDC_SHOW_POSITION, IDS_TIP_SHOW_POSITION},
    {IDC_CLEAR_ALL, IDS_TIP_CLEAR_ALL},
    {IDC_RULER_SETTINGS, IDS_TIP_RULER},
    {IDC_CREATE_COMMENT, IDS_TIP_CREATE_COMMENT},
    {IDC_PRINT, IDS_TIP_PRINT},
    {IDC_SAVE_IMAGE, IDS_TIP_SAVE_IMAGE},
    {IDC_OPEN, IDS_TIP_OPEN},
    {IDC_SAVE, IDS_TIP_SAVE},
    {IDC_SETTINGS, IDS_TIP_SETTINGS},
    {IDC_EXIT, IDS_TIP_EXIT},
};

// Plain push buttons, painted in the colours of the program's message box; the check buttons keep the
// system's look, which shows their state.
struct PaintedButton {
    int id;
    ToolButton::Arrow arrow;
};
constexpr PaintedButton paintedButtons[] = {
    {IDC_SCROLL_UPLEFT, ToolButton::Arrow::upLeft},
    {IDC_SCROLL_DOWNLEFT, ToolButton::Arrow::downLeft},
    {IDC_SCROLL_UPRIGHT, ToolButton::Arrow::upRight},
    {IDC_SCROLL_DOWNRIGHT, ToolButton::Arrow::downRight},
    {IDC_SIZE_SETTINGS, ToolButton::Arrow::none},
    {IDC_WALL_CLEAR, ToolButton::Arrow::none},
    {IDC_ROOM_CLEAR, ToolButton::Arrow::none},
    {IDC_BACKGROUND_SETTINGS, ToolButton::Arrow::none},
    {IDC_UNDO, ToolButton::Arrow::none},
    {IDC_REDO, ToolButton::Arrow::none},
    {IDC_SHOW_POSITION, ToolButton::Arrow::none},
    {IDC_CLEAR_ALL, ToolButton::Arrow::none},
    {IDC_RULER_SETTINGS, ToolButton::Arrow::none},
    {IDC_CREATE_COMMENT, ToolButton::Arrow::none},
    {IDC_PRINT, ToolButton::Arrow::none},
    {IDC_SAVE_IMAGE, ToolButton::Arrow::none},
    {IDC_OPEN, ToolButton::Arrow::none},
    {IDC_SAVE, ToolButton::Arrow::none},
    {IDC_SETTINGS, ToolButton::Arrow::none},
    {IDC_EXIT, ToolButton::Arrow::none},
};
constexpr COLORREF buttonFace = 0xB0C0B0;
constexpr COLORREF buttonLight = 0xFFFFFF;
constexpr COLORREF buttonShadow = 0x707070;

// Edit switch check boxes and their bits of the document's edit mask.
struct EditSwitch {
    int control;
    std::uint8_t bit;
};
constexpr EditSwitch editSwitches[] = {
    {IDC_EDIT_HWALL, 1}, {IDC_EDIT_VWALL, 2}, {IDC_EDIT_ROOM, 4}, {IDC_EDIT_BACKGROUND, 8}};

// Keyboard editing keys of the view, held back from it while keyboard editing is off.
bool isEditingLetter(WPARAM key) {
    switch (key) {
    case 'W':
    case 'Z':
    case 'A':
    case 'S':
    case 'X':
    case 'C':
        return true;
    default:
        return false;
    }
}

bool isNavigationKey(WPARAM key) {
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
        return true;
    default:
        return false;
    }
}

bool isKeyMessage(UINT message) {
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

void setEnabled(HWND window, bool enabled) {
    if (window && (IsWindowEnabled(window) != FALSE) != enabled)
        EnableWindow(window, enabled);
}

// Often enough that a copy falls due close to its time; the check itself costs nothing.
constexpr UINT_PTR recoveryTimer = 1;
constexpr UINT recoveryTickMs = 1000;

LocalTime localNow() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

// Private messages of the view and the palette window.
constexpr int scrollOriginSet = 20;
constexpr int roomMarkBits = 0x0F;
constexpr int refreshAbove = 15;

} // namespace

MainWindow::MainWindow(Application& app, MapDocument& document, FilePath commandLineFile,
                       std::optional<RecoveryRecord> restore)
    : Dialog(IDD_MAIN), app_(app), document_(document), commandLineFile_(std::move(commandLineFile)),
      restore_(std::move(restore)), clipboard_(document, app.prompter()),
      view_(document, app.cache(), clipboard_, app.prompter()),
      wallSwatch_(MarkSwatch::Kind::wall, document.palette(), app.cache()),
      roomSwatch_(MarkSwatch::Kind::room, document.palette(), app.cache()), backgrounds_(app.cache()),
      palette_(document, app.paletteStorage(), app.mapFiles(), app.cache()) {}

// ---- initialisation ----

bool MainWindow::onInitDialog() {
    app_.setMainWindow(handle());
    background_.reset(CreateSolidBrush(0x101010));
    accelerators_ = LoadAcceleratorsW(moduleInstance(), MAKEINTRESOURCEW(IDR_MAINACCEL));
    setIcons();
    prepareSystemMenu();
    layOutControls();

    if (!createView()) {
        failInitialisation();
        return false;
    }
    // The palette loader has already said what went wrong.
    if (!app_.paletteStorage().loadStartPalette(document_, palette_select::all)) {
        end(IDCANCEL);
        return false;
    }
    if (!clipboard_.registerFormats() || !palette_.create(handle())) {
        failInitialisation();
        return false;
    }
    palette_.setWallMarkEditing([this](HWND owner, const WallMarkRecord& start) {
        return editWallMark(owner, start, app_.cache(), wallHistoryHooks());
    });
    palette_.setRoomMarkEditing([this](HWND owner, const RoomMarkSlot& start) {
        const RoomEditorContext context{app_.cache(), app_.settings(), app_.files(), app_.prompter()};
        return editRoomMark(owner, start, context, roomHistoryHooks());
    });
    prepareControls();

    const bool restored = restoreLeftover();
    const bool opened = openCommandLineFile();
    if (!opened && !restored) {
        if (!createStartMap()) {
            failInitialisation();
            return false;
        }
        view_.paletteChanged();
        recentreOnMap();
        showMapSize();
    }

    view_.setMarkerStyle(0);
    CheckRadioButton(handle(), IDC_MARKER_TYPE1, IDC_MARKER_TYPE2, IDC_MARKER_TYPE1);
    for (const EditSwitch& edit : editSwitches)
        CheckDlgButton(handle(), edit.control, BST_CHECKED);
    document_.setEditMask(0xFF, 15);
    CheckDlgButton(handle(), IDC_PALETTE_TOGGLE, BST_CHECKED);
    ShowWindow(palette_.handle(), SW_SHOWNOACTIVATE);
    CheckDlgButton(handle(), IDC_KEYBOARD_EDIT, BST_UNCHECKED);
    CheckDlgButton(handle(), IDC_VIEW_MODE, BST_UNCHECKED);
    fitScrollBarsAndCorner();
    updateCommandStates();
    focusView();
    // The view may have had the focus already, and then it sends no word of it.
    if (view_.handle() && GetFocus() == view_.handle())
        CheckDlgButton(handle(), IDC_KEYBOARD_EDIT, BST_CHECKED);
    // Showing the window activates it, and activation gives the focus to the dialog's remembered control:
    // make that the view, once the window is up.
    if (view_.handle())
        PostMessageW(handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(view_.handle()), TRUE);
    if (app_.recovery() && app_.recovery()->enabled())
        SetTimer(handle(), recoveryTimer, recoveryTickMs, nullptr);
    return false; // the focus is set
}

void MainWindow::failInitialisation() {
    app_.prompter().showMessage("アプリケーションの初期化に失敗しました。", msg::iconInformation);
    end(IDCANCEL);
}

void MainWindow::setIcons() {
    const auto load = [](int width, int height) {
        return static_cast<HICON>(LoadImageW(moduleInstance(), MAKEINTRESOURCEW(IDI_TAVROSIN), IMAGE_ICON,
                                             width, height, LR_DEFAULTCOLOR));
    };
    bigIcon_.reset(load(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
    smallIcon_.reset(load(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)));
    SendMessageW(handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

void MainWindow::prepareSystemMenu() {
    HMENU menu = GetSystemMenu(handle(), FALSE);
    if (!menu)
        return;
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    int count = GetMenuItemCount(menu);
    int closeAt = count;
    for (int i = 0; i < count; ++i) {
        if (GetMenuItemID(menu, i) == SC_CLOSE)
            closeAt = i;
    }
    std::wstring about = resourceString(IDS_ABOUT_MENU);
    InsertMenuW(menu, closeAt, MF_BYPOSITION | MF_STRING, ID_SYSTEM_ABOUT, about.c_str());
    InsertMenuW(menu, closeAt + 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

void MainWindow::layOutControls() {
    placeControls(handle(), controlPlaces);
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(handle(), GWL_STYLE)),
                       GetMenu(handle()) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrW(handle(), GWL_EXSTYLE)));
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(handle(), nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER);
    // A menu bar that wraps takes client height; grow until the client area is whole.
    RECT client{};
    GetClientRect(handle(), &client);
    if (client.bottom < clientHeight)
        SetWindowPos(handle(), nullptr, 0, 0, width, height + clientHeight - client.bottom,
                     SWP_NOZORDER | SWP_NOMOVE);
    InvalidateRect(handle(), nullptr, TRUE);
}

bool MainWindow::createView() {
    const ControlPlace& place = controlPlaces[0];
    const RECT rect{place.x, place.y, place.x + place.width, place.y + place.height};
    return view_.create(handle(), IDC_MAP_VIEW, rect);
}

void MainWindow::prepareControls() {
    backgrounds_.attach(item(IDC_BACKGROUND_COMBO));
    backgrounds_.rebuild(document_.getBackgroundCandidates());
    backgrounds_.select(0);
    view_.setCurrentBackground(0);

    // Until the palette window chooses others, slot 1 of each kind is painted.
    wallSwatch_.attach(item(IDC_WALL_SWATCH));
    roomSwatch_.attach(item(IDC_ROOM_SWATCH));
    wallSwatch_.show(1);
    roomSwatch_.show(1);
    view_.setCurrentWallMark(1);
    view_.setCurrentRoomMark(1);

    if (tips_.create(handle())) {
        for (const ToolTip& tip : toolTips)
            tips_.add(tip.control, tip.text);
    }
    static_assert(std::size(paintedButtons) == std::tuple_size_v<decltype(buttons_)>);
    for (std::size_t i = 0; i < std::size(paintedButtons); ++i)
        buttons_[i].attach(item(paintedButtons[i].id), buttonFace, buttonLight, buttonShadow,
                           paintedButtons[i].arrow);
}

bool MainWindow::createStartMap() {
    int side = config::startMapSide(app_.mapSizeMax());
    return document_.resize(side, side, true);
}

void MainWindow::fitScrollBarsAndCorner() {
    auto placeOf = [this](int id) {
        RECT r{};
        if (HWND control = item(id)) {
            GetWindowRect(control, &r);
            MapWindowPoints(nullptr, handle(), reinterpret_cast<POINT*>(&r), 2);
        }
        return r;
    };
    // The bars run between the corner buttons, one pixel clear of each.
    const RECT downLeft = placeOf(IDC_SCROLL_DOWNLEFT);
    const RECT downRight = placeOf(IDC_SCROLL_DOWNRIGHT);
    const RECT upRight = placeOf(IDC_SCROLL_UPRIGHT);
    if (HWND bar = item(IDC_HSCROLL))
        MoveWindow(bar, downLeft.right + 1, downLeft.top, downRight.left - 2 - downLeft.right,
                   downLeft.bottom - downLeft.top, TRUE);
    if (HWND bar = item(IDC_VSCROLL))
        MoveWindow(bar, upRight.left, upRight.bottom + 1, upRight.right - upRight.left,
                   downRight.top - 2 - upRight.bottom, TRUE);
    scrollBars_.attach(item(IDC_HSCROLL), item(IDC_VSCROLL));
    updateScrollBars();

    // The up-left button lies over the view's ruler corner: cut it out so that it shows.
    RECT hole = placeOf(IDC_SCROLL_UPLEFT);
    if (view_.handle()) {
        MapWindowPoints(handle(), view_.handle(), reinterpret_cast<POINT*>(&hole), 2);
        view_.cutCornerHole(hole);
    }
}

// ---- message loop ----

bool MainWindow::preTranslate(MSG& message) {
    const DWORD before = GetClipboardSequenceNumber();
    route(message);
    const DWORD after = GetClipboardSequenceNumber();
    // A change made while this window handled the message is a block of ours when it holds our format.
    if (after != before && (clipboard_.isFormatAvailable(MapClipboard::mapFormatIndex) ||
                            clipboard_.isFormatAvailable(MapClipboard::commentFormatIndex)))
        ownClipboardSequence_ = after;
    return true;
}

void MainWindow::route(MSG& message) {
    HWND self = handle();
    const bool inDialog = self && (message.hwnd == self || IsChild(self, message.hwnd));
    if (inDialog && message.hwnd != self)
        tips_.relay(message);

    HWND palette = palette_.handle();
    const bool inPalette = palette && (message.hwnd == palette || IsChild(palette, message.hwnd));
    if ((inDialog || inPalette) && switchFocusOnF2(message))
        return;
    if (inPalette && IsDialogMessageW(palette, &message))
        return;

    const bool toView = view_.handle() && message.hwnd == view_.handle();
    const bool toEditor = view_.inPlaceEditor() && message.hwnd == view_.inPlaceEditor();
    if ((toView || toEditor) && view_.translateAccelerator(message))
        return;
    if (toView && message.message == WM_KEYDOWN && isEditingLetter(message.wParam) && !keyboardEditing())
        return;
    // The in-place editor keeps its own keys (Ctrl+C, Delete, cursor keys are text editing there).
    if (inDialog && !toEditor && isKeyMessage(message.message) && accelerators_ &&
        !focusedControlKeepsKey(message) && TranslateAcceleratorW(self, accelerators_, &message))
        return;
    if (inDialog && IsDialogMessageW(self, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool MainWindow::switchFocusOnF2(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_F2)
        return false;
    HWND palette = palette_.handle();
    if (palette && (message.hwnd == palette || IsChild(palette, message.hwnd)))
        focusView();
    else
        palette_.takeFocus();
    return true;
}

bool MainWindow::keyboardEditing() const {
    return IsDlgButtonChecked(handle(), IDC_KEYBOARD_EDIT) == BST_CHECKED;
}

bool MainWindow::focusedControlKeepsKey(const MSG& message) const {
    if (message.hwnd == view_.handle() || message.hwnd == handle())
        return false;
    const bool escape = message.wParam == VK_ESCAPE;
    if (!escape && !isNavigationKey(message.wParam))
        return false;
    if (GetKeyState(VK_CONTROL) < 0)
        return false;
    MSG copy = message;
    const LRESULT code =
        SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&copy));
    // A drop-down list walks its items with the cursor keys and closes with Esc.
    if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))
        return true;
    return !escape && (code & DLGC_WANTARROWS);
}

void MainWindow::onIdle() {
    updateCommandStates();
}

void MainWindow::updateCommandStates() {
    const bool paste = clipboard_.isFormatAvailable(MapClipboard::mapFormatIndex) ||
                       clipboard_.isFormatAvailable(MapClipboard::commentFormatIndex);
    const bool undo = document_.canUndo();
    const bool redo = document_.canRedo();
    if (HMENU menu = GetMenu(handle())) {
        auto enable = [menu](int id, bool on) {
            EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
        };
        enable(ID_EDIT_PASTE, paste);
        enable(ID_EDIT_UNDO, undo);
        enable(ID_EDIT_REDO, redo);
    }
    setEnabled(item(IDC_UNDO), undo);
    setEnabled(item(IDC_REDO), redo);
    // The palette window's own close box hides it too.
    const bool paletteShown = palette_.handle() && IsWindowVisible(palette_.handle());
    if ((IsDlgButtonChecked(handle(), IDC_PALETTE_TOGGLE) == BST_CHECKED) != paletteShown)
        CheckDlgButton(handle(), IDC_PALETTE_TOGGLE, paletteShown ? BST_CHECKED : BST_UNCHECKED);
}

void MainWindow::emptyOwnClipboard() {
    // Only a block this window put there, and nothing copied since by anyone else.
    if (ownClipboardSequence_ == 0 || GetClipboardSequenceNumber() != ownClipboardSequence_)
        return;
    if (OpenClipboard(handle())) {
        EmptyClipboard();
        CloseClipboard();
    }
}

// ---- scrolling ----

void MainWindow::updateScrollBars() {
    const int columns = document_.visibleColumns();
    const int rows = document_.visibleRows();
    scrollBars_.setRanges(scroll::axisRange(document_.width(), columns), columns,
                          scroll::axisRange(document_.height(), rows), rows);
    scrollBars_.setPositions(view_.scrollColumn(), view_.scrollRow());
}

void MainWindow::onScroll(bool horizontal, int code, int thumb) {
    const std::optional<scroll::Move> move = MapScrollBars::moveOf(code);
    if (!move || document_.width() <= 0)
        return;
    const scroll::AxisRange range = horizontal
                                        ? scroll::axisRange(document_.width(), document_.visibleColumns())
                                        : scroll::axisRange(document_.height(), document_.visibleRows());
    int column = view_.scrollColumn();
    int row = view_.scrollRow();
    int& axis = horizontal ? column : row;
    const int moved = scroll::moveOrigin(range, axis, *move, thumb);
    const bool changed = moved != axis;
    axis = moved;
    scrollBars_.setPositions(column, row);
    if (changed)
        view_.setScrollOrigin(column, row, false, true);
}

void MainWindow::onScrollRequest(WPARAM wParam, LPARAM lParam) {
    struct Request {
        bool horizontal;
        int code;
    };
    // 1..4 lines (up, right, down, left), 5..8 Page Up, End, Page Down, Home, 9 and 10 thumbs.
    static constexpr Request requests[] = {
        {false, SB_LINEUP},       {true, SB_LINEDOWN},       {false, SB_LINEDOWN}, {true, SB_LINEUP},
        {false, SB_PAGEUP},       {false, SB_BOTTOM},        {false, SB_PAGEDOWN}, {false, SB_TOP},
        {true, SB_THUMBPOSITION}, {false, SB_THUMBPOSITION},
    };
    if (lParam == scrollOriginSet) {
        scrollBars_.setPositions(LOWORD(wParam), HIWORD(wParam));
        return;
    }
    if (lParam < 1 || lParam > static_cast<LPARAM>(std::size(requests)))
        return;
    const Request& request = requests[lParam - 1];
    if (request.code == SB_THUMBPOSITION) {
        onScroll(request.horizontal, request.code, static_cast<int>(wParam));
        return;
    }
    HWND bar = request.horizontal ? scrollBars_.horizontal() : scrollBars_.vertical();
    SendMessageW(handle(), request.horizontal ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(request.code, 0),
                 reinterpret_cast<LPARAM>(bar));
}

void MainWindow::scrollDiagonally(int buttonId) {
    if (document_.width() <= 0)
        return;
    static constexpr scroll::Corner corners[] = {scroll::Corner::upLeft, scroll::Corner::downLeft,
                                                 scroll::Corner::upRight, scroll::Corner::downRight};
    const scroll::Origin origin{view_.scrollColumn(), view_.scrollRow()};
    const scroll::Origin next =
        scroll::diagonalStep(corners[buttonId - IDC_SCROLL_UPLEFT], origin,
                             scroll::axisRange(document_.width(), document_.visibleColumns()),
                             scroll::axisRange(document_.height(), document_.visibleRows()));
    if (next == origin)
        return;
    scrollBars_.setPositions(next.column, next.row);
    view_.setScrollOrigin(next.column, next.row, false, true);
}

void MainWindow::recentre(int centreColumn, int centreRow) {
    const int column = scroll::centredOrigin(centreColumn, document_.width(), document_.visibleColumns());
    const int row = scroll::centredOrigin(centreRow, document_.height(), document_.visibleRows());
    view_.setScrollOrigin(column, row, true, true);
    updateScrollBars();
}

void MainWindow::recentreOnMap() {
    recentre(document_.width() / 2, document_.height() / 2);
}

// ---- controls ----

void MainWindow::showMapSize() {
    SetDlgItemInt(handle(), IDC_WIDTH_TEXT, static_cast<UINT>(document_.width()), FALSE);
    SetDlgItemInt(handle(), IDC_HEIGHT_TEXT, static_cast<UINT>(document_.height()), FALSE);
}

void MainWindow::setMarkerStyle(int id) {
    if (id == IDC_MARKER_HIDE) {
        CheckDlgButton(handle(), IDC_MARKER_TYPE1, BST_UNCHECKED);
        CheckDlgButton(handle(), IDC_MARKER_TYPE2, BST_UNCHECKED);
        CheckDlgButton(handle(), IDC_MARKER_HIDE, BST_CHECKED);
        view_.setMarkerStyle(2);
        return;
    }
    CheckDlgButton(handle(), IDC_MARKER_HIDE, BST_UNCHECKED);
    CheckRadioButton(handle(), IDC_MARKER_TYPE1, IDC_MARKER_TYPE2, id);
    view_.setMarkerStyle(id == IDC_MARKER_TYPE1 ? 0 : 1);
}

void MainWindow::setEditSwitch(int id) {
    for (const EditSwitch& edit : editSwitches) {
        if (edit.control == id) {
            const bool on = IsDlgButtonChecked(handle(), id) == BST_CHECKED;
            document_.setEditMask(edit.bit, on ? edit.bit : 0);
        }
    }
}

void MainWindow::toggleViewMode() {
    // The cell in the middle of the window stays in the middle.
    const int centreColumn = view_.scrollColumn() + document_.visibleColumns() / 2;
    const int centreRow = view_.scrollRow() + document_.visibleRows() / 2;
    document_.setViewMode(IsDlgButtonChecked(handle(), IDC_VIEW_MODE) == BST_CHECKED);
    recentre(centreColumn, centreRow);
}

void MainWindow::onMarkChosen(WPARAM wParam, LPARAM lParam) {
    const int slot = static_cast<int>(lParam);
    const auto mark = static_cast<std::uint8_t>(slot >= 0 && slot <= 255 ? slot : 0);
    if (wParam & roomMarkBits) {
        roomSwatch_.show(slot);
        view_.setCurrentRoomMark(mark);
    } else {
        wallSwatch_.show(slot);
        view_.setCurrentWallMark(mark);
    }
    // A loaded half may come with the map file's background candidates.
    if ((wParam & 0xFF) > refreshAbove) {
        const int background = backgrounds_.selected();
        paletteReplaced();
        backgrounds_.select(background);
    }
}

void MainWindow::paletteReplaced() {
    view_.paletteChanged();
    backgrounds_.rebuild(document_.getBackgroundCandidates());
    wallSwatch_.show(wallSwatch_.slot());
    roomSwatch_.show(roomSwatch_.slot());
}

void MainWindow::togglePalette() {
    const bool show = IsDlgButtonChecked(handle(), IDC_PALETTE_TOGGLE) == BST_CHECKED;
    ShowWindow(palette_.handle(), show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void MainWindow::forwardToView(int command) {
    view_.onCommand(command);
    focusView();
}

void MainWindow::showCurrentPosition() {
    const POINT base = view_.basePoint();
    view_.centreOn(base.x, base.y);
    focusView();
}

void MainWindow::clearAll() {
    // Esc first: the active comment area is about to go.
    view_.onCommand(ID_VIEW_ESCAPE);
    document_.clearAll();
    view_.rerender();
    focusView();
}

void MainWindow::createComment() {
    view_.finishInPlaceEditing();
    if (document_.addComment(app_.prompter()))
        view_.refresh();
    focusView();
}

void MainWindow::focusView() {
    if (view_.handle())
        SetFocus(view_.handle());
}

// ---- settings dialogs ----

void MainWindow::changeMapSize() {
    MapSizeDialog dialog(document_.width(), document_.height(), app_.mapSizeMax());
    if (dialog.runModal(handle()) == IDOK &&
        (dialog.width() != document_.width() || dialog.height() != document_.height())) {
        view_.onCommand(ID_VIEW_ESCAPE);
        // Cells beyond the new borders are gone: the map differs from its file now.
        if (document_.resize(dialog.width(), dialog.height(), false))
            document_.setModified(true);
        recentreOnMap();
        view_.rerender();
        showMapSize();
    }
    focusView();
}

void MainWindow::editRuler() {
    RulerDialog dialog(document_.getRuler());
    if (dialog.runModal(handle()) == IDOK && !(dialog.ruler() == document_.getRuler())) {
        // The ruler is saved with the map.
        document_.setRuler(dialog.ruler());
        document_.setModified(true);
        view_.rerender();
    }
    focusView();
}

void MainWindow::editEnvironment() {
    EnvironmentDialog dialog(app_.settings());
    // A new depth empties the journal: an unchanged one keeps the steps made so far.
    if (dialog.runModal(handle()) == IDOK && dialog.undoDepth() != document_.undoDepth())
        document_.setUndoDepth(dialog.undoDepth());
}

WallHistoryHooks MainWindow::wallHistoryHooks() {
    MarkHistory* history = app_.history();
    if (!history)
        return {};
    WallHistoryHooks hooks;
    hooks.pick = [this, history](HWND owner) -> std::optional<WallMarkRecord> {
        WallHistoryPicker picker(*history, app_.cache());
        if (picker.runModal(owner) != IDOK)
            return std::nullopt;
        return picker.chosen();
    };
    hooks.add = [history](const WallMarkRecord& record) { history->addWall(record); };
    return hooks;
}

RoomHistoryHooks MainWindow::roomHistoryHooks() {
    MarkHistory* history = app_.history();
    if (!history)
        return {};
    RoomHistoryHooks hooks;
    hooks.pick = [this, history](HWND owner) -> std::optional<RoomMarkSlot> {
        RoomHistoryPicker picker(*history, app_.cache());
        if (picker.runModal(owner) != IDOK)
            return std::nullopt;
        return picker.chosen();
    };
    hooks.add = [history](const RoomMarkSlot& mark) { history->addRoom(mark); };
    return hooks;
}

void MainWindow::editBackgroundCandidates() {
    BackgroundCandidatesDialog dialog(app_.cache(), document_.getBackgroundCandidates(),
                                      backgrounds_.selected());
    if (dialog.runModal(handle()) == IDOK) {
        if (dialog.values() != document_.getBackgroundCandidates()) {
            // The candidates are saved with the map.
            document_.setBackgroundCandidates(dialog.values());
            document_.setModified(true);
        }
        backgrounds_.rebuild(document_.getBackgroundCandidates());
        const int chosen = dialog.selectedCandidate();
        backgrounds_.select(chosen);
        view_.setCurrentBackground(static_cast<std::uint8_t>(chosen));
        view_.rerender();
    }
    focusView();
}

// ---- flows ----

bool MainWindow::confirmDiscardingChanges() {
    return !document_.isModified() ||
           app_.prompter().showMessage(
               "データが更新されています。\n\n現在のデータは無くなる事になります。\n宜しいですか？",
               msg::yesNo | msg::iconInformation) == msg::idYes;
}

void MainWindow::newMap() {
    if (!confirmDiscardingChanges())
        return;
    view_.onCommand(ID_VIEW_ESCAPE);
    document_.discardComments();
    document_.setModified(false);
    document_.setHasFile(false);
    document_.setCurrentFileName({});
    dropRecoveryCopy();
    app_.paletteStorage().loadStartPalette(document_, palette_select::all);
    paletteReplaced();
    palette_.setMapFile({});
    palette_.refresh();
    if (!createStartMap())
        app_.prompter().showMessage("ファイルの新規作成に失敗しました。", msg::iconInformation);
    recentreOnMap();
    showMapSize();
    focusView();
}

void MainWindow::openFlow() {
    const FilePath path = askMapFileToOpen(handle(), app_.getLastFolder());
    if (!path.empty())
        openMapFile(path);
    focusView();
}

bool MainWindow::openCommandLineFile() {
    if (commandLineFile_.empty())
        return false;
    const std::string problem = map_file_name::whyNotOpenable(app_.files(), commandLineFile_);
    if (!problem.empty()) {
        app_.prompter().showMessage(problem, msg::ok | msg::iconWarning);
        return false;
    }
    return openMapFile(commandLineFile_);
}

bool MainWindow::openMapFile(const FilePath& path) {
    if (!map_file_name::isMapFile(path) || !app_.files().exists(path) || app_.files().isDirectory(path))
        return false;
    if (!confirmDiscardingChanges())
        return false;
    app_.setLastFolder(path.folder());
    view_.onCommand(ID_VIEW_ESCAPE);
    if (!app_.mapFiles().load(document_, path, map_select::all))
        return false;
    dropRecoveryCopy();
    showLoadedMap(path);
    document_.setHasFile(true);
    return true;
}

void MainWindow::showLoadedMap(const FilePath& mapFile) {
    paletteReplaced();
    palette_.setMapFile(mapFile);
    palette_.refresh();
    backgrounds_.select(0);
    view_.setCurrentBackground(0);
    recentreOnMap();
    showMapSize();
}

bool MainWindow::restoreLeftover() {
    if (!restore_ || !app_.recovery())
        return false;
    view_.onCommand(ID_VIEW_ESCAPE);
    if (!app_.recovery()->restore(document_, app_.mapFiles(), *restore_, GetTickCount64()))
        return false;
    // The palette window offers the halves of the map's own file, when it has one.
    showLoadedMap(document_.hasFile() ? document_.currentFileName() : FilePath{});
    return true;
}

void MainWindow::keepRecoveryCopy() {
    if (Recovery* recovery = app_.recovery())
        recovery->tick(document_, GetTickCount64(), localNow());
}

void MainWindow::dropRecoveryCopy() {
    if (Recovery* recovery = app_.recovery())
        recovery->discard();
}

void MainWindow::saveFlow() {
    const FilePath initial = document_.hasFile() ? document_.currentFileName() : FilePath{};
    const FilePath path = askMapFileToSave(handle(), initial, app_.getLastFolder());
    if (!path.empty()) {
        app_.setLastFolder(path.folder());
        view_.finishInPlaceEditing();
        if (app_.mapFiles().save(document_, path)) {
            document_.setHasFile(true);
            dropRecoveryCopy();
        }
    }
    focusView();
}

void MainWindow::exitFlow() {
    if (document_.isModified() &&
        app_.prompter().showMessage(
            "データが更新されています。\n\n保存せずに終わる事になります。\n宜しいですか？",
            msg::yesNo | msg::iconInformation) != msg::idYes)
        return;
    end(IDOK);
}

void MainWindow::openHomePage() {
    const FilePath page =
        config::homePageOf(app_.getModuleFolder(), pathOf(resourceString(IDS_HOME_PAGE)).units());
    const std::wstring address = widen(page);
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(handle(), nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) {
        app_.prompter().showMessage(
            cp932::formatWith(
                "ホームページを開くことができませんでした。\n\n下記のURLにアクセスをお願いします。\n%s",
                page.text()),
            msg::iconInformation);
    }
}

void MainWindow::showAbout() {
    AboutDialog about;
    about.runModal(handle());
}

// ---- messages ----

bool MainWindow::onCommand(int id, int code, HWND) {
    if (id >= firstViewCommand && id <= lastViewCommand) {
        forwardToView(id);
        return true;
    }
    switch (id) {
    case IDOK: // Enter in the dialog
        return true;
    case IDCANCEL: // the close box
    case IDC_EXIT:
    case ID_APP_EXIT:
        exitFlow();
        return true;
    case ID_FILE_NEW:
        newMap();
        return true;
    case ID_FILE_OPEN:
    case IDC_OPEN:
        openFlow();
        return true;
    case ID_FILE_SAVE:
    case IDC_SAVE:
        saveFlow();
        return true;
    case IDC_SCROLL_UPLEFT:
    case IDC_SCROLL_DOWNLEFT:
    case IDC_SCROLL_UPRIGHT:
    case IDC_SCROLL_DOWNRIGHT:
        scrollDiagonally(id);
        return true;
    case IDC_MARKER_TYPE1:
    case IDC_MARKER_TYPE2:
    case IDC_MARKER_HIDE:
        setMarkerStyle(id);
        return true;
    case IDC_EDIT_HWALL:
    case IDC_EDIT_VWALL:
    case IDC_EDIT_ROOM:
    case IDC_EDIT_BACKGROUND:
        setEditSwitch(id);
        return true;
    case IDC_WALL_CLEAR:
        wallSwatch_.show(0);
        view_.setCurrentWallMark(0);
        return true;
    case IDC_ROOM_CLEAR:
        roomSwatch_.show(0);
        view_.setCurrentRoomMark(0);
        return true;
    case IDC_BACKGROUND_COMBO:
        if (code == CBN_SELCHANGE)
            view_.setCurrentBackground(static_cast<std::uint8_t>(backgrounds_.selected()));
        return true;
    case IDC_PALETTE_TOGGLE:
        togglePalette();
        return true;
    case IDC_KEYBOARD_EDIT:
        if (!keyboardEditing()) {
            CheckDlgButton(handle(), IDC_KEYBOARD_EDIT, BST_CHECKED);
            focusView();
        }
        return true;
    case IDC_VIEW_MODE:
        toggleViewMode();
        return true;
    case IDC_UNDO:
        forwardToView(ID_EDIT_UNDO);
        return true;
    case IDC_REDO:
        forwardToView(ID_EDIT_REDO);
        return true;
    case IDC_SHOW_POSITION:
        showCurrentPosition();
        return true;
    case IDC_CLEAR_ALL:
    case ID_EDIT_CLEAR_ALL:
        clearAll();
        return true;
    case IDC_CREATE_COMMENT:
        createComment();
        return true;
    case IDC_SIZE_SETTINGS:
        changeMapSize();
        return true;
    case IDC_BACKGROUND_SETTINGS:
        editBackgroundCandidates();
        return true;
    case IDC_PRINT:
    case ID_FILE_PRINT:
        view_.finishInPlaceEditing();
        runPrintDialog(handle(), document_, app_.cache(), app_.settings());
        focusView();
        return true;
    case IDC_SAVE_IMAGE:
    case ID_FILE_SAVE_IMAGE:
        view_.finishInPlaceEditing();
        runImageExportDialog(handle(), document_, app_.cache());
        focusView();
        return true;
    case IDC_RULER_SETTINGS:
        editRuler();
        return true;
    case IDC_SETTINGS:
    case ID_SETTINGS:
        editEnvironment();
        return true;
    case ID_HELP:
        app_.showHelp();
        return true;
    case ID_HOME_PAGE:
        openHomePage();
        return true;
    case ID_APP_ABOUT:
        showAbout();
        return true;
    default:
        return false;
    }
}

INT_PTR MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(background_.get());
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, 0xF1FBFF);
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(background_.get());
    }
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == ID_SYSTEM_ABOUT) {
            showAbout();
            return TRUE;
        }
        break;
    case WM_INITMENUPOPUP:
        updateCommandStates();
        return TRUE;
    case WM_TIMER:
        if (wParam == recoveryTimer) {
            keepRecoveryCopy();
            return TRUE;
        }
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam != 0) {
            onScroll(message == WM_HSCROLL, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
            return TRUE;
        }
        break;
    case WM_MEASUREITEM:
        if (backgrounds_.measure(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) {
            SetWindowLongPtrW(handle(), DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        break;
    case WM_DRAWITEM: {
        const auto& drawn = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        bool done = wallSwatch_.draw(drawn) || roomSwatch_.draw(drawn) || backgrounds_.draw(drawn);
        for (const ToolButton& button : buttons_)
            done = done || button.draw(drawn);
        if (done)
            return TRUE;
        break;
    }
    case view_message::scroll:
        onScrollRequest(wParam, lParam);
        return TRUE;
    case view_message::focus:
        CheckDlgButton(handle(), IDC_KEYBOARD_EDIT, wParam ? BST_CHECKED : BST_UNCHECKED);
        return TRUE;
    case view_message::markChosen:
        onMarkChosen(wParam, lParam);
        return TRUE;
    case view_message::openDropped:
        if (wParam) {
            openMapFile(*reinterpret_cast<const FilePath*>(wParam));
            SetForegroundWindow(handle());
            focusView();
        }
        return TRUE;
    default:
        break;
    }
    return Dialog::handleMessage(message, wParam, lParam);
}

void MainWindow::onDestroy() {
    // A drag in the view may still hold the mouse.
    if (GetCapture())
        ReleaseCapture();
    ClipCursor(nullptr);
    emptyOwnClipboard();
    KillTimer(handle(), recoveryTimer);
    app_.setMainWindow(nullptr);
    background_.reset();
}

} // namespace tav::win
