#pragma once
// A palette slot: an owner-drawn button showing a 23x23 icon, drawn sunken and framed while it is the
// current slot of its kind.
#include <windows.h>

#include "win/platform/handles.h"

namespace tav::win {

class SlotButton {
public:
    static constexpr int iconSide = 23;

    // Makes the button owner-drawn; its parent forwards WM_DRAWITEM to draw.
    void attach(HWND button);
    HWND handle() const { return button_; }
    // Takes the icon over; an empty one shows a white square.
    void setIcon(Bitmap icon);
    void setHighlighted(bool highlighted);
    bool highlighted() const { return highlighted_; }
    // True when the item was this button and has been drawn.
    bool draw(const DRAWITEMSTRUCT& item) const;

private:
    HWND button_ = nullptr;
    Bitmap icon_;
    bool highlighted_ = false;
};

} // namespace tav::win
