#include "model/view/view_input.h"

#include <algorithm>

#include "model/document/map_document.h"

namespace tav {

using namespace view_input;

namespace {
constexpr int origin = geometry::rulerMargin; // 25: the grid's top-left corner in the view
constexpr int overlayLimit = 399;             // inversions stop at the image's last grid line
constexpr int bandFrom = 6;
constexpr int bandTo = 400;
} // namespace

ViewGeometry viewGeometry(const MapDocument& document) {
    ViewGeometry g;
    g.width = document.width();
    g.height = document.height();
    g.wide = document.isWide();
    g.pitch = document.pitch();
    g.columns = document.visibleColumns();
    g.rows = document.visibleRows();
    return g;
}

ViewGeometry viewGeometry(int width, int height, bool wide) {
    ViewGeometry g;
    g.width = std::max(width, 0);
    g.height = std::max(height, 0);
    g.wide = wide;
    g.pitch = wide ? geometry::widePitch : geometry::normalPitch;
    g.columns = std::min(g.standardCells(), g.width);
    g.rows = std::min(g.standardCells(), g.height);
    return g;
}

bool onGrid(const ViewGeometry& g, int x, int y) {
    return !g.empty() && x > origin - 1 && x < origin + g.pixelWidth() && y > origin - 1 &&
           y < origin + g.pixelHeight();
}

CellPoint visibleCell(const ViewGeometry& g, int x, int y) {
    if (g.pitch <= 0)
        return {};
    return {(x - origin) / g.pitch, (y - origin) / g.pitch};
}

CellPoint clampedVisibleCell(const ViewGeometry& g, int x, int y) {
    if (g.empty())
        return {};
    const int column = x < origin ? 0 : (x - origin) / g.pitch;
    const int row = y < origin ? 0 : (y - origin) / g.pitch;
    return {std::clamp(column, 0, g.columns - 1), std::clamp(row, 0, g.rows - 1)};
}

int outsideDirection(const ViewGeometry& g, int x, int y) {
    int bits = 0;
    if (x >= origin + g.pixelWidth())
        bits |= direction::right;
    else if (x < origin)
        bits |= direction::left;
    if (y >= origin + g.pixelHeight())
        bits |= direction::below;
    else if (y < origin)
        bits |= direction::above;
    return bits;
}

HoverElement hoverAt(const ViewGeometry& g, int x, int y) {
    if (g.empty())
        return {};
    const long long la = static_cast<long long>(x) - origin;
    const long long lb = static_cast<long long>(y) - origin;
    const int vw = g.pixelWidth(), vh = g.pixelHeight();
    if (la < -4 || lb < -4 || la > vw + 4 || lb > vh + 4)
        return {};
    const int a = static_cast<int>(la), b = static_cast<int>(lb);
    if (a < 0 && b < 0)
        return {};
    if (a >= vw - 1 && b >= vh - 1)
        return {};
    const int p = g.pitch, z = g.edgeZone();
    HoverElement h{a / p, b / p, kind::none};
    if (h.column < g.width && h.row < g.height) {
        const int u = a % p, v = b % p;
        if (u < z && v < z) {
            h.kind = v < u ? kind::horizontal : kind::vertical;
        } else if (u < z) {
            if (v > p - z && u > p - v - 1) {
                h.kind = kind::horizontal;
                ++h.row;
            } else {
                h.kind = kind::vertical;
            }
        } else if (u > p - z && v < z) {
            if (v > p - u - 1) {
                h.kind = kind::vertical;
                ++h.column;
            } else {
                h.kind = kind::horizontal;
            }
        } else if (u > p - z) {
            if (v > p - z && v >= u) {
                h.kind = kind::horizontal;
                ++h.row;
            } else {
                h.kind = kind::vertical;
                ++h.column;
            }
        } else if (v < z) {
            h.kind = kind::horizontal;
        } else if (v <= p - z) {
            h.kind = kind::cell;
        } else {
            h.kind = kind::horizontal;
            ++h.row;
        }
    }
    // Borders of a map narrower or lower than the view have their twin on the opposite border.
    if (g.width < g.standardCells()) {
        if (h.kind == kind::vertical && h.column == 0)
            h.kind = kind::twin | kind::vertical;
        if (h.column >= g.width) {
            h.column = 0;
            h.kind = kind::twin | kind::vertical;
        }
    } else if (h.column >= g.columns) {
        h.column = g.columns;
        h.kind = kind::vertical;
    }
    if (g.height < g.standardCells()) {
        if (h.kind == kind::horizontal && h.row == 0)
            h.kind = kind::twin | kind::horizontal;
        if (h.row >= g.height) {
            h.row = 0;
            h.kind = kind::twin | kind::horizontal;
        }
    } else if (h.row >= g.rows) {
        h.row = g.rows;
        h.kind = kind::horizontal;
    }
    if (h.kind == kind::none)
        return {};
    return h;
}

CellRect cellRect(CellPoint a, CellPoint b) {
    return {std::min(a.column, b.column), std::min(a.row, b.row), std::max(a.column, b.column),
            std::max(a.row, b.row)};
}

bool contains(const CellRect& rect, CellPoint p) {
    return p.column >= rect.left && p.column <= rect.right && p.row >= rect.top && p.row <= rect.bottom;
}

CellRect extendedFor(CellRect rect, int edgeKind) {
    if ((edgeKind & 15) == kind::horizontal)
        ++rect.bottom;
    else if ((edgeKind & 15) == kind::vertical)
        ++rect.right;
    return rect;
}

PixelRect cursorConfinement(const ViewGeometry& g) {
    return {origin - 2, origin - 2, origin + g.pixelWidth() + 3, origin + g.pixelHeight() + 3};
}

CellPoint clampOrigin(const ViewGeometry& g, CellPoint o) {
    return {std::clamp(o.column, 0, std::max(g.width - g.columns, 0)),
            std::clamp(o.row, 0, std::max(g.height - g.rows, 0))};
}

CellPoint centredOrigin(const ViewGeometry& g, CellPoint cell) {
    return clampOrigin(g, {cell.column - g.columns / 2, cell.row - g.rows / 2});
}

CellPoint middleCell(const ViewGeometry& g, CellPoint o) {
    return {o.column + std::max(g.columns - 1, 0) / 2, o.row + std::max(g.rows - 1, 0) / 2};
}

bool visibleAt(const ViewGeometry& g, CellPoint o, CellPoint cell) {
    return cell.column >= o.column && cell.column < o.column + g.columns && cell.row >= o.row &&
           cell.row < o.row + g.rows;
}

std::vector<PixelRect> selectionInversion(const ViewGeometry& g, CellPoint o, CellPoint base,
                                          CellPoint current) {
    if (base == current || g.empty())
        return {};
    const CellRect r = cellRect(base, current);
    const long long p = g.pitch;
    auto limit = [](long long v) {
        return static_cast<int>(std::clamp<long long>(v, origin + 1, overlayLimit));
    };
    PixelRect rect{limit((r.left - static_cast<long long>(o.column)) * p + 26),
                   limit((r.top - static_cast<long long>(o.row)) * p + 26),
                   limit((r.right - static_cast<long long>(o.column) + 1) * p + 25),
                   limit((r.bottom - static_cast<long long>(o.row) + 1) * p + 25)};
    if (rect.empty())
        return {};
    return {rect};
}

std::vector<PixelRect> markerInversion(const ViewGeometry& g, CellPoint o, CellPoint base, int style) {
    if (g.empty())
        return {};
    const int p = g.pitch;
    const long long lc = static_cast<long long>(base.column) - o.column;
    const long long lr = static_cast<long long>(base.row) - o.row;
    const bool columnVisible = lc >= 0 && lc < g.columns;
    const bool rowVisible = lr >= 0 && lr < g.rows;
    const int c = static_cast<int>(std::clamp<long long>(lc, -1, g.columns));
    const int r = static_cast<int>(std::clamp<long long>(lr, -1, g.rows));
    std::vector<PixelRect> rects;
    if (style == 0) {
        if (columnVisible && rowVisible) {
            const int inset = g.wide ? 3 : 5;
            const int sideLength = g.wide ? p - 5 : p - 9;
            const int x = origin + c * p + inset, y = origin + r * p + inset;
            rects.push_back({x, y, x + sideLength, y + sideLength});
        }
    } else if (style == 1) {
        const int from = g.wide ? 30 : 33;
        const int width = g.wide ? p - 9 : p - 15;
        if (columnVisible)
            rects.push_back({c * p + from, bandFrom, c * p + from + width, bandTo});
        if (rowVisible)
            rects.push_back({bandFrom, r * p + from, bandTo, r * p + from + width});
    }
    return rects;
}

std::vector<PixelRect> hoverInversion(const ViewGeometry& g, const HoverElement& h) {
    if (h.none() || g.empty())
        return {};
    const int p = g.pitch;
    auto horizontalBar = [p](int c, int r) {
        return PixelRect{c * p + 25, r * p + 24, c * p + p + 26, r * p + 27};
    };
    auto verticalBar = [p](int c, int r) {
        return PixelRect{c * p + 24, r * p + 25, c * p + 27, r * p + p + 26};
    };
    std::vector<PixelRect> rects;
    switch (h.baseKind()) {
    case kind::horizontal:
        rects.push_back(horizontalBar(h.column, h.row));
        if (h.kind & kind::twin)
            rects.push_back(horizontalBar(h.column, g.rows));
        break;
    case kind::vertical:
        rects.push_back(verticalBar(h.column, h.row));
        if (h.kind & kind::twin)
            rects.push_back(verticalBar(g.columns, h.row));
        break;
    case kind::cell: {
        const int sideLength = g.wide ? p - 9 : p - 13;
        const int at = g.wide ? 30 : 32;
        rects.push_back(
            {h.column * p + at, h.row * p + at, h.column * p + at + sideLength, h.row * p + at + sideLength});
        break;
    }
    default:
        break;
    }
    return rects;
}

AutoScrollStep autoScrollStep(int bits) {
    AutoScrollStep step;
    switch (bits) {
    case direction::right:
        step.scrollRequest = scroll::columnRight;
        step.moveBy = {1, 0};
        break;
    case direction::left:
        step.scrollRequest = scroll::columnLeft;
        step.moveBy = {-1, 0};
        break;
    case direction::below:
        step.scrollRequest = scroll::rowDown;
        step.moveBy = {0, 1};
        break;
    case direction::above:
        step.scrollRequest = scroll::rowUp;
        step.moveBy = {0, -1};
        break;
    case direction::right | direction::below:
        step.diagonalButton = diagonal::downRight;
        step.moveBy = {1, 1};
        break;
    case direction::left | direction::below:
        step.diagonalButton = diagonal::downLeft;
        step.moveBy = {-1, 1};
        break;
    case direction::right | direction::above:
        step.diagonalButton = diagonal::upRight;
        step.moveBy = {1, -1};
        break;
    case direction::left | direction::above:
        step.diagonalButton = diagonal::upLeft;
        step.moveBy = {-1, -1};
        break;
    default:
        step.stop = true;
        break;
    }
    return step;
}

CellPoint advanceWithin(CellPoint point, int bits, int width, int height) {
    const AutoScrollStep step = autoScrollStep(bits);
    if (step.stop || width <= 0 || height <= 0)
        return point;
    // Each coordinate moves while it can: a single step stops at the edge, a diagonal one slides along it.
    return {std::clamp(point.column + step.moveBy.column, 0, width - 1),
            std::clamp(point.row + step.moveBy.row, 0, height - 1)};
}

} // namespace tav
