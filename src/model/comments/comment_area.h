#pragma once
// A comment area: a framed, word-wrapped text box over the map with an optional pointer line to an anchor
// point. Its geometry is kept per edge as a cell and an offset in 1/35 cell, so it survives switching
// between normal and wide view; the pixel geometry of the current view is derived from that.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/comments/comment_record.h"
#include "model/comments/pixel_rect.h"

namespace tav {

namespace comment {
constexpr int maxCells = 255; // positions keep an 8-bit cell index
constexpr int unitsPerCell = 35;
constexpr int minSide = 8;
constexpr int anchorReach = 3; // how far from the anchor point a press still grabs it
constexpr int edgeBand = 5;    // how far inside the frame a press grabs an edge
constexpr int defaultWidth = 80;
constexpr int defaultHeight = 60;

// Drag parts: 0 nothing; frame + edge bits (frame alone moves the whole frame); the anchor point.
namespace part {
constexpr int none = 0;
constexpr int left = 1;
constexpr int right = 2;
constexpr int top = 4;
constexpr int bottom = 8;
constexpr int frame = 16;
constexpr int anchor = 48;
} // namespace part
} // namespace comment

// A scale-independent coordinate: a cell index and an offset inside it in 1/35 of a cell.
struct CommentPosition {
    std::uint8_t cell = 0;
    std::uint8_t offset = 0;
    bool operator==(const CommentPosition&) const = default;
};

struct CommentStoredPosition {
    CommentPosition left, top, right, bottom, anchorX, anchorY;
    bool operator==(const CommentStoredPosition&) const = default;
};

// Pixels per cell and 1/35-cell units shown per cell: 34 and 35 in normal view, 22 and 23 in wide view.
int commentPitch(bool wide);
int commentScale(bool wide);
// A negative pixel counts as 0 and cell indexes stop at maxCells.
CommentPosition toCommentPosition(int pixel, bool wide);
int toPixel(CommentPosition position, bool wide);
// Point sizes between the normal-view scale and the given view, rounded to nearest, halves up.
int scaledPointSize(int normalSize, bool wide);
int normalPointSize(int currentSize, bool wide);

// Everything that defines the area's font; the Windows side makes the font object from it.
struct CommentFontDefinition {
    std::string face;
    int pointSize = 9; // at the current view's scale
    int weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charset = comment::shiftJisCharset;
    bool operator==(const CommentFontDefinition&) const = default;
};

// The look of an area as the format dialog edits it; the point size is at the current view's scale.
struct CommentFormat {
    std::string face;
    std::uint8_t charset = comment::shiftJisCharset;
    int pointSize = 9;
    std::uint8_t styleFlags = 0;
    std::uint32_t frameColour = 0;
    std::uint32_t backgroundColour = 0xFFFFFF;
    std::uint32_t textColour = 0;
    std::uint8_t frameStyle = 0;
    std::uint8_t anchorStyle = 0;
    std::uint8_t alignment = 0;
    bool operator==(const CommentFormat&) const = default;
};

// Mouse cursor for a spot of an area; the Windows side maps these to its system cursors.
enum class CommentCursor { none, anchor, move, sizeNS, sizeWE, sizeNWSE, sizeNESW };

// Screen geometry of one draw: frame, anchor point and text rectangle.
struct CommentDrawGeometry {
    PixelRect frame;
    PixelPoint anchor;
    PixelRect text;
};

// Screen pixels an area may touch when drawn with this geometry: frame, pointer line and end mark.
PixelRect commentDrawBounds(const CommentDrawGeometry& geometry);

class CommentArea {
public:
    // The default look with an 80 x 60 frame at the map's top-left corner.
    CommentArea();
    // A new area with the default look, its frame centred in the visible map rectangle (map pixels of
    // the given view) of a map of columns x rows cells.
    static CommentArea create(const PixelRect& visible, int columns, int rows, bool wide);

    // The map the invariants keep the area inside (0 x 0: only the 8-bit cell range). The area is not
    // refitted now; the next change of frame or anchor keeps it inside.
    void setMapSize(int columns, int rows);
    // Fills the area from a stored record (normal-view pixels) and shows it in the given view. Values
    // from outside are kept to the invariants.
    void setFromRecord(const CommentRecord& record, bool wide);
    // The record brought up to date: geometry rebuilt at the normal-view scale from the stored position.
    CommentRecord copyRecord() const;
    // Recomputes frame, anchor and point size of the given view from the stored position.
    void rescale(bool wide);

    const std::string& text() const { return text_; }
    // True when the text changed.
    bool setText(std::string text);

    bool isWide() const { return wide_; }
    const PixelRect& frame() const { return frame_; }
    // Anchor point in map pixels, and its offset from the frame's top-left.
    PixelPoint anchor() const { return anchor_; }
    PixelPoint anchorOffset() const { return {anchor_.x - frame_.left, anchor_.y - frame_.top}; }
    const CommentStoredPosition& storedPosition() const { return stored_; }
    // The map pixels of the current view the area may paint.
    PixelRect mapBounds() const { return commentDrawBounds({frame_, anchor_, {}}); }

