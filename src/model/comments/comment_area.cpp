#include "model/comments/comment_area.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace tav {

namespace {

using namespace comment;

// Nearest integer of n / d (d > 0), halves up, for either sign of n.
long long roundedDivide(long long n, long long d) {
    long long twice = 2 * n + d;
    long long q = twice / (2 * d);
    if (twice % (2 * d) < 0)
        --q;
    return q;
}

int toPointSize(long long value) {
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<std::int16_t>::min(),
                                                  std::numeric_limits<std::int16_t>::max()));
}

// Keeps [low, high) at least minSide long and inside [0, limit], shifting it back as a whole.
void fitSpan(long long& low, long long& high, long long limit) {
    if (high - low < minSide)
        high = low + minSide;
    if (high > limit) {
        low -= high - limit;
        high = limit;
    }
    if (low < 0) {
        high -= low;
        low = 0;
    }
    high = std::min(high, limit); // only when the frame is wider than the whole map
}

} // namespace

int commentPitch(bool wide) {
    return wide ? 22 : 34;
}

int commentScale(bool wide) {
    return wide ? 23 : 35;
}

CommentPosition toCommentPosition(int pixel, bool wide) {
    const int p = commentPitch(wide);
    pixel = std::clamp(pixel, 0, maxCells * p);
    int cell = pixel / p;
    int offset = (pixel - cell * p) * unitsPerCell / commentScale(wide);
    return {static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(offset)};
}

int toPixel(CommentPosition position, bool wide) {
    return position.cell * commentPitch(wide) + position.offset * commentScale(wide) / unitsPerCell;
}

int scaledPointSize(int normalSize, bool wide) {
    return toPointSize(roundedDivide(static_cast<long long>(normalSize) * commentScale(wide), unitsPerCell));
}

int normalPointSize(int currentSize, bool wide) {
    return toPointSize(roundedDivide(static_cast<long long>(currentSize) * unitsPerCell, commentScale(wide)));
}

CommentArea::CommentArea() {
    place({0, 0, defaultWidth, defaultHeight}, 0, 0, false);
}

CommentArea CommentArea::create(const PixelRect& visible, int columns, int rows, bool wide) {
    CommentArea area;
    area.place(visible, columns, rows, wide);
    return area;
}

void CommentArea::place(const PixelRect& visible, int columns, int rows, bool wide) {
    columns_ = std::max(columns, 0);
    rows_ = std::max(rows, 0);
    wide_ = wide;
    look_ = CommentRecord::defaults();
    normalPointSize_ = look_.pointSize;
    pointSize_ = scaledPointSize(normalPointSize_, wide);
    long long left = visible.left + ((static_cast<long long>(visible.width()) - defaultWidth) >> 1);
    long long top = visible.top + ((static_cast<long long>(visible.height()) - defaultHeight) >> 1);
    frame_ = fitFrame(left, top, left + defaultWidth, top + defaultHeight);
    // Three quarters across, half the frame's height below it.
    anchor_ = fitAnchor(frame_.left + (frame_.width() >> 2) * 3LL, frame_.top + (frame_.height() >> 1) * 3LL);
    stored_ = {toCommentPosition(frame_.left, wide),  toCommentPosition(frame_.top, wide),
               toCommentPosition(frame_.right, wide), toCommentPosition(frame_.bottom, wide),
               toCommentPosition(anchor_.x, wide),    toCommentPosition(anchor_.y, wide)};
    ++fontRevision_;
}

void CommentArea::setMapSize(int columns, int rows) {
    columns_ = std::clamp(columns, 0, maxCells);
    rows_ = std::clamp(rows, 0, maxCells);
}

PixelPoint CommentArea::mapLimit() const {
    const int p = pitch();
    return {(columns_ > 0 ? columns_ : maxCells) * p, (rows_ > 0 ? rows_ : maxCells) * p};
}

PixelRect CommentArea::fitFrame(long long left, long long top, long long right, long long bottom) const {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    const PixelPoint limit = mapLimit();
    fitSpan(left, right, limit.x);
    fitSpan(top, bottom, limit.y);
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom)};
}

PixelPoint CommentArea::fitAnchor(long long x, long long y) const {
    const PixelPoint limit = mapLimit();
    return {static_cast<int>(std::clamp<long long>(x, 0, limit.x)),
            static_cast<int>(std::clamp<long long>(y, 0, limit.y))};
}

