#include "win/app/tool_tips.h"

#include <commctrl.h>

#include "win/app/dialog.h"

namespace tav::win {

namespace {
// Wide enough for the longest tip on one line, and needed at all for the tips with a line break.
constexpr int maxTipWidth = 400;
} // namespace

ToolTips::~ToolTips() {
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
}

bool ToolTips::create(HWND owner) {
    owner_ = owner;
    window_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, moduleInstance(), nullptr);
    if (!window_)
        return false;
    SendMessageW(window_, TTM_SETMAXTIPWIDTH, 0, maxTipWidth);
    return true;
}

bool ToolTips::add(int controlId, int textId) {
    HWND control = owner_ ? GetDlgItem(owner_, controlId) : nullptr;
    if (!window_ || !control)
        return false;
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.hinst = moduleInstance();
    tool.lpszText = MAKEINTRESOURCEW(textId);
    return SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

void ToolTips::relay(const MSG& message) const {
    if (!window_)
        return;
    switch (message.message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
        MSG copy = message;
        SendMessageW(window_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
        break;
    }
    default:
        break;
    }
}

} // namespace tav::win
