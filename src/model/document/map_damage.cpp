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

void MapDamage::addEverything() {
    everything_ = true;
    cells_.clear();
    pixels_.clear();
}

void MapDamage::clear() {
    everything_ = false;
    cells_.clear();
    pixels_.clear();
}

} // namespace tav
