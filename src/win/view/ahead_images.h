#pragma once
// The view's images for the origins a scroll likely reaches next, drawn a part at a time while the program
// waits for input; a scroll to one of them only exchanges it for the image shown.
#include <array>

#include "model/view/view_ahead.h"
#include "win/platform/dib_image.h"

namespace tav {
class CommentPlacements;
class MapDocument;
} // namespace tav

namespace tav::win {

struct MapDrawingTools;

class AheadImages {
public:
    // Nothing kept is valid any more.
    void forget() { plan_.forget(); }
    // What the document noted since the images were drawn is drawn again in them later.
    void damage(const MapDamage& damage) { plan_.damage(damage); }
    // Aims at the origins around this one, the last scroll's step first.
    void aim(const MapDocument& document, CellPoint origin, CellPoint lastStep);
    // When the image for origin is complete, exchanges it for shown, which is kept as the image of
    // shownOrigin; false otherwise.
    bool takeReady(CellPoint origin, DibImage& shown, CellPoint shownOrigin);
    // Whether any part is still to draw.
    bool due() const { return plan_.due(); }
    // Does the next step due, the most likely origin first: copies a nearby image into an empty one or draws
    // a part. False when nothing was due or an image could not be made. The image shown and placements must
    // be up to date with the document.
    bool drawNext(MapDocument& document, const MapDrawingTools& tools, const CommentPlacements& placements,
                  const DibImage& shown);

private:
    AheadPlan plan_;
    std::array<DibImage, AheadPlan::slotCount> images_;
};

} // namespace tav::win
