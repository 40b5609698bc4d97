#pragma once
// Where every comment area lies, kept in flat lists beside the document's list and in a coarse grid over the
// map, so that the view finds the few areas of a small part of the map without visiting thousands of areas.
#include <vector>

#include "model/comments/comment_area.h"
#include "model/comments/pixel_rect.h"

namespace tav {

class CommentPlacements {
public:
    // Reads every area of the list again.
    void rebuild(const CommentList& list);
    void clear();
    // Reads the areas that changed in place again; false (and nothing kept) when one is not where it was
    // kept, so the caller rebuilds.
    bool update(const CommentList& list, const std::vector<const CommentArea*>& changed);
    // The kept list matches the document's in length and order.
    bool matches(const CommentList& list) const;

    // List positions, ascending, of the areas whose drawing (map pixels) may meet one of the rectangles.
    std::vector<int> meeting(const std::vector<PixelRect>& mapRects) const;
    // Frames in map pixels, by list position.
    const std::vector<PixelRect>& frames() const { return frames_; }

private:
    // Grid squares touched by r, clamped to the grid; false when r is empty.
    bool squares(const PixelRect& r, int& left, int& top, int& right, int& bottom) const;
    void buildGrid() const;

    std::vector<const CommentArea*> areas_;
    std::vector<PixelRect> frames_;
    std::vector<PixelRect> bounds_;
    // List positions by grid square, made on the first query after a rebuild: square k holds
    // entries_[starts_[k] .. starts_[k + 1]). Areas spread over many squares, and areas moved since, are
    // looked at on every query; a moved area's old entries only cost a look at its new bounds.
    mutable bool gridMade_ = false;
    mutable int columns_ = 0;
    mutable int rows_ = 0;
    mutable std::vector<int> starts_;
    mutable std::vector<int> entries_;
    mutable std::vector<int> spread_;
    std::vector<int> moved_;
};

} // namespace tav
