#pragma once
// Drawing of comment areas: the area itself over the map image, the selection and drag outline of the
// area being worked on, its font and its mouse cursors.
#include <windows.h>

#include <cstddef>
#include <deque>

#include "model/comments/comment_area.h"
#include "win/platform/handles.h"

namespace tav::win {

class DrawingResourceCache;

// The area's font at 96 dots per inch; when the face cannot be made, "ＭＳ ゴシック" with the Shift-JIS
// character set. Empty only when neither can be made.
Font createCommentFont(const CommentFontDefinition& wanted);

// Font objects for comment areas, shared by areas whose fonts are alike, the oldest dropped beyond a bound.
// Kept by font definition rather than by area, since an area's address may be reused after it is deleted.
class CommentFontCache {
public:
    explicit CommentFontCache(std::size_t limit = 16) : limit_(limit < 1 ? 1 : limit) {}
    // Borrowed; valid until a later call drops it. nullptr when no font can be made.
    HFONT fontFor(const CommentArea& area);
    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        CommentFontDefinition definition;
        Font font;
    };
    std::size_t limit_;
    std::deque<Entry> entries_;
};

// Draws one area: pointer line, frame, text and anchor end mark. visible is the visible map rectangle in
// map pixels, origin the screen point where its top-left shows. The area remembers the mapping for hit
// testing and drag feedback.
void drawCommentArea(HDC dc, CommentArea& area, const PixelRect& visible, POINT origin,
                     DrawingResourceCache& cache, CommentFontCache& fonts);

// Over the map image, for the area being worked on: the hatched border of a grabbed frame or the marked
// anchor point, and the focus outline that follows the mouse during a drag. Uses the mapping of the last
// drawCommentArea.
void drawCommentFeedback(HDC dc, const CommentArea& area, DrawingResourceCache& cache);

// The system cursor asked for; nullptr for none.
LPCWSTR commentCursorId(CommentCursor cursor);
HCURSOR loadCommentCursor(CommentCursor cursor);

} // namespace tav::win
