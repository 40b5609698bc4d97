#include "win/app/main_window.h"

#include <shellapi.h>

#include <iterator>

#include "model/app/configuration.h"
#include "model/platform/cp932.h"
#include "resource.h"
#include "win/app/application.h"
#include "win/platform/text.h"

namespace tav::win {

namespace {

struct ControlPlace {
    int id;
    int x, y, width, height;
};

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

std::wstring loadString(int id) {
    const wchar_t* text = nullptr;
    int length = LoadStringW(moduleInstance(), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring{};
}

class AboutDialog : public Dialog {
public:
    AboutDialog() : Dialog(IDD_ABOUT) {}
};

} // namespace

MainWindow::MainWindow(Application& app, MapDocument& document, std::string commandLineFile)
    : Dialog(IDD_MAIN), app_(app), document_(document), commandLineFile_(std::move(commandLineFile)) {}

bool MainWindow::onInitDialog() {
    app_.setMainWindow(handle());
    background_.reset(CreateSolidBrush(0x101010));
    prepareSystemMenu();
    layOutControls();

    // The palette loader has already said what went wrong.
    if (!app_.paletteStorage().loadStartPalette(document_, palette_select::all)) {
        end(IDCANCEL);
        return false;
    }
    if (!createStartMap()) {
        app_.prompter().showMessage("アプリケーションの初期化に失敗しました。", msg::iconInformation);
        end(IDCANCEL);
        return false;
    }
    showMapSize();
    for (int id : {IDC_EDIT_HWALL, IDC_EDIT_VWALL, IDC_EDIT_ROOM, IDC_EDIT_BACKGROUND})
        CheckDlgButton(handle(), id, BST_CHECKED);
    document_.setEditMask(0xFF, 15);
    CheckRadioButton(handle(), IDC_MARKER_TYPE1, IDC_MARKER_TYPE2, IDC_MARKER_TYPE1);
    CheckDlgButton(handle(), IDC_PALETTE_TOGGLE, BST_CHECKED);
    return true;
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
    std::wstring about = loadString(IDS_ABOUT_MENU);
    InsertMenuW(menu, closeAt, MF_BYPOSITION | MF_STRING, ID_SYSTEM_ABOUT, about.c_str());
    InsertMenuW(menu, closeAt + 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

void MainWindow::layOutControls() {
    for (const ControlPlace& place : controlPlaces) {
        if (HWND control = item(place.id))
            MoveWindow(control, place.x, place.y, place.width, place.height, FALSE);
    }
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

bool MainWindow::createStartMap() {
    int side = config::startMapSide(app_.mapSizeMax());
    return document_.resize(side, side, true);
}

void MainWindow::showMapSize() {
    SetDlgItemInt(handle(), IDC_WIDTH_TEXT, static_cast<UINT>(document_.width()), FALSE);
    SetDlgItemInt(handle(), IDC_HEIGHT_TEXT, static_cast<UINT>(document_.height()), FALSE);
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
    std::wstring address = loadString(IDS_HOME_PAGE);
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(handle(), nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) {
        app_.prompter().showMessage(
            cp932::formatWith(
                "ホームページを開くことができませんでした。\n\n下記のURLにアクセスをお願いします。\n%s",
                narrow(address)),
            msg::iconInformation);
    }
}

void MainWindow::showAbout() {
    AboutDialog about;
    about.runModal(handle());
}

bool MainWindow::onCommand(int id, int, HWND) {
    switch (id) {
    case IDCANCEL: // the close box
    case IDC_EXIT:
    case ID_APP_EXIT:
        exitFlow();
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
    default:
        break;
    }
    return Dialog::handleMessage(message, wParam, lParam);
}

void MainWindow::onDestroy() {
    app_.setMainWindow(nullptr);
    background_.reset();
}

} // namespace tav::win
