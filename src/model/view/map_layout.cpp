#include "model/view/map_layout.h"

#include <algorithm>

namespace tav {

namespace {

// Two's-complement wrap, as the 32-bit ruler arithmetic of the stored settings means.
std::int32_t wrap32(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

} // namespace

int mapPitch(bool wide) {
    return wide ? 22 : 34;
}

int standardVisibleCells(bool wide) {
    return wide ? 17 : 11;
}

PixelRect ViewLayout::creamArea() const {
    if (fillsView)
        return {0, 0, map_view::imageSide, map_view::imageSide};
    return {0, 0, columns * pitch + map_view::backdropReach, rows * pitch + map_view::backdropReach};
}

PixelRect ViewLayout::commentClip() const {
    return {map_view::gridOrigin + 1, map_view::gridOrigin + 1, gridRight(), gridBottom()};
}

PixelRect ViewLayout::visibleMapRect() const {
    return {firstColumn * pitch, firstRow * pitch, (firstColumn + columns) * pitch + 1,
            (firstRow + rows) * pitch + 1};
}

ViewLayout viewLayout(int width, int height, bool wide, int firstColumn, int firstRow) {
    ViewLayout l;
    width = std::max(width, 0);
    height = std::max(height, 0);
    const int standard = standardVisibleCells(wide);
    l.pitch = mapPitch(wide);
    l.mapWidth = width;
    l.mapHeight = height;
    l.columns = std::min(width, standard);
    l.rows = std::min(height, standard);
    l.fillsView = l.columns == standard && l.rows == standard;
    // A scroll position past the map would read cells that do not exist.
    l.firstColumn = std::clamp(firstColumn, 0, width - l.columns);
    l.firstRow = std::clamp(firstRow, 0, height - l.rows);
    l.leftBorder = l.firstColumn == 0;
    l.topBorder = l.firstRow == 0;
    l.rightBorder = l.firstColumn + l.columns == width;
    l.bottomBorder = l.firstRow + l.rows == height;
    l.closingColumn = l.rightBorder ? 0 : l.firstColumn + l.columns;
    l.closingRow = l.bottomBorder ? 0 : l.firstRow + l.rows;
    return l;
}

std::int32_t RulerNumbers::column(int k) const {
    return wrap32(std::int64_t(firstColumn) + std::int64_t(columnStep) * k);
}

std::int32_t RulerNumbers::row(int k) const {
    return wrap32(std::int64_t(firstRow) + std::int64_t(rowStep) * k);
}

RulerNumbers rulerNumbers(const RulerSettings& ruler, int width, int height, int firstColumn, int firstRow) {
    RulerNumbers n;
    n.columnStep = ruler.columnStep;
    n.rowStep = ruler.rowStep;
    const std::int64_t columnStep = ruler.columnStep, rowStep = ruler.rowStep;
    switch (ruler.basePosition) {
    case 1:
        n.firstColumn = wrap32(ruler.columnStart + columnStep * firstColumn);
        n.firstRow = wrap32(ruler.rowStart + rowStep * firstRow);
        break;
    case 2:
        // The bottom row carries the start value.
        n.firstColumn = wrap32(ruler.columnStart + columnStep * firstColumn);
        n.firstRow = wrap32(ruler.rowStart + rowStep * (std::int64_t(firstRow) - height + 1));
        break;
    default:
        // The middle column and row (the lower middle for even sizes) read 0.
        n.firstColumn = wrap32(columnStep * (firstColumn - ((width - 1) >> 1)));
        n.firstRow = wrap32(rowStep * (firstRow - ((height - 1) >> 1)));
        break;
    }
    return n;
}

WholeMapLayout wholeMapLayout(int width, int height, bool wide, int firstColumn, int firstRow, int endColumn,
                              int endRow, int imageWidth, int imageHeight, int left, int top) {
    WholeMapLayout l;
    width = std::max(width, 0);
    height = std::max(height, 0);
    l.wide = wide;
    l.pitch = mapPitch(wide);
    l.firstColumn = std::clamp(firstColumn, 0, width);
    l.firstRow = std::clamp(firstRow, 0, height);
    l.endColumn = std::clamp(endColumn, l.firstColumn, width);
    l.endRow = std::clamp(endRow, l.firstRow, height);
    l.left = left;
    l.top = top;
    l.leftBorder = l.firstColumn == 0;
    l.topBorder = l.firstRow == 0;
    l.rightBorder = l.endColumn == width;
    l.bottomBorder = l.endRow == height;
    l.closingColumn = l.rightBorder ? 0 : l.endColumn;
    l.closingRow = l.bottomBorder ? 0 : l.endRow;
    // Inside the margins, and never past the closing grid lines, so a part of the map drawn alone cuts
    // comment areas at its own edge.
    l.commentClip = {left, top, std::min(imageWidth - left, l.gridRight() + 1),
                     std::min(imageHeight - top, l.gridBottom() + 1)};
    l.visibleMapRect = {l.firstColumn * l.pitch, l.firstRow * l.pitch, l.endColumn * l.pitch + 1,
                        l.endRow * l.pitch + 1};
    return l;
}

PixelSize wholeMapImageSize(int width, int height, bool wide, int marginX, int marginY) {
    const int pitch = mapPitch(wide);
    return {std::max(width, 0) * pitch + 2 * marginX + 1, std::max(height, 0) * pitch + 2 * marginY + 1};
}

} // namespace tav
