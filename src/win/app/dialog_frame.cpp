#include "win/app/dialog_frame.h"

#include <commctrl.h>
#include <windowsx.h>

#include "resource.h"
#include "win/app/dialog_items.h"
#include "win/platform/text.h"

namespace tav::win {

void DialogFrame::createFrameObjects() {
    bodyBrush_.reset(CreateSolidBrush(colours_.body));
    titleBrush_.reset(CreateSolidBrush(colours_.titleBackground));
    tooltip_ =
        CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, handle(), nullptr, moduleInstance(), nullptr);
    if (tooltip_)
        SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
    addTooltip(IDC_CLOSE, narrow(resourceString(IDS_TIP_CLOSE)));
}

void DialogFrame::addTooltip(int controlId, const std::string& text) {
    HWND control = item(controlId);
    if (!tooltip_ || !control)
        return;
    std::wstring wide = widen(text);
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = handle();
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = wide.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void DialogFrame::shapeWindow(int width, int height) {
    RECT around{};
    HWND owner = GetWindow(handle(), GW_OWNER);
    if (!owner || !IsWindowVisible(owner) || !GetWindowRect(owner, &around))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
    const int x = around.left + (around.right - around.left - width) / 2;
    const int y = around.top + (around.bottom - around.top - height) / 2;
    SetWindowPos(handle(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    roundCorners();
}

void DialogFrame::paintOkAndCancel() {
    constexpr COLORREF face = 0x404040;
    constexpr COLORREF light = 0xFFFFFF;
    constexpr COLORREF shadow = 0x707070;
    okAndCancel_[0].attach(item(IDOK), face, light, shadow, colours_.staticText);
    okAndCancel_[1].attach(item(IDCANCEL), face, light, shadow, colours_.staticText);
}

void DialogFrame::roundCorners() {
    RECT frame{};
    GetWindowRect(handle(), &frame);
    // The system owns the region once it is set.
    HRGN region =
        CreateRoundRectRgn(0, 0, frame.right - frame.left + 1, frame.bottom - frame.top + 1, 16, 16);
    if (region && !SetWindowRgn(handle(), region, TRUE))
        DeleteObject(region);
}

bool DialogFrame::onCommand(int id, int code, HWND control) {
    if (id == IDC_CLOSE) {
        end(IDCANCEL);
        return true;
    }
    return Dialog::onCommand(id, code, control);
}

void DialogFrame::onDestroy() {
    bodyBrush_.reset();
    titleBrush_.reset();
    tooltip_ = nullptr;
}

INT_PTR DialogFrame::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        createFrameObjects();
        break;
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(bodyBrush_.get());
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        bool title = GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_TITLE;
        SetTextColor(dc, title ? colours_.titleText : colours_.staticText);
        SetBkColor(dc, title ? colours_.titleBackground : colours_.body);
        if (colours_.transparentText)
            SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(title ? titleBrush_.get() : bodyBrush_.get());
    }
    case WM_DRAWITEM: {
        const auto& drawn = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (okAndCancel_[0].draw(drawn) || okAndCancel_[1].draw(drawn))
            return TRUE;
        break;
    }
    case WM_MOUSEMOVE:
        if (tooltip_) {
            MSG relay{handle(), message, wParam, lParam, 0, {}};
            SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
        }
        break;
    case WM_LBUTTONDOWN: {
        // A press on the free surface moves the window, as a press on a caption would.
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(handle(), &at);
        PostMessageW(handle(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
        return TRUE;
    }
    default:
        break;
    }
    return Dialog::handleMessage(message, wParam, lParam);
}

} // namespace tav::win
