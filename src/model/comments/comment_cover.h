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

// What the pointer line from the anchor to the frame's centre may touch.
PixelRect commentLineBounds(const CommentDrawGeometry& geometry);
// The end mark's square around the anchor.
PixelRect commentEndMarkBounds(const CommentDrawGeometry& geometry);

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

// The pieces of one area a drawing paints, in the order it paints them.
struct CommentPieces {
    bool line = false;
    bool frame = false;
    bool text = false;
    bool endMark = false;
    bool any() const { return line || frame || text || endMark; }
};

// Decides, top-most area first, which pieces of each area can show inside a clip (or only inside some
// parts of it): a piece wholly under the opaque insides of areas above it would be painted over anyway.
class CommentOcclusion {
public:
    // parts, when given, must outlive this object.
    explicit CommentOcclusion(const PixelRect& clip, const std::vector<PixelRect>* parts = nullptr);
    // The pieces of this area that can show; from then on its opaque inside covers the areas below.
    CommentPieces place(const CommentDrawGeometry& geometry, std::uint8_t frameStyle,
                        std::uint8_t anchorStyle, bool filled, bool hasText);

private:
    bool hidden(const PixelRect& r) const;
    PixelRect clip_;
    const std::vector<PixelRect>* parts_;
    PixelCover cover_;
};

} // namespace tav
