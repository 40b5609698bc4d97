#pragma once
// Drives modal dialogs from inside their own message loop: a thread timer fires while the dialog runs,
// finds it, and hands it to the test's callback.
#include <windows.h>

#include <functional>
#include <string>

namespace tav::test {

// Runs `open` (which shows a modal dialog and returns when it ends); once a new dialog window of this
// thread is visible, calls `drive` with it. Returns false if no dialog appeared.
bool driveModal(const std::function<void()>& open, const std::function<void(HWND)>& drive);

std::wstring windowText(HWND window);
// Presses a button the way a click does.
void click(HWND dialog, int buttonId);
// Waits for a visible top-level window of the process that matches; null after the timeout.
HWND waitForProcessWindow(DWORD processId, int timeoutMs, const std::function<bool(HWND)>& matches);
// The same for a window with this caption.
HWND waitForWindow(const wchar_t* caption, DWORD processId, int timeoutMs);
// Asks every 50 ms until done answers true; false after the timeout.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 10000);

} // namespace tav::test
