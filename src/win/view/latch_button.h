#pragma once
// An owner-drawn push button in its own colours that shows a picture (or its text) and can stay latched
// down: the current tool of a tool group, the chosen one of two options.
#include <windows.h>

#include "win/platform/handles.h"

namespace tav::win {

class LatchButton {
public:
    // Makes the button owner-drawn; its parent forwards WM_DRAWITEM to draw. A dark face needs a light text.
    void attach(HWND button, COLORREF face, COLORREF light, COLORREF shadow, COLORREF text);
    HWND handle() const { return button_; }
    // Takes the picture over; it is copied centred, as it is. Without one the button shows its text.
    void setPicture(Bitmap picture);
    void setLatched(bool latched);
    bool latched() const { return latched_; }
    // True when the item was this button and has been drawn.
    bool draw(const DRAWITEMSTRUCT& item) const;

private:
    HWND button_ = nullptr;
    Bitmap picture_;
    COLORREF face_ = 0;
    COLORREF light_ = 0;
    COLORREF shadow_ = 0;
    COLORREF text_ = 0;
    bool latched_ = false;
};

} // namespace tav::win
