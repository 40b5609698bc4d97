#pragma once
// A swatch of the main window showing the selected wall mark (horizontal and vertical, side by side) or
// the selected room mark: an owner-drawn static painted with the mark routines.
#include <windows.h>

#include "model/marks/mark_palette.h"
#include "win/marks/room_mark_images.h"

namespace tav::win {

class DrawingResourceCache;

class MarkSwatch {
public:
    enum class Kind { wall, room };

    MarkSwatch(Kind kind, const MarkPalette& palette, DrawingResourceCache& cache)
        : kind_(kind), palette_(palette), cache_(cache) {}

    // Makes the static owner-drawn; its parent forwards WM_DRAWITEM to draw.
    void attach(HWND control);
    HWND handle() const { return control_; }
    // Slot 1..20, or 0 for none; also after the palette's pictures changed.
    void show(int slot);
    int slot() const { return slot_; }
    // True when the item was this swatch and has been drawn.
    bool draw(const DRAWITEMSTRUCT& item) const;

private:
    Kind kind_;
    const MarkPalette& palette_;
    DrawingResourceCache& cache_;
    HWND control_ = nullptr;
    int slot_ = 0;
    RoomMarkImage room_;
};

} // namespace tav::win
