#pragma once
// A push button painted in its own face, light and shadow colours (an owner-drawn button).
#include <windows.h>

namespace tav::win {

// Makes a push button owner-drawn; its parent then forwards WM_DRAWITEM.
void makeOwnerDrawn(HWND button);
// The face with a one-pixel light top-left and shadow bottom-right edge, swapped while pressed.
void drawButtonFace(HDC dc, const RECT& r, COLORREF face, COLORREF light, COLORREF shadow, bool pressed);
// The button's own text centred on one line in r moved by shift pixels (a pressed look), grey when disabled.
void drawButtonText(const DRAWITEMSTRUCT& item, RECT r, int shift, COLORREF text);
// The dotted focus rectangle 3 pixels inside the item, when it has the focus.
void drawButtonFocus(const DRAWITEMSTRUCT& item);

class ColouredButton {
public:
    // Makes the button owner-drawn; its parent forwards WM_DRAWITEM to draw. A dark face needs a light text.
    void attach(HWND button, COLORREF face, COLORREF light, COLORREF shadow, COLORREF text = RGB(0, 0, 0));
    HWND handle() const { return button_; }
    // True when the item was this button and has been drawn.
    bool draw(const DRAWITEMSTRUCT& item) const;

private:
    HWND button_ = nullptr;
    COLORREF face_ = 0;
    COLORREF light_ = 0;
    COLORREF shadow_ = 0;
    COLORREF text_ = 0;
};

} // namespace tav::win
