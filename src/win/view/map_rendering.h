#pragma once
// The map as pixels: the view's 404x404 image with grid and rulers, and the whole map on white for
// printing and image export. Cells are drawn in the same order by both, through the mark drawing.
#include <windows.h>

#include <vector>

#include "model/comments/pixel_rect.h"

namespace tav {
class MapDocument;
}

namespace tav::win {

class CommentFontCache;
class DrawingResourceCache;
class RoomMarkImages;

// What the drawing borrows: pens and brushes, the room pictures of the palette, comment fonts.
struct MapDrawingTools {
    DrawingResourceCache& cache;
    const RoomMarkImages& rooms;
    CommentFontCache& fonts;
};

// The view's image with the given first visible column and row (kept inside the map). The comment areas
// remember where they were drawn, for hit testing. False without drawing when dc is missing.
bool drawView(HDC dc, MapDocument& document, int firstColumn, int firstRow, const MapDrawingTools& tools);
// Only what shows inside these image rectangles (right and bottom exclusive), with the pixels drawView gives
// there; the rest of the image is left as it is. Only the comment areas at the given list positions
// (ascending) are looked at: they must hold every area that may show in the rectangles, and they remember
// where they are, as with drawView.
bool drawViewParts(HDC dc, MapDocument& document, int firstColumn, int firstRow, const MapDrawingTools& tools,
                   const std::vector<PixelRect>& parts, const std::vector<int>& areas);
// As drawViewParts, into an image kept aside for another origin: the comment areas are not told where they
// show, so the view's hit testing keeps the places of the image it shows.
bool drawViewAside(HDC dc, MapDocument& document, int firstColumn, int firstRow, const MapDrawingTools& tools,
                   const std::vector<PixelRect>& parts, const std::vector<int>& areas);
// How far the drawing of one cell may reach beyond its grid lines in the view of this mode.
int viewCellReach(bool wide);

// Cells firstColumn..endColumn-1 by firstRow..endRow-1 on white with the grid's top-left at (left, top),
// in normal or wide scale whatever the view shows; no rulers. dc must be a memory context with a bitmap
// selected, else nothing is drawn and the result is false. The document's comment areas are left as they
// are.
bool drawWholeMap(HDC dc, const MapDocument& document, bool wide, int firstColumn, int firstRow,
                  int endColumn, int endRow, int imageWidth, int imageHeight, int left, int top,
                  const MapDrawingTools& tools);

} // namespace tav::win
