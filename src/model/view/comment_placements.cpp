#include "model/view/comment_placements.h"

#include <algorithm>

namespace tav {

void CommentPlacements::rebuild(const CommentList& list) {
    clear();
    areas_.reserve(list.size());
    frames_.reserve(list.size());
    bounds_.reserve(list.size());
    for (const auto& area : list) {
        areas_.push_back(area.get());
        frames_.push_back(area->frame());
        bounds_.push_back(area->mapBounds());
    }
}

void CommentPlacements::clear() {
    areas_.clear();
    frames_.clear();
    bounds_.clear();
}

bool CommentPlacements::matches(const CommentList& list) const {
    if (list.size() != areas_.size())
        return false;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].get() != areas_[i])
            return false;
    return true;
}

bool CommentPlacements::update(const CommentList& list, const std::vector<const CommentArea*>& changed) {
    if (list.size() != areas_.size()) {
        clear();
        return false;
    }
    for (const CommentArea* area : changed) {
        // The areas worked on are mostly the top-most.
        const auto at = std::find(areas_.rbegin(), areas_.rend(), area);
        if (at == areas_.rend()) {
            clear();
            return false;
        }
        const std::size_t i = static_cast<std::size_t>(areas_.rend() - at - 1);
        if (i >= list.size() || list[i].get() != area) {
            clear();
            return false;
        }
        frames_[i] = area->frame();
        bounds_[i] = area->mapBounds();
    }
    return true;
}

std::vector<int> CommentPlacements::meeting(const std::vector<PixelRect>& mapRects) const {
    std::vector<int> found;
    for (std::size_t i = 0; i < bounds_.size(); ++i)
        for (const PixelRect& r : mapRects)
            if (bounds_[i].intersects(r)) {
                found.push_back(static_cast<int>(i));
                break;
            }
    return found;
}

} // namespace tav
