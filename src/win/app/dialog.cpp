#include "win/app/dialog.h"

namespace tav::win {

HINSTANCE moduleInstance() {
    return GetModuleHandleW(nullptr);
}

Dialog::~Dialog() {
    if (window_ && !modal_ && IsWindow(window_))
        DestroyWindow(window_);
}

INT_PTR Dialog::runModal(HWND owner) {
    modal_ = true;
    return DialogBoxParamW(moduleInstance(), MAKEINTRESOURCEW(templateId_), owner, &Dialog::procedure,
                           reinterpret_cast<LPARAM>(this));
}

bool Dialog::createModeless(HWND owner) {
    modal_ = false;
    return CreateDialogParamW(moduleInstance(), MAKEINTRESOURCEW(templateId_), owner, &Dialog::procedure,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

namespace {

// Messages after which the idle pass need not run again: nothing the user did came with them.
bool startsIdlePass(UINT message) {
    switch (message) {
    case WM_PAINT:
    case WM_TIMER:
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case 0x0118: // the caret blink timer
        return false;
    default:
        return true;
    }
}

} // namespace

INT_PTR Dialog::runWithOwnLoop(HWND owner) {
    modal_ = false;
    ownLoop_ = true;
    ended_ = false;
    result_ = -1;
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (!CreateDialogParamW(moduleInstance(), MAKEINTRESOURCEW(templateId_), owner, &Dialog::procedure,
                            reinterpret_cast<LPARAM>(this)))
        return -1;
    if (ownerWasEnabled)
        EnableWindow(owner, FALSE);
    if (!ended_ && window_)
        ShowWindow(window_, SW_SHOW);
    bool idle = true;
    while (!ended_ && window_) {
        MSG message{};
        if (idle && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            idle = false;
            onIdle();
            continue;
        }
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam)); // for the loop outside
            break;
        }
        if (got < 0)
            break;
        if (!preTranslate(message) && !IsDialogMessageW(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        idle = idle || startsIdlePass(message.message);
    }
    // The owner comes back before the dialog goes, so the activation returns to it.
    if (ownerWasEnabled)
        EnableWindow(owner, TRUE);
    if (window_)
        DestroyWindow(window_);
    ownLoop_ = false;
    return result_;
}

void Dialog::end(INT_PTR result) {
    if (ownLoop_) {
        result_ = result;
        ended_ = true;
        PostMessageW(window_, WM_NULL, 0, 0); // wakes the loop
    } else if (modal_)
        EndDialog(window_, result);
    else
        DestroyWindow(window_);
}

bool Dialog::onCommand(int id, int, HWND) {
    if (id == IDOK || id == IDCANCEL) {
        end(id);
        return true;
    }
    return false;
}

INT_PTR Dialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        return onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_DESTROY:
        onDestroy();
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK Dialog::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->window_ = window;
        SetWindowLongPtrW(window, DWLP_USER, lParam);
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (!self)
        return FALSE;
    INT_PTR result = self->handleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        self->window_ = nullptr;
    }
    return result;
}

} // namespace tav::win
