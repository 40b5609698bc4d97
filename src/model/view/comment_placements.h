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
    void insert(int index);
    void remove(int index);

    std::vector<const CommentArea*> areas_;
    std::vector<PixelRect> frames_;
    std::vector<PixelRect> bounds_;
    // List positions by grid square, row by row; an area spread over many squares is kept in spread_ instead.
    int columns_ = 0;
    int rows_ = 0;
    std::vector<std::vector<int>> grid_;
    std::vector<int> spread_;
};

} // namespace tav