    std::uint32_t frameColour() const { return look_.frameColour; }
    std::uint32_t backgroundColour() const { return look_.backgroundColour; }
    std::uint32_t textColour() const { return look_.textColour; }
    std::uint8_t frameStyle() const { return look_.frameStyle; }
    std::uint8_t anchorStyle() const { return look_.anchorStyle; }
    std::uint8_t alignment() const { return look_.alignment; }
    int pointSize() const { return pointSize_; }
    int normalPointSize() const { return normalPointSize_; }

    CommentFormat format() const;
    // True when anything changed. The normal-scale point size follows the given current one.
    bool setFormat(const CommentFormat& format);
    CommentFontDefinition fontDefinition() const;
    // Changes whenever the font definition may have changed (rescale, record, format), so a font object made
    // from the definition can be kept until then.
    unsigned fontRevision() const { return fontRevision_; }

    // Geometry changes: each keeps the invariants (frame at least 8 x 8 and inside the map, anchor inside
    // the map), recomputes the stored position of what moved and answers whether anything moved.
    // Moves the frame; the anchor stays where it is on the map.
    bool moveBy(int dx, int dy);
    // Moves the anchor point by (dx, dy) on the map.
    bool shiftAnchorBy(int dx, int dy);
    // Puts the anchor at this offset from the frame's top-left.
    bool setAnchor(int dx, int dy);
    // New frame (normalised); the anchor stays where it is on the map.
    bool setFrame(const PixelRect& frame);

    // Mouse, at map pixels of the current view. hitTest sets the drag part and starts a drag on a hit;
    // a miss clears both.
    bool hitTest(PixelPoint point);
    CommentCursor cursorAt(PixelPoint point) const;
    int dragPart() const { return part_; }
    bool isDragging() const { return dragging_; }
    // The rectangle that follows the mouse, in screen pixels; meaningful while dragging.
    const PixelRect& feedback() const { return feedback_; }
    // Marks the area as grabbed as a whole without starting a drag (the selection border shows).
    void select();
    void clearDragPart();
    // Screen pixels. A dragged edge pushed past its opposite becomes that edge.
    void dragBy(int dx, int dy);
    // Applies or discards the drag; true when frame or anchor changed.
    bool endDrag(bool apply);

    // Starts a draw with the visible map rectangle and the screen point of map pixel (visible.left,
    // visible.top): keeps a resize drag's fixed edges on the map when the view scrolled, remembers the
    // mapping and the screen rectangle, and gives the screen geometry.
    CommentDrawGeometry beginDraw(const PixelRect& visible, PixelPoint screenOrigin);
    // The same without working out the geometry, for an area a draw leaves out.
    void placeOnScreen(const PixelRect& visible, PixelPoint screenOrigin);
    // The same screen geometry, without remembering anything.
    CommentDrawGeometry drawGeometry(const PixelRect& visible, PixelPoint screenOrigin) const;
    // The screen geometry the area would have after rescale(wide), leaving it as it is.
    CommentDrawGeometry drawGeometry(const PixelRect& visible, PixelPoint screenOrigin, bool wide) const;
    // Frame in screen pixels with the mapping of the last draw.
    PixelRect screenFrame() const;
    // The text rectangle of screenFrame().
    PixelRect textRect() const;
    // The screen frame of the last draw, empty when it was outside the visible area.
    const PixelRect& lastScreenRect() const { return screenRect_; }

private:
    void place(const PixelRect& visible, int columns, int rows, bool wide);
    int pitch() const { return commentPitch(wide_); }
    PixelPoint mapLimit() const;
    PixelRect fitFrame(long long left, long long top, long long right, long long bottom) const;
    PixelPoint fitAnchor(long long x, long long y) const;
    // Stores the position of the coordinates that differ from the old ones.
    void storeFrame(const PixelRect& old);
    void storeAnchor(PixelPoint old);
    void switchCrossedEdges();
    int edgeBits(PixelPoint point) const;
    PixelPoint mapToScreen() const;

    CommentRecord look_ = CommentRecord::defaults(); // geometry fields unused until copyRecord
    std::string text_;
    CommentStoredPosition stored_;
    int normalPointSize_ = 9;
    bool wide_ = false;
    PixelRect frame_;
    PixelPoint anchor_;
    int pointSize_ = 9;
    unsigned fontRevision_ = 0;
    int columns_ = 0;
    int rows_ = 0;

    int part_ = comment::part::none;
    bool dragging_ = false;
    PixelRect feedback_;
    PixelPoint visibleOrigin_;
    PixelPoint screenOrigin_;
    PixelRect screenRect_;
};

// Bottom-most first.
using CommentList = std::vector<std::unique_ptr<CommentArea>>;

// The text rectangle inside a frame of the given style.
PixelRect commentTextRect(const PixelRect& frame, std::uint8_t frameStyle);
// Moves the text down for middle or bottom alignment when the measured text is shorter than the rectangle.
PixelRect alignTextVertically(const PixelRect& textRect, int textHeight, int verticalAlignment);

} // namespace tav
