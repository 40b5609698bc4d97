#include "win/app/dialog_page.h"

#include <commctrl.h>

#include "win/app/dialog_frame.h"
#include "win/platform/text.h"

namespace tav::win {

RECT addTabs(HWND dialog, int tabsId, std::initializer_list<const char*> names) {
    HWND tabs = GetDlgItem(dialog, tabsId);
    int index = 0;
    for (const char* name : names) {
        std::wstring text = widen(name);
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = text.data();
        SendMessageW(tabs, TCM_INSERTITEMW, index++, reinterpret_cast<LPARAM>(&tab));
    }
    RECT place{};
    GetClientRect(tabs, &place);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&place));
    MapWindowPoints(tabs, dialog, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

int chosenTab(const NMHDR& header, int tabsId) {
    if (header.idFrom != static_cast<UINT_PTR>(tabsId) || header.code != TCN_SELCHANGE)
        return -1;
    return static_cast<int>(SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0));
}

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
