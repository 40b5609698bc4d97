#pragma once
// Input for windows of another running program: mouse messages sent in order, and key chords typed for
// real, since accelerators read the keyboard state that only real input sets.
#include <windows.h>
#include <shellapi.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "win/platform/handles.h"

namespace tav::test {

// Real input goes to the foreground window and the pointer of the whole display: tests that use them hold
// this lock (one for every process of the Wine prefix), so two of them never run side by side.
class InputLock {
public:
    InputLock();
    ~InputLock();
    InputLock(const InputLock&) = delete;
    InputLock& operator=(const InputLock&) = delete;

private:
    win::FileHandle mutex_;
    bool held_ = false;
};

// Puts the real pointer at a client pixel and gives the window time to see it there. Park it inside the
// grid of the view about to be pressed, where the presses will be: the view confines the pointer to its
// grid on a press, and a real move caused while messages are being sent would land in the middle of them.
void parkPointer(HWND window, int x, int y);
// Mouse messages at client pixels, each handled before the next is sent; keys are MK_ flags. The real
// pointer stays where it is.
void sendMouseMove(HWND window, int x, int y, WPARAM keys = 0);
// A move there (so hover-driven windows see where the press lands), a press and a release.
void sendClick(HWND window, int x, int y, WPARAM keys = 0);
// Press at one point, move with the button held to another, release there.
void sendDrag(HWND window, int fromX, int fromY, int toX, int toY, WPARAM keys = 0);
void sendDoubleClick(HWND window, int x, int y);

// Makes the window the foreground window and types the keys as a chord: each pressed in order, then
// released in reverse. False when the window could not be brought to the foreground or the input was
// refused.
bool typeChord(HWND window, std::initializer_list<WORD> keys);

// A drop of these files, as the shell hands it to WM_DROPFILES (the receiver frees it).
HDROP makeFileDrop(const std::vector<std::wstring>& files);

} // namespace tav::test
