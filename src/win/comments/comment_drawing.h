#pragma once
// Drawing of comment areas: the area itself over the map image, the selection and drag outline of the
// area being worked on, its font and its mouse cursors.
#include <windows.h>

#include <cstddef>
#include <deque>

#include "model/comments/comment_area.h"
#include "model/comments/comment_cover.h"
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

// Keeps what comment areas draw with (font, frame pen, background brush, text colours) selected in a
// context while several areas are drawn, changing only what differs from the area before, since selecting
// costs more than drawing a small frame; the context's own objects and colours come back at the end.
class CommentToolSelection {
public:
    CommentToolSelection(HDC dc, DrawingResourceCache& cache, CommentFontCache& fonts)
        : dc_(dc), cache_(cache), fonts_(fonts) {}
    ~CommentToolSelection() { restore(); }
    CommentToolSelection(const CommentToolSelection&) = delete;
    CommentToolSelection& operator=(const CommentToolSelection&) = delete;
    // The area's font, or the context's own font when none can be made.
    void selectFont(const CommentArea& area);
    // A solid pen of width 1 and a solid brush; noColour gives the null pen or brush.
    void selectPenAndBrush(COLORREF pen, COLORREF brush);
    // Opaque text background in this colour, or a transparent one for noColour.
    void selectTextColours(COLORREF text, COLORREF background);

private:
    void restore();
    void restoreFont();
    HDC dc_;
    DrawingResourceCache& cache_;
    CommentFontCache& fonts_;
    // The context's own objects while one of ours is selected.
    HGDIOBJ originalFont_ = nullptr;
    HGDIOBJ originalPen_ = nullptr;
    HGDIOBJ originalBrush_ = nullptr;
    HFONT font_ = nullptr;
    COLORREF pen_ = 0;
    COLORREF brush_ = 0;
    bool coloursSaved_ = false;
    int originalMode_ = 0;
    COLORREF originalText_ = 0;
    COLORREF originalBackground_ = 0;
    COLORREF text_ = 0;
    COLORREF background_ = 0;
};

// Draws one area: pointer line, frame, text and anchor end mark. visible is the visible map rectangle in
// map pixels, origin the screen point where its top-left shows. The area remembers the mapping for hit
// testing and drag feedback.
void drawCommentArea(HDC dc, CommentArea& area, const PixelRect& visible, POINT origin,
                     DrawingResourceCache& cache, CommentFontCache& fonts);
// One of several areas drawn in a row, sharing their selections, with the screen geometry the caller
// already has (the area is not told about it); pieces the caller knows cannot show are left out.
void drawCommentArea(HDC dc, const CommentArea& area, const CommentDrawGeometry& geometry,
                     const CommentPieces& pieces, CommentToolSelection& tools);

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
