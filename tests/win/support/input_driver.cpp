#include "support/input_driver.h"

#include <shlobj.h>

#include <cstring>
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

void parkPointer(HWND window, int x, int y) {
    POINT screen{x, y};
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    // The move this causes reaches the window through its queue, at a time of its own; let it arrive
    // before any press, or it would land in the middle of a drag.
    Sleep(300);
}

void sendMouseMove(HWND window, int x, int y, WPARAM keys) {
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

HDROP makeFileDrop(const std::vector<std::wstring>& files) {
    std::size_t chars = 1;
    for (const auto& f : files)
        chars += f.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(drop + 1);
    for (const auto& f : files) {
        std::memcpy(text, f.c_str(), (f.size() + 1) * sizeof(wchar_t));
        text += f.size() + 1;
    }
    *text = 0;
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

} // namespace tav::test
