#include "model/document/map_damage.h"

#include <algorithm>

namespace tav {

void MapDamage::addCells(CellRect rect) {
    if (everything_)
        return;
    if (rect.left > rect.right)
        std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom)
        std::swap(rect.top, rect.bottom);
    if (tooMany()) {
        addEverything();
        return;
    }
    cells_.push_back(rect);
}

void MapDamage::addPixels(const PixelRect& rect) {
    if (everything_ || rect.empty())
        return;
    if (tooMany()) {
        addEverything();
        return;
    }
    pixels_.push_back(rect);
}

void MapDamage::addChangedArea(const CommentArea* area) {
    if (everything_ || listChanged_ || !area)
        return;
    if (std::find(areas_.begin(), areas_.end(), area) != areas_.end())
        return;
    if (areas_.size() >= maxPieces) {
        addCommentListChange(); // finding them all again costs no more
        return;
    }
    areas_.push_back(area);
}

void MapDamage::addCommentListChange() {
    listChanged_ = true;
    areas_.clear();
}

void MapDamage::addEverything() {
    everything_ = true;
    listChanged_ = true;
    cells_.clear();
    pixels_.clear();
    areas_.clear();
}

void MapDamage::clear() {
    everything_ = false;
    listChanged_ = false;
    cells_.clear();
    pixels_.clear();
    areas_.clear();
}

} // namespace tav
