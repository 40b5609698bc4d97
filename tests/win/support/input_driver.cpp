#include "support/input_driver.h"

#include <iterator>
#include <vector>

namespace tav::test {

namespace {
LPARAM at(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y)));
}

bool bringToFront(HWND window) {
    for (int tries = 0; tries < 60; ++tries) {
        if (GetForegroundWindow() == window)
            return true;
        SetForegroundWindow(window);
        Sleep(50);
    }
    return GetForegroundWindow() == window;
}
} // namespace

// The name the other typing tests lock too.
InputLock::InputLock() : mutex_(CreateMutexW(nullptr, FALSE, L"TavrosinEndToEndInput")) {
    if (mutex_) {
        const DWORD waited = WaitForSingleObject(mutex_.get(), 120000);
        held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
}

InputLock::~InputLock() {
    if (held_)
        ReleaseMutex(mutex_.get());
}

void sendMouseMove(HWND window, int x, int y, WPARAM keys) {
    // The real pointer goes there too: a press that confines the cursor would otherwise pull it into the
    // window, and the move that causes would land somewhere else.
    POINT screen{x, y};
    ClientToScreen(window, &screen);
    POINT now{};
    if (GetCursorPos(&now) && (now.x != screen.x || now.y != screen.y)) {
        SetCursorPos(screen.x, screen.y);
        // The real move reaches the window through its queue at a time of its own: let it arrive now
        // rather than in the middle of the press that follows.
        Sleep(100);
    }
    SendMessageW(window, WM_MOUSEMOVE, keys, at(x, y));
}

void sendClick(HWND window, int x, int y, WPARAM keys) {
    sendMouseMove(window, x, y, keys);
    SendMessageW(window, WM_LBUTTONDOWN, keys | MK_LBUTTON, at(x, y));
    SendMessageW(window, WM_LBUTTONUP, keys, at(x, y));
}

void sendDrag(HWND window, int fromX, int fromY, int toX, int toY, WPARAM keys) {
    sendMouseMove(window, fromX, fromY, keys);
    SendMessageW(window, WM_LBUTTONDOWN, keys | MK_LBUTTON, at(fromX, fromY));
    sendMouseMove(window, toX, toY, keys | MK_LBUTTON);
    SendMessageW(window, WM_LBUTTONUP, keys, at(toX, toY));
}

void sendDoubleClick(HWND window, int x, int y) {
    sendClick(window, x, y);
    SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at(x, y));
    SendMessageW(window, WM_LBUTTONUP, 0, at(x, y));
}

bool typeChord(HWND window, std::initializer_list<WORD> keys) {
    if (!bringToFront(window))
        return false;
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

} // namespace tav::test