// Only what moved is stored again: converting an unmoved wide-view pixel back could shift its position by
// a unit and so move it in normal view.
void CommentArea::storeFrame(const PixelRect& old) {
    if (frame_.left != old.left)
        stored_.left = toCommentPosition(frame_.left, wide_);
    if (frame_.top != old.top)
        stored_.top = toCommentPosition(frame_.top, wide_);
    if (frame_.right != old.right)
        stored_.right = toCommentPosition(frame_.right, wide_);
    if (frame_.bottom != old.bottom)
        stored_.bottom = toCommentPosition(frame_.bottom, wide_);
}

void CommentArea::storeAnchor(PixelPoint old) {
    if (anchor_.x != old.x)
        stored_.anchorX = toCommentPosition(anchor_.x, wide_);
    if (anchor_.y != old.y)
        stored_.anchorY = toCommentPosition(anchor_.y, wide_);
}

void CommentArea::setFromRecord(const CommentRecord& record, bool wide) {
    look_ = record;
    normalPointSize_ = record.pointSize;
    // Fit and store at the normal-view scale the record is in, then show in the wanted view.
    wide_ = false;
    frame_ = fitFrame(record.left, record.top, record.right, record.bottom);
    anchor_ = fitAnchor(static_cast<long long>(record.left) + record.anchorDx,
                        static_cast<long long>(record.top) + record.anchorDy);
    stored_ = {toCommentPosition(frame_.left, false),  toCommentPosition(frame_.top, false),
               toCommentPosition(frame_.right, false), toCommentPosition(frame_.bottom, false),
               toCommentPosition(anchor_.x, false),    toCommentPosition(anchor_.y, false)};
    part_ = part::none;
    dragging_ = false;
    feedback_ = {};
    rescale(wide);
}

CommentRecord CommentArea::copyRecord() const {
    CommentRecord record = look_;
    auto normal = [](CommentPosition position) { return position.cell * 34 + position.offset; };
    record.left = normal(stored_.left);
    record.top = normal(stored_.top);
    record.right = normal(stored_.right);
    record.bottom = normal(stored_.bottom);
    record.anchorDx = normal(stored_.anchorX) - record.left;
    record.anchorDy = normal(stored_.anchorY) - record.top;
    record.pointSize = static_cast<std::int16_t>(normalPointSize_);
    record.reserved = 0;
    return record;
}

void CommentArea::rescale(bool wide) {
    wide_ = wide;
    frame_ = {toPixel(stored_.left, wide), toPixel(stored_.top, wide), toPixel(stored_.right, wide),
              toPixel(stored_.bottom, wide)};
    anchor_ = {toPixel(stored_.anchorX, wide), toPixel(stored_.anchorY, wide)};
    pointSize_ = scaledPointSize(normalPointSize_, wide);
    ++fontRevision_;
}

bool CommentArea::setText(std::string text) {
    if (text == text_)
        return false;
    text_ = std::move(text);
    return true;
}

CommentFormat CommentArea::format() const {
    CommentFormat f;
    f.face = look_.face();
    f.charset = look_.charset;
    f.pointSize = pointSize_;
    f.styleFlags = look_.styleFlags;
    f.frameColour = look_.frameColour;
    f.backgroundColour = look_.backgroundColour;
    f.textColour = look_.textColour;
    f.frameStyle = look_.frameStyle;
    f.anchorStyle = look_.anchorStyle;
    f.alignment = look_.alignment;
    return f;
}

bool CommentArea::setFormat(const CommentFormat& f) {
    if (f == format())
        return false;
    const CommentFontDefinition oldFont = fontDefinition();
    look_.setFace(f.face);
    look_.charset = f.charset;
    look_.styleFlags = f.styleFlags;
    look_.frameColour = f.frameColour;
    look_.backgroundColour = f.backgroundColour;
    look_.textColour = f.textColour;
    look_.frameStyle = f.frameStyle;
    look_.anchorStyle = f.anchorStyle;
    look_.alignment = f.alignment;
    pointSize_ = toPointSize(f.pointSize);
    normalPointSize_ = tav::normalPointSize(pointSize_, wide_);
    if (fontDefinition() != oldFont)
        ++fontRevision_;
    return true;
}

CommentFontDefinition CommentArea::fontDefinition() const {
    CommentFontDefinition wanted;
    wanted.face = look_.face();
    wanted.pointSize = pointSize_;
    // Bold text would crowd the smaller cells of wide view.
    wanted.weight = std::max(0, ((look_.styleFlags & style::bold) ? 700 : 0) - (wide_ ? 200 : 0));
    wanted.italic = (look_.styleFlags & style::italic) != 0;
    wanted.underline = (look_.styleFlags & style::underline) != 0;
    wanted.strikeOut = (look_.styleFlags & style::strikeOut) != 0;
    wanted.charset = look_.charset;
    return wanted;
}

