#pragma once
// Which comment areas a drawing may leave out: those whose every pixel later, opaque areas paint over.
// Worked out top-most first, so a map crowded with areas draws only the ones that can show.
#include <cstdint>
#include <vector>

#include "model/comments/comment_area.h"
#include "model/comments/pixel_rect.h"

namespace tav {

// Pixels a drawn area surely paints over whatever lies beneath, given its frame style and whether its
// inside is filled: the frame less a margin that keeps clear of outlines and rounded or elliptic edges.
// Empty when the map shows through.
PixelRect commentOpaqueRect(const CommentDrawGeometry& geometry, std::uint8_t frameStyle, bool filled);

// What the area may touch outside its frame: the pointer line from the frame's centre and the end mark.
PixelRect commentPointerBounds(const CommentDrawGeometry& geometry);

// A set of pixels within fixed bounds, one bit each.
class PixelCover {
public:
    explicit PixelCover(const PixelRect& bounds);
    // Parts outside the bounds are ignored.
    void add(const PixelRect& r);
    // True when every pixel of r that lies within the bounds is in the set.
    bool covers(const PixelRect& r) const;

private:
    PixelRect bounds_;
    int wordsPerRow_ = 0;
    std::vector<std::uint64_t> bits_;
};

} // namespace tav
