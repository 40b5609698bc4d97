#include "model/app/scroll_rules.h"

#include <algorithm>

namespace tav::scroll {

AxisRange axisRange(int size, int visible) {
    visible = std::max(visible, 1);
    return {std::max(size - visible, 0), std::max(visible - 1, 1)};
}

int moveOrigin(const AxisRange& range, int origin, Move move, int thumb) {
    int target = origin;
    switch (move) {
    case Move::lineBack:
        target = origin - 1;
        break;
    case Move::lineForward:
        target = origin + 1;
        break;
    case Move::pageBack:
        target = origin - range.page;
        break;
    case Move::pageForward:
        target = origin + range.page;
        break;
    case Move::first:
        target = 0;
        break;
    case Move::last:
        target = range.maximum;
        break;
    case Move::thumb:
        target = thumb;
        break;
    }
    return std::clamp(target, 0, range.maximum);
}

int centredOrigin(int centre, int size, int visible) {
    const int maximum = std::max(size - visible, 0);
    const int half = visible / 2;
    if (centre < half)
        return 0;
    if (centre > size - half)
        return maximum;
    return std::clamp(centre - half, 0, maximum);
}

Origin diagonalStep(Corner corner, Origin origin, const AxisRange& columns, const AxisRange& rows) {
    const bool left = corner == Corner::upLeft || corner == Corner::downLeft;
    const bool up = corner == Corner::upLeft || corner == Corner::upRight;
    Origin next = origin;
    if (left ? origin.column > 0 : origin.column < columns.maximum)
        next.column += left ? -1 : 1;
    if (up ? origin.row > 0 : origin.row < rows.maximum)
        next.row += up ? -1 : 1;
    return next;
}

} // namespace tav::scroll