bool CommentArea::moveBy(int dx, int dy) {
    return setFrame(frame_.offset(dx, dy));
}

bool CommentArea::shiftAnchorBy(int dx, int dy) {
    const PixelPoint old = anchor_;
    anchor_ = fitAnchor(static_cast<long long>(anchor_.x) + dx, static_cast<long long>(anchor_.y) + dy);
    storeAnchor(old);
    return anchor_ != old;
}

bool CommentArea::setAnchor(int dx, int dy) {
    const PixelPoint old = anchor_;
    anchor_ = fitAnchor(static_cast<long long>(frame_.left) + dx, static_cast<long long>(frame_.top) + dy);
    storeAnchor(old);
    return anchor_ != old;
}

bool CommentArea::setFrame(const PixelRect& frame) {
    const PixelRect old = frame_;
    frame_ = fitFrame(frame.left, frame.top, frame.right, frame.bottom);
    storeFrame(old);
    return frame_ != old;
}

PixelPoint CommentArea::mapToScreen() const {
    return {screenOrigin_.x - visibleOrigin_.x, screenOrigin_.y - visibleOrigin_.y};
}

int CommentArea::edgeBits(PixelPoint p) const {
    int bits = 0;
    if (p.x <= frame_.left + edgeBand)
        bits |= part::left;
    else if (p.x >= frame_.right - edgeBand)
        bits |= part::right;
    if (p.y <= frame_.top + edgeBand)
        bits |= part::top;
    else if (p.y >= frame_.bottom - edgeBand)
        bits |= part::bottom;
    return bits;
}

bool CommentArea::hitTest(PixelPoint p) {
    const PixelPoint shift = mapToScreen();
    if (std::abs(p.x - anchor_.x) <= anchorReach && std::abs(p.y - anchor_.y) <= anchorReach) {
        part_ = part::anchor;
        feedback_ = PixelRect{anchor_.x - anchorReach, anchor_.y - anchorReach, anchor_.x + anchorReach,
                              anchor_.y + anchorReach}
                        .offset(shift.x, shift.y);
        dragging_ = true;
        return true;
    }
    if (!frame_.contains(p)) {
        part_ = part::none;
        feedback_ = {};
        dragging_ = false;
        return false;
    }
    part_ = part::frame | edgeBits(p);
    feedback_ = frame_.offset(shift.x, shift.y);
    dragging_ = true;
    return true;
}

CommentCursor CommentArea::cursorAt(PixelPoint p) const {
    if (std::abs(p.x - anchor_.x) <= anchorReach && std::abs(p.y - anchor_.y) <= anchorReach)
        return CommentCursor::anchor;
    if (!frame_.contains(p))
        return CommentCursor::none;
    switch (edgeBits(p)) {
    case 0:
        return CommentCursor::move;
    case part::top:
    case part::bottom:
        return CommentCursor::sizeNS;
    case part::left:
    case part::right:
        return CommentCursor::sizeWE;
    case part::left | part::top:
    case part::right | part::bottom:
        return CommentCursor::sizeNWSE;
    default:
        return CommentCursor::sizeNESW;
    }
}

void CommentArea::select() {
    if (part_ == part::none)
        part_ = part::frame;
}

void CommentArea::clearDragPart() {
    part_ = part::none;
    dragging_ = false;
    feedback_ = {};
}

void CommentArea::switchCrossedEdges() {
    PixelRect& f = feedback_;
    if (f.left > f.right) {
        std::swap(f.left, f.right);
        if ((part_ & part::left) != (part_ & part::right) >> 1)
            part_ ^= part::left | part::right;
    }
    if (f.top > f.bottom) {
        std::swap(f.top, f.bottom);
        if ((part_ & part::top) != (part_ & part::bottom) >> 1)
            part_ ^= part::top | part::bottom;
    }
}

void CommentArea::dragBy(int dx, int dy) {
    if (!dragging_)
        return;
    if (part_ == part::frame || part_ == part::anchor) {
        feedback_ = feedback_.offset(dx, dy);
        return;
    }
    if (part_ & part::left)
        feedback_.left += dx;
    if (part_ & part::right)
        feedback_.right += dx;
    if (part_ & part::top)
        feedback_.top += dy;
    if (part_ & part::bottom)
        feedback_.bottom += dy;
    switchCrossedEdges();
}

