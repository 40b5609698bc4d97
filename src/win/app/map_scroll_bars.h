#pragma once
// The two scroll bars beside the map view: their ranges follow the map and the view mode, their positions
// the view's scroll origin.
#include <windows.h>

#include <optional>

#include "model/app/scroll_rules.h"

namespace tav::win {

class MapScrollBars {
public:
    void attach(HWND horizontal, HWND vertical);
    HWND horizontal() const { return horizontal_; }
    HWND vertical() const { return vertical_; }

    // Range 0..maximum on each axis; visible sets the size of the thumb.
    void setRanges(const scroll::AxisRange& columns, int visibleColumns, const scroll::AxisRange& rows,
                   int visibleRows);
    void setPositions(int column, int row);

    // The move a scroll-bar code asks for; none for the end of a scroll.
    static std::optional<scroll::Move> moveOf(int code);

private:
    HWND horizontal_ = nullptr;
    HWND vertical_ = nullptr;
};

} // namespace tav::win
