#pragma once
// Input for windows of another running program: mouse messages sent in order, and key chords typed for
// real, since accelerators read the keyboard state that only real input sets.
#include <windows.h>

#include <initializer_list>

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

// Mouse messages at client pixels, each handled before the next is sent; keys are MK_ flags.
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

} // namespace tav::test
