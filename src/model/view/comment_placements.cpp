#include "model/view/comment_placements.h"

#include <algorithm>

namespace tav {

namespace {

constexpr int squareShift = 7; // 128-pixel squares: a few areas' width each
// Areas reaching over more squares than this are looked at on every query instead.
constexpr int maxSquares = 16;
// Areas stay inside the map, whose pixels never go beyond 255 cells of the normal pitch.
constexpr int gridSide = ((comment::maxCells * 34 + 8) >> squareShift) + 1;
// Beyond this many moved areas the grid is made again.
constexpr std::size_t maxMoved = 256;

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
}

void CommentPlacements::clear() {
    areas_.clear();
    frames_.clear();
    bounds_.clear();
    gridMade_ = false;
    starts_.clear();
    entries_.clear();
    spread_.clear();
    moved_.clear();
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

void CommentPlacements::buildGrid() const {
    columns_ = rows_ = 0;
    for (const PixelRect& b : bounds_) {
        if (b.empty())
            continue;
        columns_ = std::max(columns_, std::min(((std::max(b.right, 1) - 1) >> squareShift) + 1, gridSide));
        rows_ = std::max(rows_, std::min(((std::max(b.bottom, 1) - 1) >> squareShift) + 1, gridSide));
    }
    const std::size_t squareCount = static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_);
    starts_.assign(squareCount + 1, 0);
    entries_.clear();
    spread_.clear();
    // Counted first, then filled, so the whole grid is one block.
    auto eachSquare = [&](auto&& visit) {
        for (int i = 0; i < static_cast<int>(bounds_.size()); ++i) {
            int left, top, right, bottom;
            if (!squares(bounds_[static_cast<std::size_t>(i)], left, top, right, bottom))
                continue;
            if ((right - left + 1) * (bottom - top + 1) > maxSquares) {
                visit(i, -1);
                continue;
            }
            for (int y = top; y <= bottom; ++y)
                for (int x = left; x <= right; ++x)
                    visit(i, y * columns_ + x);
        }
    };
    eachSquare([&](int, int square) {
        if (square >= 0)
            ++starts_[static_cast<std::size_t>(square) + 1];
    });
    for (std::size_t k = 1; k < starts_.size(); ++k)
        starts_[k] += starts_[k - 1];
    entries_.resize(static_cast<std::size_t>(starts_.back()));
    std::vector<int> next(starts_.begin(), starts_.end() - 1);
    eachSquare([&](int i, int square) {
        if (square < 0)
            spread_.push_back(i);
        else
            entries_[static_cast<std::size_t>(next[static_cast<std::size_t>(square)]++)] = i;
    });
    gridMade_ = true;
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
        if (gridMade_ && std::find(moved_.begin(), moved_.end(), static_cast<int>(i)) == moved_.end())
            moved_.push_back(static_cast<int>(i));
    }
    if (moved_.size() > maxMoved) {
        gridMade_ = false;
        moved_.clear();
    }
    return true;
}

std::vector<int> CommentPlacements::meeting(const std::vector<PixelRect>& mapRects) const {
    if (!gridMade_)
        buildGrid();
    std::vector<int> found;
    auto look = [&](const int* first, const int* last, const PixelRect& r) {
        for (; first != last; ++first)
            if (bounds_[static_cast<std::size_t>(*first)].intersects(r))
                found.push_back(*first);
    };
    for (const PixelRect& r : mapRects) {
        look(spread_.data(), spread_.data() + spread_.size(), r);
        look(moved_.data(), moved_.data() + moved_.size(), r);
        int left, top, right, bottom;
        if (!squares(r, left, top, right, bottom))
            continue;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) {
                const std::size_t k = static_cast<std::size_t>(y) * columns_ + x;
                look(entries_.data() + starts_[k], entries_.data() + starts_[k + 1], r);
            }
    }
    // An area is found once per square and rectangle it meets.
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

} // namespace tav
