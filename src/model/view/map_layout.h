#pragma once
// The arithmetic of drawing a map: which cells and edges a view shows, the ruler numbers and where the
// whole map lands in an image. The Windows side only turns these numbers into drawing calls.
#include <cstdint>

#include "model/comments/comment_area.h"
#include "model/comments/pixel_rect.h"
#include "model/document/ruler.h"

namespace tav {

namespace map_view {
constexpr int imageSide = 404;    // the view's off-screen image is square
constexpr int gridOrigin = 25;    // left and top ruler margin
constexpr int cornerSide = 22;    // the dark square where the rulers meet
constexpr int backdropReach = 29; // cream reaches this far past the last grid line's start
constexpr int tickFrom = 8;       // ruler ticks run from here to tickTo (exclusive)
constexpr int tickTo = 20;
constexpr int columnLabelBottom = 18;
constexpr int rowLabelRight = 18;
constexpr int labelEvery = 5; // ruler numbers are printed on multiples of this
constexpr int printMarginX = 36;
constexpr int printMarginY = 24;
constexpr int exportMargin = 4;
} // namespace map_view

int mapPitch(bool wide);
// Cells per row and column a full view shows: 11 in normal view, 17 in wide view.
int standardVisibleCells(bool wide);

// A cell's background starts one pixel inside its top-left grid corner.
inline PixelPoint patternOriginOf(PixelPoint cellCorner) {
    return {cellCorner.x + 1, cellCorner.y + 1};
}

// What one view rendering shows. The first column and row are kept so the view never reaches past the map.
struct ViewLayout {
    int pitch = 0;
    int mapWidth = 0; // cells of the map
    int mapHeight = 0;
    int firstColumn = 0;
    int firstRow = 0;
    int columns = 0; // visible
    int rows = 0;
    bool fillsView = false; // the map covers the whole view; otherwise grey shows beyond it
    bool leftBorder = false, rightBorder = false, topBorder = false, bottomBorder = false;
    // Columns and rows whose walls close the right and bottom edges; the map wraps to column and row 0.
    int closingColumn = 0;
    int closingRow = 0;

    int gridRight() const { return map_view::gridOrigin + columns * pitch; }
    int gridBottom() const { return map_view::gridOrigin + rows * pitch; }
    // Top-left grid corner of a visible cell given by its map column and row.
    PixelPoint cellCorner(int column, int row) const {
        return {map_view::gridOrigin + (column - firstColumn) * pitch,
                map_view::gridOrigin + (row - firstRow) * pitch};
    }
    // Where fill patterns start: the inner corner of map cell (0,0), even when it is scrolled off, so a
    // pattern runs on from cell to cell and moves with the map.
    PixelPoint patternOrigin() const { return patternOriginOf(cellCorner(0, 0)); }
    // The cream area; the rest of the image is grey when the view is not filled.
    PixelRect creamArea() const;
    // Where comment areas may paint: the grid interior.
    PixelRect commentClip() const;
    // The visible map rectangle in map pixels, as comment areas are given it.
    PixelRect visibleMapRect() const;
};

ViewLayout viewLayout(int width, int height, bool wide, int firstColumn, int firstRow);

// Ruler numbers of the first visible column and row and what each further one adds. Wraps like the
// 32-bit arithmetic it stands for instead of overflowing, whatever a file put into the start values.
struct RulerNumbers {
    std::int32_t firstColumn = 0;
    std::int32_t firstRow = 0;
    int columnStep = 0;
    int rowStep = 0;

    std::int32_t column(int k) const;
    std::int32_t row(int k) const;
};

RulerNumbers rulerNumbers(const RulerSettings& ruler, int width, int height, int firstColumn, int firstRow);
inline bool rulerLabelled(std::int32_t value) {
    return value % map_view::labelEvery == 0;
}

// A rectangle of cells (ends exclusive) drawn into an image with the grid's top-left at the margin.
struct WholeMapLayout {
    int pitch = 0;
    int firstColumn = 0, firstRow = 0, endColumn = 0, endRow = 0; // kept inside the map
    int left = 0, top = 0;                                        // margins
    bool leftBorder = false, rightBorder = false, topBorder = false, bottomBorder = false;
    int closingColumn = 0; // whose vertical walls close the right edge
    int closingRow = 0;
    PixelRect commentClip;
    PixelRect visibleMapRect; // map pixels of the drawn cells
    bool wide = false;

    int gridRight() const { return left + (endColumn - firstColumn) * pitch; }
    int gridBottom() const { return top + (endRow - firstRow) * pitch; }
    PixelPoint cellCorner(int column, int row) const {
        return {left + (column - firstColumn) * pitch, top + (row - firstRow) * pitch};
    }
    // Anchored to the map as in the view, so a printed or exported pattern looks as it does on screen.
    PixelPoint patternOrigin() const { return patternOriginOf(cellCorner(0, 0)); }
};

WholeMapLayout wholeMapLayout(int width, int height, bool wide, int firstColumn, int firstRow, int endColumn,
                              int endRow, int imageWidth, int imageHeight, int left, int top);

struct PixelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PixelSize&) const = default;
};
// The image the whole map needs with these margins on every side (the closing lines take one more pixel).
PixelSize wholeMapImageSize(int width, int height, bool wide, int marginX, int marginY);

} // namespace tav
