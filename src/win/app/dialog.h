#pragma once
// Base of every dialog window of the program: one object per dialog, bound to its window.
#include <windows.h>

namespace tav::win {

class Dialog {
public:
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally and returns the code it was ended with (-1 when it could not be made).
    INT_PTR runModal(HWND owner);
    // Creates the dialog modelessly; false when it could not be made.
    bool createModeless(HWND owner);
    // Runs the dialog modally in a message loop of its own, so that preTranslate sees every message of the
    // thread first and onIdle runs whenever the queue has run empty. Returns the code it was ended with
    // (-1 when it could not be made).
    INT_PTR runWithOwnLoop(HWND owner);
    HWND handle() const { return window_; }
    int templateId() const { return templateId_; }

protected:
    explicit Dialog(int templateId) : templateId_(templateId) {}

    // Returns what the dialog procedure returns; unhandled messages fall back to handleDefault.
    virtual INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual bool onInitDialog() { return true; }
    // True when the command was handled.
    virtual bool onCommand(int id, int code, HWND control);
    virtual void onDestroy() {}
    // Hooks of runWithOwnLoop: true when the message was consumed.
    virtual bool preTranslate(MSG&) { return false; }
    virtual void onIdle() {}
    void end(INT_PTR result);
    HWND item(int id) const { return GetDlgItem(window_, id); }

private:
    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND window_ = nullptr;
    bool modal_ = false;
    bool ownLoop_ = false;
    bool ended_ = false;
    INT_PTR result_ = 0;
};

// The program's module, where its resources live.
HINSTANCE moduleInstance();

} // namespace tav::win
