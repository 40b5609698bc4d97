#pragma once
// What changed on the map since the view last drew it, so that the view draws that part again instead of
// everything. Cells are kept as cell rectangles, comment areas as the map pixels they may paint in the
// view mode the document shows.
#include <vector>

#include "model/comments/pixel_rect.h"
#include "model/document/cell.h"

namespace tav {

class CommentArea;

class MapDamage {
public:
    // Beyond this many pieces the bookkeeping would cost more than drawing everything.
    static constexpr std::size_t maxPieces = 64;

    // Cells of the rectangle, edges included; column W and row H stand for the wrapped column and row 0.
    void addCells(CellRect rect);
    // Map pixels (right and bottom exclusive) a comment area painted before or paints after a change.
    void addPixels(const PixelRect& rect);
    // An area of the list changed in place (besides the pixels it painted and paints).
    void addChangedArea(const CommentArea* area);
    // Areas were added, removed, re-created or put in another order.
    void addCommentListChange();
    // Nothing is known about what changed: everything is drawn again.
    void addEverything();
    void clear();

    bool everything() const { return everything_; }
    bool empty() const {
        return !everything_ && !listChanged_ && cells_.empty() && pixels_.empty() && areas_.empty();
    }
    const std::vector<CellRect>& cells() const { return cells_; }
    const std::vector<PixelRect>& pixels() const { return pixels_; }
    const std::vector<const CommentArea*>& changedAreas() const { return areas_; }
    bool commentListChanged() const { return everything_ || listChanged_; }

private:
    bool tooMany() const { return cells_.size() + pixels_.size() >= maxPieces; }

    bool everything_ = false;
    bool listChanged_ = false;
    std::vector<CellRect> cells_;
    std::vector<PixelRect> pixels_;
    std::vector<const CommentArea*> areas_;
};

} // namespace tav
