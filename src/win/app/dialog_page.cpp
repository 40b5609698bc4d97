#include "win/app/dialog_page.h"

#include "win/app/dialog_frame.h"

namespace tav::win {

bool DialogPage::create(HWND parent, const RECT& place) {
    if (!createModeless(parent))
        return false;
    SetWindowPos(handle(), HWND_TOP, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOACTIVATE);
    return true;
}

void DialogPage::show(bool shown) {
    if (handle())
        ShowWindow(handle(), shown ? SW_SHOW : SW_HIDE);
}

bool DialogPage::onCommand(int id, int code, HWND control) {
    if (id == IDOK || id == IDCANCEL) {
        SendMessageW(GetParent(handle()), WM_COMMAND, MAKEWPARAM(id, code),
                     reinterpret_cast<LPARAM>(control));
        return true;
    }
    return false;
}

INT_PTR DialogPage::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const FrameColours colours;
    switch (message) {
    case WM_INITDIALOG:
        bodyBrush_.reset(CreateSolidBrush(colours.body));
        break;
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(bodyBrush_.get());
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, colours.staticText);
        SetBkColor(dc, colours.body);
        return reinterpret_cast<INT_PTR>(bodyBrush_.get());
    }
    default:
        break;
    }
    return Dialog::handleMessage(message, wParam, lParam);
}

} // namespace tav::win
