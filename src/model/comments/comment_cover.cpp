#include "model/comments/comment_cover.h"

#include <algorithm>

namespace tav {

namespace {

constexpr int wordBits = 64;

PixelRect intersection(const PixelRect& a, const PixelRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// Bits first..last (inclusive) of one word.
std::uint64_t bitRange(int first, int last) {
    return (~std::uint64_t{0} << first) & (~std::uint64_t{0} >> (wordBits - 1 - last));
}

} // namespace

PixelRect commentOpaqueRect(const CommentDrawGeometry& g, std::uint8_t frameStyle, bool filled) {
    if (!filled)
        return {};
    const PixelRect f = g.frame.normalised();
    PixelRect inside;
    switch (frameStyle) {
    case comment::frame::none:
        return {};
    case comment::frame::roundedRectangle:
        // Corners of radius 8: a square 4 pixels in keeps clear of them.
        inside = f.inflated(-4, -4);
        break;
    case comment::frame::ellipse:
        // An ellipse holds the rectangle about 15% in from each side.
        inside = f.inflated(-(f.width() * 15 / 100 + 2), -(f.height() * 15 / 100 + 2));
        break;
    default:
        // Without a pen the fill stops a pixel short on the right and at the bottom.
        inside = f.inflated(-1, -1);
        break;
    }
    return inside.empty() ? PixelRect{} : inside;
}

PixelRect commentLineBounds(const CommentDrawGeometry& g) {
    const PixelRect f = g.frame.normalised();
    const PixelPoint centre{(f.left + f.right) / 2, (f.top + f.bottom) / 2};
    return {std::min(centre.x, g.anchor.x), std::min(centre.y, g.anchor.y),
            std::max(centre.x, g.anchor.x) + 1, std::max(centre.y, g.anchor.y) + 1};
}

PixelRect commentEndMarkBounds(const CommentDrawGeometry& g) {
    return {g.anchor.x - 3, g.anchor.y - 3, g.anchor.x + 4, g.anchor.y + 4};
}

PixelCover::PixelCover(const PixelRect& bounds) : bounds_(bounds.empty() ? PixelRect{} : bounds) {
    wordsPerRow_ = (bounds_.width() + wordBits - 1) / wordBits;
    bits_.assign(static_cast<std::size_t>(wordsPerRow_) * static_cast<std::size_t>(bounds_.height()), 0);
}

void PixelCover::add(const PixelRect& r) {
    const PixelRect c = intersection(r, bounds_);
    if (c.empty())
        return;
    const int first = c.left - bounds_.left, last = c.right - 1 - bounds_.left;
    for (int y = c.top; y < c.bottom; ++y) {
        std::uint64_t* row = &bits_[static_cast<std::size_t>(y - bounds_.top) * wordsPerRow_];
        for (int w = first / wordBits; w <= last / wordBits; ++w)
            row[w] |= bitRange(w == first / wordBits ? first % wordBits : 0,
                               w == last / wordBits ? last % wordBits : wordBits - 1);
    }
}

bool PixelCover::covers(const PixelRect& r) const {
    const PixelRect c = intersection(r, bounds_);
    if (c.empty())
        return true;
    const int first = c.left - bounds_.left, last = c.right - 1 - bounds_.left;
    for (int y = c.top; y < c.bottom; ++y) {
        const std::uint64_t* row = &bits_[static_cast<std::size_t>(y - bounds_.top) * wordsPerRow_];
        for (int w = first / wordBits; w <= last / wordBits; ++w) {
            const std::uint64_t mask = bitRange(w == first / wordBits ? first % wordBits : 0,
                                                w == last / wordBits ? last % wordBits : wordBits - 1);
            if ((row[w] & mask) != mask)
                return false;
        }
    }
    return true;
}

CommentOcclusion::CommentOcclusion(const PixelRect& clip, const std::vector<PixelRect>* parts)
    : clip_(clip), parts_(parts), cover_(clip) {}

// Only what lies in the clip, or in the parts drawn, counts: a piece showing just beside them is hidden all
// the same.
bool CommentOcclusion::hidden(const PixelRect& r) const {
    if (!r.intersects(clip_))
        return true;
    if (!parts_)
        return cover_.covers(r);
    for (const PixelRect& part : *parts_) {
        const PixelRect piece = intersection(r, part);
        if (!piece.empty() && !cover_.covers(piece))
            return false;
    }
    return true;
}

CommentPieces CommentOcclusion::place(const CommentDrawGeometry& g, std::uint8_t frameStyle,
                                      std::uint8_t anchorStyle, bool filled, bool hasText) {
    CommentPieces pieces;
    pieces.frame = !hidden(g.frame.normalised());
    // The text stays inside the frame.
    pieces.text = pieces.frame && hasText && !g.text.empty() && !hidden(g.text);
    if (anchorStyle != comment::anchor::noLine) {
        pieces.line = !hidden(commentLineBounds(g));
        pieces.endMark = anchorStyle != comment::anchor::lineOnly && !hidden(commentEndMarkBounds(g));
    }
    if (pieces.any())
        cover_.add(commentOpaqueRect(g, frameStyle, filled));
    return pieces;
}

} // namespace tav
