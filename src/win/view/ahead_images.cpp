#include "win/view/ahead_images.h"

#include "model/document/map_document.h"
#include "model/view/comment_placements.h"
#include "win/view/map_rendering.h"

namespace tav::win {

void AheadImages::aim(const MapDocument& document, CellPoint origin, CellPoint lastStep) {
    plan_.aim(document.width(), document.height(), document.isWide(), viewCellReach(document.isWide()),
              origin, lastStep);
}

bool AheadImages::takeReady(CellPoint origin, DibImage& shown, CellPoint shownOrigin) {
    const int slot = plan_.ready(origin);
    if (slot < 0 || !images_[slot])
        return false;
    shown.swap(images_[slot]);
    plan_.exchanged(slot, shownOrigin);
    return true;
}

bool AheadImages::drawNext(MapDocument& document, const MapDrawingTools& tools,
                           const CommentPlacements& placements, const DibImage& shown) {
    AheadPlan::Step step;
    if (!plan_.next(step) || !placements.matches(document.comments()))
        return false;
    DibImage& image = images_[step.slot];
    if (!image && !image.make(map_view::imageSide, map_view::imageSide)) {
        plan_.forget();
        return false;
    }
    if (step.fill) {
        if (step.copies) {
            HDC from = step.source == AheadPlan::shownImage ? shown.dc() : images_[step.source].dc();
            BitBlt(image.dc(), step.dx, step.dy, map_view::imageSide, map_view::imageSide, from, 0, 0,
                   SRCCOPY);
        }
    } else {
        const ViewLayout l = plan_.layoutOf(step.slot);
        const int dx = l.firstColumn * l.pitch - map_view::gridOrigin;
        const int dy = l.firstRow * l.pitch - map_view::gridOrigin;
        const std::vector<PixelRect> parts{step.part};
        const std::vector<int> areas = placements.meeting({step.part.offset(dx, dy)});
        drawViewAside(image.dc(), document, l.firstColumn, l.firstRow, tools, parts, areas);
    }
    plan_.done(step);
    return true;
}

} // namespace tav::win
