#include "win/app/map_scroll_bars.h"

#include <algorithm>

namespace tav::win {

namespace {

void setRange(HWND bar, const scroll::AxisRange& range, int visible) {
    if (!bar)
        return;
    visible = std::max(visible, 1);
    // With a page of the visible count the thumb's last position is exactly the range's maximum.
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = range.maximum + visible - 1;
    info.nPage = static_cast<UINT>(visible);
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
}

} // namespace

void MapScrollBars::attach(HWND horizontal, HWND vertical) {
    horizontal_ = horizontal;
    vertical_ = vertical;
}

void MapScrollBars::setRanges(const scroll::AxisRange& columns, int visibleColumns,
                              const scroll::AxisRange& rows, int visibleRows) {
    setRange(horizontal_, columns, visibleColumns);
    setRange(vertical_, rows, visibleRows);
}

void MapScrollBars::setPositions(int column, int row) {
    if (horizontal_)
        SetScrollPos(horizontal_, SB_CTL, column, TRUE);
    if (vertical_)
        SetScrollPos(vertical_, SB_CTL, row, TRUE);
}

std::optional<scroll::Move> MapScrollBars::moveOf(int code) {
    switch (code) {
    case SB_LINEUP:
        return scroll::Move::lineBack;
    case SB_LINEDOWN:
        return scroll::Move::lineForward;
    case SB_PAGEUP:
        return scroll::Move::pageBack;
    case SB_PAGEDOWN:
        return scroll::Move::pageForward;
    case SB_TOP:
        return scroll::Move::first;
    case SB_BOTTOM:
        return scroll::Move::last;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return scroll::Move::thumb;
    default:
        return std::nullopt;
    }
}

} // namespace tav::win
