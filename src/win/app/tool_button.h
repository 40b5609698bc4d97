#pragma once
// A push button of the main window painted in its own colours: its text may run over several lines
// (the 36x36 tool buttons), and the corner buttons show a diagonal arrow instead.
#include <windows.h>

namespace tav::win {

class ToolButton {
public:
    enum class Arrow { none, upLeft, downLeft, upRight, downRight };

    // Makes the button owner-drawn; its parent forwards WM_DRAWITEM to draw.
    void attach(HWND button, COLORREF face, COLORREF light, COLORREF shadow, Arrow arrow = Arrow::none);
    HWND handle() const { return button_; }
    // True when the item was this button and has been drawn.
    bool draw(const DRAWITEMSTRUCT& item) const;

private:
    void drawArrow(HDC dc, RECT r, bool disabled) const;
    void drawText(HDC dc, RECT r, bool disabled) const;

    HWND button_ = nullptr;
    COLORREF face_ = 0;
    COLORREF light_ = 0;
    COLORREF shadow_ = 0;
    Arrow arrow_ = Arrow::none;
};

} // namespace tav::win
