#pragma once
// Which parts of the view's image to draw again after a change or a scroll, so that the view does not draw
// all of it every time. Drawing any of these rectangles alone must give the pixels a whole drawing gives
// there; the rectangles are chosen wide enough for that.
#include <vector>

#include "model/comments/pixel_rect.h"
#include "model/document/map_damage.h"
#include "model/view/map_layout.h"

namespace tav {

// The image pixels (right and bottom exclusive) a cell's drawing at this grid corner may touch: its inside,
// and its walls with their marks, which stray reach pixels across the cell's edges.
PixelRect cellReach(PixelPoint corner, int pitch, int reach);

// Image rectangles to draw again for this damage, inside the image; empty when nothing shows. A cell of
// column 0 also shows as the closing wall on the right border and column W stands for column 0 (likewise
// rows). Comment pixels are map pixels of the layout's view.
std::vector<PixelRect> damagedImageRects(const MapDamage& damage, const ViewLayout& layout, int reach);

// How the image of one origin becomes the image of another origin of the same map and mode: the whole
// image moves by (dx, dy) and the rectangles are drawn again: the strip that comes into view, the rulers
// whose numbers changed and the borders of the grid, where walls of cells that left or entered the view
// and the cut-off comment areas would otherwise stay wrong. Not possible when nothing stays in view.
struct ScrollReuse {
    bool possible = false;
    int dx = 0;
    int dy = 0;
    std::vector<PixelRect> redraw;
};
ScrollReuse scrollReuse(const ViewLayout& before, const ViewLayout& after, int reach);

} // namespace tav
