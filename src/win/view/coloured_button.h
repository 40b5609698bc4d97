#pragma once
// A push button painted in its own face, light and shadow colours (an owner-drawn button).
#include <windows.h>

namespace tav::win {

class ColouredButton {
public:
    // Makes the button owner-drawn; its parent forwards WM_DRAWITEM to draw.
    void attach(HWND button, COLORREF face, COLORREF light, COLORREF shadow);
    HWND handle() const { return button_; }
    // True when the item was this button and has been drawn.
    bool draw(const DRAWITEMSTRUCT& item) const;

private:
    HWND button_ = nullptr;
    COLORREF face_ = 0;
    COLORREF light_ = 0;
    COLORREF shadow_ = 0;
};

} // namespace tav::win
