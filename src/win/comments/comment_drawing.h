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
    // The font already made for this definition; nullptr when none is kept. Never drops a font.
    HFONT find(const CommentFontDefinition& definition) const;
    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        CommentFontDefinition definition;
        Font font;
    };
    std::size_t limit_;
    std::deque<Entry> entries_;
};

// Keeps comment fonts selected in a context while several areas are drawn, since selecting a font costs
// more than drawing a whole frame; the context's own font comes back at the end.
class CommentFontSelection {
public:
    CommentFontSelection(HDC dc, CommentFontCache& fonts) : dc_(dc), fonts_(fonts) {}
    ~CommentFontSelection() { restore(); }
    CommentFontSelection(const CommentFontSelection&) = delete;
    CommentFontSelection& operator=(const CommentFontSelection&) = delete;
    // Selects the area's font, or leaves the context's own font when none can be made.
    void select(const CommentArea& area);

private:
    void restore();
    HDC dc_;
    CommentFontCache& fonts_;
    HGDIOBJ original_ = nullptr; // the context's font while one of ours is selected
    HFONT current_ = nullptr;
};

// Draws one area: pointer line, frame, text and anchor end mark. visible is the visible map rectangle in
// map pixels, origin the screen point where its top-left shows. The area remembers the mapping for hit
// testing and drag feedback.
void drawCommentArea(HDC dc, CommentArea& area, const PixelRect& visible, POINT origin,
                     DrawingResourceCache& cache, CommentFontCache& fonts);
// The same for one of several areas drawn in a row, sharing their font selection. Without withText the
// text is left out, for a caller that knows it would not show.
void drawCommentArea(HDC dc, CommentArea& area, const PixelRect& visible, POINT origin,
                     DrawingResourceCache& cache, CommentFontSelection& fonts, bool withText = true);

// Over the map image, for the area being worked on: the hatched border of a grabbed frame or the marked
// anchor point, and the focus outline that follows the mouse during a drag. Uses the mapping of the last
// drawCommentArea.
void drawCommentFeedback(HDC dc, const CommentArea& area, DrawingResourceCache& cache);

// What drawCommentFeedback reads of an area, and where it may paint: equal looks paint the same pixels.
struct CommentFeedbackLook {
    int part = 0;
    PixelRect frame;
    PixelPoint anchorOffset;
    std::uint32_t frameColour = 0;
    bool dragging = false;
    PixelRect feedback;
    PixelRect bounds; // empty when nothing is drawn
    bool operator==(const CommentFeedbackLook&) const = default;
};
CommentFeedbackLook commentFeedbackLook(const CommentArea& area);

// The sample of the format dialog's appearance page: an area in the given look, saying "コメント領域" in
// "ＭＳ ゴシック" 8 points, with a pointer line to an anchor below and its selection border, on white.
void drawCommentSample(HDC dc, const RECT& place, const CommentFormat& look, DrawingResourceCache& cache,
                       CommentFontCache& fonts);

// The system cursor asked for; nullptr for none.
LPCWSTR commentCursorId(CommentCursor cursor);
HCURSOR loadCommentCursor(CommentCursor cursor);

} // namespace tav::win