bool CommentArea::endDrag(bool apply) {
    bool changed = false;
    if (dragging_ && apply) {
        const PixelPoint shift = mapToScreen();
        const PixelRect target = feedback_.offset(-shift.x, -shift.y);
        if (part_ == part::anchor) {
            const PixelPoint old = anchor_;
            anchor_ = fitAnchor((static_cast<long long>(target.left) + target.right) / 2,
                                (static_cast<long long>(target.top) + target.bottom) / 2);
            storeAnchor(old);
            changed = anchor_ != old;
        } else if (part_ >= part::frame && part_ < part::frame * 2) {
            changed = setFrame(target);
        }
    }
    dragging_ = false;
    feedback_ = {};
    return changed;
}

CommentDrawGeometry CommentArea::beginDraw(const PixelRect& visible, PixelPoint screenOrigin) {
    placeOnScreen(visible, screenOrigin);
    return drawGeometry(visible, screenOrigin);
}

void CommentArea::placeOnScreen(const PixelRect& visible, PixelPoint screenOrigin) {
    const bool resizing = dragging_ && part_ > part::frame && part_ < part::frame * 2;
    if (resizing) {
        // The view scrolled under a resize drag: the fixed edges stay on the map, the grabbed ones under
        // the mouse.
        const int a = visible.left - visibleOrigin_.x;
        const int b = visible.top - visibleOrigin_.y;
        if (!(part_ & part::left))
            feedback_.left -= a;
        if (!(part_ & part::right))
            feedback_.right -= a;
        if (!(part_ & part::top))
            feedback_.top -= b;
        if (!(part_ & part::bottom))
            feedback_.bottom -= b;
        switchCrossedEdges();
    }
    visibleOrigin_ = {visible.left, visible.top};
    screenOrigin_ = screenOrigin;

    const PixelPoint shift = mapToScreen();
    const PixelRect frame = frame_.offset(shift.x, shift.y);
    screenRect_ = frame.intersects(visible.offset(shift.x, shift.y)) ? frame : PixelRect{};
}

CommentDrawGeometry CommentArea::drawGeometry(const PixelRect& visible, PixelPoint screenOrigin) const {
    const int dx = screenOrigin.x - visible.left, dy = screenOrigin.y - visible.top;
    CommentDrawGeometry g;
    g.frame = frame_.offset(dx, dy);
    g.anchor = {anchor_.x + dx, anchor_.y + dy};
    g.text = commentTextRect(g.frame, look_.frameStyle);
    return g;
}

CommentDrawGeometry CommentArea::drawGeometry(const PixelRect& visible, PixelPoint screenOrigin,
                                              bool wide) const {
    if (wide == wide_)
        return drawGeometry(visible, screenOrigin);
    const int dx = screenOrigin.x - visible.left, dy = screenOrigin.y - visible.top;
    CommentDrawGeometry g;
    g.frame = PixelRect{toPixel(stored_.left, wide), toPixel(stored_.top, wide), toPixel(stored_.right, wide),
                        toPixel(stored_.bottom, wide)}
                  .offset(dx, dy);
    g.anchor = {toPixel(stored_.anchorX, wide) + dx, toPixel(stored_.anchorY, wide) + dy};
    g.text = commentTextRect(g.frame, look_.frameStyle);
    return g;
}

PixelRect CommentArea::screenFrame() const {
    const PixelPoint shift = mapToScreen();
    return frame_.offset(shift.x, shift.y);
}

PixelRect CommentArea::textRect() const {
    return commentTextRect(screenFrame(), look_.frameStyle);
}

PixelRect commentTextRect(const PixelRect& frame, std::uint8_t frameStyle) {
    switch (frameStyle) {
    case frame::roundedRectangle:
        return frame.inflated(-6, -6);
    case frame::ellipse: {
        // The largest text box an ellipse comfortably holds, then the usual margin.
        int dx = frame.width() * 15 / 100 + 4;
        int dy = frame.height() * 15 / 100 + 4;
        return frame.inflated(-dx, -dy);
    }
    default:
        return frame.inflated(-4, -4);
    }
}

PixelRect alignTextVertically(const PixelRect& textRect, int textHeight, int verticalAlignment) {
    PixelRect t = textRect;
    const int room = t.height() - textHeight;
    if (room > 0 && verticalAlignment == align::middle)
        t.top += room / 2;
    else if (room > 0 && verticalAlignment == align::bottom)
        t.top += room;
    return t;
}

PixelRect commentDrawBounds(const CommentDrawGeometry& g) {
    // The pointer line runs between the anchor and the frame's centre; the end mark spans -3 .. +3.
    const PixelRect frame = g.frame.normalised();
    return {std::min(frame.left, g.anchor.x - 3), std::min(frame.top, g.anchor.y - 3),
            std::max(frame.right, g.anchor.x + 4), std::max(frame.bottom, g.anchor.y + 4)};
}

} // namespace tav
