#pragma once
// Images of the view drawn at idle for the origins a scroll is likely to reach next (the last scroll's step
// again and back, a cell and a page each way), so that such a scroll only shows an image instead of drawing
// one. The plan keeps which origin each slot stands for and which parts of its image are still to be drawn;
// the Windows side owns the images and does the steps it is given, one at a time.
#include <array>
#include <vector>

#include "model/comments/pixel_rect.h"
#include "model/document/map_damage.h"
#include "model/view/map_layout.h"
#include "model/view/view_damage.h"
#include "model/view/view_input.h"

namespace tav {

class AheadPlan {
public:
    static constexpr int slotCount = 10;
    // Nothing larger than a tile, of this many to the image's side, is drawn in one step, so that input
    // never waits long: over thousands of comment areas a tile takes about as long as a small edit.
    static constexpr int tilesPerSide = 4;
    // The image shown, as a source to copy from.
    static constexpr int shownImage = -1;

    struct Slot {
        bool wanted = false;
        bool empty = true;   // holds nothing yet: its first step fills it
        bool moving = false; // holds the image of a nearby origin: its first step moves it into place
        int dx = 0, dy = 0;  // by this much
        CellPoint origin;
        std::vector<PixelRect> due; // image rectangles still to draw, first first

        bool complete() const { return !empty && !moving && due.empty(); }
    };

    // One step of drawing ahead: either the filling of a slot, which copies the source image (the slot
    // itself, another complete slot, or the image shown) moved by (dx, dy) when there is one, and leaves
    // due what is then still to draw; or the drawing of one part.
    struct Step {
        int slot = 0;
        bool fill = false;
        bool copies = false;
        int source = shownImage;
        int dx = 0, dy = 0;
        std::vector<PixelRect> due;
        PixelRect part;
    };

    // Aims at the origins worth drawing around the view of this map at this origin, the step of the last
    // scroll first. A slot whose origin stays wanted keeps its image; a new origin takes the complete image
    // nearest to it of those no longer wanted, to move it into place, or else an empty slot. Everything is
    // forgotten when the map's size or the mode differ from before.
    void aim(int width, int height, bool wide, int reach, CellPoint origin, CellPoint lastStep);
    // What the document changed since the images were drawn: each slot draws again what it touches there.
    void damage(const MapDamage& damage);
    // No slot holds anything any more (the map, its mode or its pictures changed).
    void forget();

    // The slot whose image for this origin is complete, or -1. Slots no longer wanted keep their image until
    // they are needed for another origin.
    int ready(CellPoint origin) const;
    // That slot's image was exchanged for the image shown until now, which was complete for this origin.
    void exchanged(int slot, CellPoint shownOrigin);

    // Whether any wanted slot is still to fill or to draw in.
    bool due() const;
    // The next step, the most likely origin first: an empty slot is filled from the complete image that
    // leaves least to draw. False when nothing is due. The image shown must be up to date.
    bool next(Step& step) const;
    // The step next() gave was done.
    void done(const Step& step);

    const Slot& slot(int index) const { return slots_[static_cast<std::size_t>(index)]; }
    // The layout a slot's image is drawn with.
    ViewLayout layoutOf(int slot) const;

private:
    static constexpr int noSource = -2;
    struct Nearest {
        int source = noSource;
        ScrollReuse reuse;
    };
    // The complete image a target is best filled from: the one that leaves least to draw of the image shown
    // (when asked for) and the complete slots not excluded; noSource when drawing all of it is as cheap.
    Nearest nearestImage(const ViewLayout& target, bool shownToo,
                         const std::array<bool, slotCount>& excluded) const;
    ViewLayout layoutAt(CellPoint origin) const;

    std::array<Slot, slotCount> slots_;
    std::vector<int> order_; // wanted slots, most likely first
    int width_ = -1, height_ = -1;
    bool wide_ = false;
    int reach_ = 0;
    CellPoint shown_;
};

// The origins a scroll from this one most likely reaches next: the last step again and back, then a cell and
// a page each way; without repeats and without the origin itself.
std::vector<CellPoint> aheadOrigins(int width, int height, bool wide, CellPoint origin, CellPoint lastStep);

// The rectangles cut into as few pieces as keep each within a tile's area.
std::vector<PixelRect> aheadPieces(const std::vector<PixelRect>& rects);

} // namespace tav
