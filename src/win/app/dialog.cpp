#include "win/app/dialog.h"

namespace tav::win {

HINSTANCE moduleInstance() {
    return GetModuleHandleW(nullptr);
}

Dialog::~Dialog() {
    if (window_ && !modal_)
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

void Dialog::end(INT_PTR result) {
    if (modal_)
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
