#pragma once
// Pixel drawing of what a cell carries: wall marks on its edges, the background fill inside it. Room
// pictures are drawn by room_mark_images.h. Every routine borrows its pens and brushes from the drawing
// resource cache, leaves the context's pen and brush as it found them and silently draws nothing for
// input it cannot mean.
#include <windows.h>

#include <cstdint>

#include "model/marks/mark_palette.h"

namespace tav::win {

class DrawingResourceCache;

// Drawing scales. Normal and wide view take the cell's top-left grid corner; icon view takes the top-left
// of a 23x23 icon box and draws across its middle.
namespace mark_scale {
inline constexpr int normal = 0;
inline constexpr int wide = 1;
inline constexpr int icon = 2;
} // namespace mark_scale

// Cell span of a scale: 34 in normal view, 22 in wide and icon view; 0 for an unknown scale.
int markCellSpan(int scale);

enum class WallDirection { horizontal, vertical };

// How many pixels wall lines and marks drawn at a cell's grid corner may reach beyond the cell (its grid
// lines included) in normal or wide view, whatever the shapes: what a partial redraw must widen a cell by.
int wallMarkReach(int scale);

// Wall shape codes: 0 none, 1..12 the figures listed in the wall mark editor.
inline constexpr int lastMarkShape = 12;

// One back or front mark of a wall at (x, y). A frame or inner colour of 0xFF000000 leaves the outline
// or the inside out.
void drawMarkShape(HDC dc, int x, int y, int shape, std::uint32_t frameColour, std::uint32_t innerColour,
                   int scale, WallDirection direction, DrawingResourceCache& cache);

// A wall mark that is not in the palette (history lists, editor preview): its registered flag is ignored.
void drawWallMarkRecord(HDC dc, int x, int y, const WallMarkRecord& record, int scale,
                        WallDirection direction, DrawingResourceCache& cache);
void drawHorizontalWallMarkRecord(HDC dc, int x, int y, const WallMarkRecord& record, int scale,
                                  DrawingResourceCache& cache);
void drawVerticalWallMarkRecord(HDC dc, int x, int y, const WallMarkRecord& record, int scale,
                                DrawingResourceCache& cache);

// The palette's wall mark of slot 1..20; nothing for another slot number or an unregistered slot.
// The palette's registered wall mark in this slot (1-based); nullptr for an empty or unknown slot.
const WallMarkRecord* registeredWallMark(const MarkPalette& palette, int slot);

void drawWallMark(HDC dc, int x, int y, const MarkPalette& palette, int slot, int scale,
                  WallDirection direction, DrawingResourceCache& cache);
void drawHorizontalWallMark(HDC dc, int x, int y, const MarkPalette& palette, int slot, int scale,
                            DrawingResourceCache& cache);
void drawVerticalWallMark(HDC dc, int x, int y, const MarkPalette& palette, int slot, int scale,
                          DrawingResourceCache& cache);

// Fills the cell interior (x+1, y+1) .. (x+S-1, y+S-1) with background candidate 1..8, its pattern
// starting at patternOrigin (logical coordinates). The map passes one origin for all its cells, so equal
// backgrounds of adjacent cells make one unbroken pattern. Leaves the brush origin set.
void fillCellBackground(HDC dc, int x, int y, const BackgroundCandidates& candidates, int candidate,
                        int scale, DrawingResourceCache& cache, POINT patternOrigin);
// The same for a pass over many cells that share one origin, set once beforehand with alignBrushOrigin:
// the brush origin is left as it is.
void fillAlignedCellBackground(HDC dc, int x, int y, const BackgroundCandidates& candidates, int candidate,
                               int scale, DrawingResourceCache& cache);
// A cell on its own (icons, swatches): the pattern starts at the cell's inner corner.
void fillCellBackground(HDC dc, int x, int y, const BackgroundCandidates& candidates, int candidate,
                        int scale, DrawingResourceCache& cache);

} // namespace tav::win
