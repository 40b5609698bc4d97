#include "model/view/view_damage.h"

#include <algorithm>
#include <cstdlib>

namespace tav {

namespace {

constexpr PixelRect wholeImage{0, 0, map_view::imageSide, map_view::imageSide};

PixelRect intersection(const PixelRect& a, const PixelRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

void addInside(std::vector<PixelRect>& out, const PixelRect& r) {
    const PixelRect inside = intersection(r, wholeImage);
    if (!inside.empty())
        out.push_back(inside);
}

struct Span {
    int first = 0;
    int last = -1; // inclusive
};

// The drawn positions 0..size (size being the closing line) a damaged range of cells stands at: the range
// itself, position size for a range holding 0 and position 0 for one holding size.
std::vector<Span> positions(int from, int to, int size) {
    from = std::max(from, 0);
    to = std::min(to, size);
    std::vector<Span> spans;
    if (from > to)
        return spans;
    spans.push_back({from, to});
    if (from == 0 && to < size)
        spans.push_back({size, size});
    if (to == size && from > 0)
        spans.push_back({0, 0});
    return spans;
}

} // namespace

PixelRect cellReach(PixelPoint corner, int pitch, int reach) {
    return {corner.x - reach, corner.y - reach, corner.x + pitch + 1 + reach, corner.y + pitch + 1 + reach};
}

std::vector<PixelRect> damagedImageRects(const MapDamage& damage, const ViewLayout& l, int reach) {
    std::vector<PixelRect> out;
    if (damage.everything()) {
        out.push_back(wholeImage);
        return out;
    }
    // Only the visible positions and the closing line after them are drawn.
    const int endColumn = l.firstColumn + l.columns, endRow = l.firstRow + l.rows;
    for (const CellRect& cells : damage.cells()) {
        for (const Span& columns : positions(cells.left, cells.right, l.mapWidth))
            for (const Span& rows : positions(cells.top, cells.bottom, l.mapHeight)) {
                const int c0 = std::max(columns.first, l.firstColumn);
                const int c1 = std::min(columns.last, endColumn);
                const int r0 = std::max(rows.first, l.firstRow);
                const int r1 = std::min(rows.last, endRow);
                if (c0 > c1 || r0 > r1)
                    continue;
                const PixelRect a = cellReach(l.cellCorner(c0, r0), l.pitch, reach);
                const PixelRect b = cellReach(l.cellCorner(c1, r1), l.pitch, reach);
                addInside(out, {a.left, a.top, b.right, b.bottom});
            }
    }
    const PixelRect clip = l.commentClip();
    const int dx = map_view::gridOrigin - l.firstColumn * l.pitch;
    const int dy = map_view::gridOrigin - l.firstRow * l.pitch;
    for (const PixelRect& pixels : damage.pixels()) {
        const PixelRect r = intersection(pixels.offset(dx, dy), clip);
        if (!r.empty())
            out.push_back(r);
    }
    return out;
}

ScrollReuse scrollReuse(const ViewLayout& before, const ViewLayout& after, int reach) {
    ScrollReuse reuse;
    const int columns = after.firstColumn - before.firstColumn;
    const int rows = after.firstRow - before.firstRow;
    if (before.pitch != after.pitch || before.columns != after.columns || before.rows != after.rows ||
        before.mapWidth != after.mapWidth || before.mapHeight != after.mapHeight ||
        std::abs(columns) >= after.columns || std::abs(rows) >= after.rows)
        return reuse;
    const int p = after.pitch;
    const int g = map_view::gridOrigin;
    const int side = map_view::imageSide;
    const int right = after.gridRight(), bottom = after.gridBottom();
    reuse.possible = true;
    reuse.dx = -columns * p;
    reuse.dy = -rows * p;
    // One pixel more than the reach on each side of a line: the grid line itself. Cells that left the view
    // at the left or top touch the moved image only at the first grid line, with the last pixel of their
    // walls; those that left at the right or bottom reach into it with the marks of their left or top walls.
    const int band = reach + 1;
    if (columns > 0) {
        reuse.redraw.push_back({right - columns * p - band, 0, side, side});
        reuse.redraw.push_back({0, 0, g + 1, side});
    } else if (columns < 0) {
        reuse.redraw.push_back({0, 0, g - columns * p + band, side});
        reuse.redraw.push_back({right - band, 0, side, side});
    }
    if (columns != 0)
        reuse.redraw.push_back({0, 0, side, g}); // the column ruler
    if (rows > 0) {
        reuse.redraw.push_back({0, bottom - rows * p - band, side, side});
        reuse.redraw.push_back({0, 0, side, g + 1});
    } else if (rows < 0) {
        reuse.redraw.push_back({0, 0, side, g - rows * p + band});
        reuse.redraw.push_back({0, bottom - band, side, side});
    }
    if (rows != 0)
        reuse.redraw.push_back({0, 0, g, side}); // the row ruler
    for (PixelRect& r : reuse.redraw)
        r = intersection(r, wholeImage);
    std::erase_if(reuse.redraw, [](const PixelRect& r) { return r.empty(); });
    return reuse;
}

} // namespace tav
