#pragma once
// Where the palette window settles when the user moves it near the main window: its top aligns with the
// main window's top, and it docks to the main window's left or right side, within 16 pixels.
namespace tav {

struct SnapFrame {
    int left, top, right, bottom;
};

struct SnapPosition {
    int x, y;
    bool operator==(const SnapPosition&) const = default;
};

// The position the window of this width takes instead of (x, y) beside main.
SnapPosition snapToMainWindow(SnapPosition proposed, int width, const SnapFrame& main);

} // namespace tav
