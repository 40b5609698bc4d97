#include "model/view/comment_placements.h"

#include <algorithm>

namespace tav {

namespace {

constexpr int squareShift = 7; // 128-pixel squares: a few areas' width each
// Areas reaching over more squares than this are looked at on every query instead.
constexpr int maxSquares = 16;
// Areas stay inside the map, whose pixels never go beyond 255 cells of the normal pitch.
constexpr int gridSide = ((comment::maxCells * 34 + 8) >> squareShift) + 1;

} // namespace

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
    columns_ = rows_ = 0;
    for (const PixelRect& b : bounds_) {
        if (b.empty())
            continue;
        columns_ = std::max(columns_, std::min(((std::max(b.right, 1) - 1) >> squareShift) + 1, gridSide));
        rows_ = std::max(rows_, std::min(((std::max(b.bottom, 1) - 1) >> squareShift) + 1, gridSide));
    }
    grid_.assign(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), {});
    for (int i = 0; i < static_cast<int>(bounds_.size()); ++i)
        insert(i);
}

void CommentPlacements::clear() {
    areas_.clear();
    frames_.clear();
    bounds_.clear();
    grid_.clear();
    spread_.clear();
    columns_ = rows_ = 0;
}

bool CommentPlacements::matches(const CommentList& list) const {
    if (list.size() != areas_.size())
        return false;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].get() != areas_[i])
            return false;
    return true;
}

bool CommentPlacements::squares(const PixelRect& r, int& left, int& top, int& right, int& bottom) const {
    if (r.empty() || columns_ == 0 || rows_ == 0)
        return false;
    // Whatever lies beyond the grid's last square is kept in that square.
    left = std::clamp(r.left >> squareShift, 0, columns_ - 1);
    top = std::clamp(r.top >> squareShift, 0, rows_ - 1);
    right = std::clamp((r.right - 1) >> squareShift, 0, columns_ - 1);
    bottom = std::clamp((r.bottom - 1) >> squareShift, 0, rows_ - 1);
    return true;
}

void CommentPlacements::insert(int index) {
    int left, top, right, bottom;
    const PixelRect& b = bounds_[static_cast<std::size_t>(index)];
    if (!squares(b, left, top, right, bottom)) {
        // Beyond a grid made for smaller bounds (or an empty one): looked at on every query.
        if (!b.empty())
            spread_.push_back(index);
        return;
    }
    if ((right - left + 1) * (bottom - top + 1) > maxSquares) {
        spread_.push_back(index);
        return;
    }
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            grid_[static_cast<std::size_t>(y) * columns_ + x].push_back(index);
}

void CommentPlacements::remove(int index) {
    auto drop = [index](std::vector<int>& list) {
        const auto at = std::find(list.begin(), list.end(), index);
        if (at == list.end())
            return false;
        list.erase(at);
        return true;
    };
    if (drop(spread_))
        return;
    int left, top, right, bottom;
    if (!squares(bounds_[static_cast<std::size_t>(index)], left, top, right, bottom))
        return;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            drop(grid_[static_cast<std::size_t>(y) * columns_ + x]);
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
        remove(static_cast<int>(i));
        frames_[i] = area->frame();
        bounds_[i] = area->mapBounds();
        insert(static_cast<int>(i));
    }
    return true;
}

std::vector<int> CommentPlacements::meeting(const std::vector<PixelRect>& mapRects) const {
    std::vector<int> found;
    auto look = [&](const std::vector<int>& candidates, const PixelRect& r) {
        for (int i : candidates)
            if (bounds_[static_cast<std::size_t>(i)].intersects(r))
                found.push_back(i);
    };
    for (const PixelRect& r : mapRects) {
        look(spread_, r);
        int left, top, right, bottom;
        if (!squares(r, left, top, right, bottom))
            continue;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                look(grid_[static_cast<std::size_t>(y) * columns_ + x], r);
    }
    // An area is found once per square and rectangle it meets.
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

} // namespace tav
