#include "win/canvas/floating_selection.h"

#include <algorithm>

namespace tav::win {

namespace {

constexpr int handleTopLeft = 0x11, handleBottomLeft = 0x12, handleTopRight = 0x21, handleBottomRight = 0x22;

bool leftEdge(int handle) {
    return (handle >> 4) == 1;
}
bool topEdge(int handle) {
    return (handle & 0x0F) == 1;
}

int width(const RECT& r) {
    return r.right - r.left;
}
int height(const RECT& r) {
    return r.bottom - r.top;
}

} // namespace

bool FloatingSelection::Layer::make(HDC reference, int w, int h, bool monochrome) {
    reset();
    bitmap.reset(monochrome ? CreateBitmap(w, h, 1, 1, nullptr) : CreateCompatibleBitmap(reference, w, h));
    dc.reset(CreateCompatibleDC(reference));
    if (!bitmap || !dc) {
        bitmap.reset();
        dc.reset();
        return false;
    }
    previous = SelectObject(dc.get(), bitmap.get());
    return true;
}

void FloatingSelection::Layer::reset() {
    // The bitmap leaves its context before either goes.
    if (dc && previous)
        SelectObject(dc.get(), previous);
    previous = nullptr;
    dc.reset();
    bitmap.reset();
}

FloatingSelection::FloatingSelection(HDC picture, int side, std::function<void(bool)> change)
    : picture_(picture), side_(side), change_(std::move(change)) {}

FloatingSelection::~FloatingSelection() {
    if (state_ != none)
        ClipCursor(nullptr);
}

RECT FloatingSelection::displayRectangle() const {
    return {rect_.left * zoom, rect_.top * zoom, rect_.right * zoom, rect_.bottom * zoom};
}

RECT FloatingSelection::bandRectangle() const {
    return {std::min(anchor_.x, current_.x), std::min(anchor_.y, current_.y),
            std::max(anchor_.x, current_.x) + 1, std::max(anchor_.y, current_.y) + 1};
}

int FloatingSelection::handleAt(POINT at) const {
    if (!hasPiece())
        return 0;
    const RECT d = displayRectangle();
    const int reachX = width(d) <= zoom ? 1 : 8;
    const int reachY = height(d) <= zoom ? 1 : 8;
    const bool top = at.y >= d.top - 2 && at.y <= d.top + reachY;
    const bool bottom = at.y >= d.bottom - reachY && at.y <= d.bottom + 2;
    if (at.x >= d.left - 2 && at.x <= d.left + reachX)
        return top ? handleTopLeft : bottom ? handleBottomLeft : 0;
    if (at.x >= d.right - 8 && at.x <= d.right + reachX)
        return top ? handleTopRight : bottom ? handleBottomRight : 0;
    return 0;
}

FloatingSelection::Cursor FloatingSelection::cursorAt(POINT at) const {
    if (!hasPiece())
        return cross;
    const int handle = state_ == resizing ? handle_ : handleAt(at);
    if (handle == handleTopLeft || handle == handleBottomRight)
        return diagonalDown;
    if (handle == handleBottomLeft || handle == handleTopRight)
        return diagonalUp;
    const RECT d = displayRectangle();
    return PtInRect(&d, at) ? sizeAll : cross;
}

void FloatingSelection::confine(HWND window) const {
    RECT area{};
    GetClientRect(window, &area);
    if (state_ == resizing) {
        const RECT d = displayRectangle();
        const int limit = 36 * side_;
        const int roomX = limit - width(d), roomY = limit - height(d);
        area.left = leftEdge(handle_) ? d.left - roomX : d.left - limit;
        area.right = leftEdge(handle_) ? d.right + limit : d.right + roomX;
        area.top = topEdge(handle_) ? d.top - roomY : d.top - limit;
        area.bottom = topEdge(handle_) ? d.bottom + limit : d.bottom + roomY;
    }
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    area.left = std::clamp<LONG>(area.left, 0, screenWidth - 1);
    area.right = std::clamp<LONG>(area.right, 0, screenWidth - 1);
    area.top = std::clamp<LONG>(area.top, 0, screenHeight - 1);
    area.bottom = std::clamp<LONG>(area.bottom, 0, screenHeight - 1);
    ClipCursor(&area);
}

void FloatingSelection::release(bool capture) {
    ClipCursor(nullptr);
    if (capture && GetCapture())
        ReleaseCapture();
}

bool FloatingSelection::setTransparency(bool enabled, COLORREF colour) {
    transparent_ = enabled;
    transparentColour_ = colour;
    if (hasPiece() && !rebuildMask()) {
        drop();
        return false;
    }
    return true;
}

bool FloatingSelection::rebuildMask() {
    if (!transparent_ || transparentColour_ == 0xFF000000 || !image_.dc)
        return true;
    if (!mask_.dc && !mask_.make(picture_, 3 * side_ + 1, 3 * side_ + 1, true))
        return false;
    const COLORREF old = SetBkColor(image_.dc.get(), transparentColour_);
    BitBlt(mask_.dc.get(), 0, 0, width(rect_), height(rect_), image_.dc.get(), 0, 0, SRCCOPY);
    SetBkColor(image_.dc.get(), old);
    return true;
}

bool FloatingSelection::makeFloating(HDC from, int x, int y, int w, int h) {
    const int most = 3 * side_ + 1;
    if (w <= 0 || h <= 0 || w > most || h > most || !source_.make(picture_, w, h, false) ||
        (!image_.dc && !image_.make(picture_, most, most, false)))
        return false;
    BitBlt(source_.dc.get(), 0, 0, w, h, from, x, y, SRCCOPY);
    BitBlt(image_.dc.get(), 0, 0, w, h, source_.dc.get(), 0, 0, SRCCOPY);
    sourceWidth_ = w;
    sourceHeight_ = h;
    return true;
}

void FloatingSelection::press(HWND window, POINT at) {
    const POINT pixel{at.x / zoom, at.y / zoom};
    anchor_ = current_ = last_ = pixel;
    if (hasPiece()) {
        if (const int handle = handleAt(at)) {
            state_ = resizing;
            handle_ = handle;
            confine(window);
        } else if (PtInRect(&rect_, pixel)) {
            state_ = moving;
        } else {
            commit();
            return;
        }
        SetCapture(window);
        return;
    }
    state_ = rubberBand;
    confine(window);
    SetCapture(window);
}

bool FloatingSelection::move(POINT at) {
    const POINT pixel{at.x / zoom, at.y / zoom};
    switch (state_) {
    case rubberBand:
        if (pixel.x == current_.x && pixel.y == current_.y)
            return false;
        current_ = pixel;
        return true;
    case moving:
        if (pixel.x == last_.x && pixel.y == last_.y)
            return false;
        OffsetRect(&rect_, pixel.x - last_.x, pixel.y - last_.y);
        last_ = pixel;
        return true;
    case resizing: {
        if (pixel.x == last_.x && pixel.y == last_.y)
            return false;
        // The dragged edges never cross the others: past them the handle changes sides, so the piece is
        // never narrower than a pixel and never mirrored.
        if (leftEdge(handle_)) {
            if (pixel.x < rect_.right)
                rect_.left = pixel.x;
            else {
                rect_.left = rect_.right - 1;
                handle_ = 0x20 | (handle_ & 0x0F);
            }
        } else {
            if (rect_.left < pixel.x)
                rect_.right = pixel.x + 1;
            else {
                rect_.right = rect_.left + 1;
                handle_ = 0x10 | (handle_ & 0x0F);
            }
        }
        if (topEdge(handle_)) {
            if (pixel.y < rect_.bottom)
                rect_.top = pixel.y;
            else {
                rect_.top = rect_.bottom - 1;
                handle_ = (handle_ & 0xF0) | 2;
            }
        } else {
            if (rect_.top < pixel.y)
                rect_.bottom = pixel.y + 1;
            else {
                rect_.bottom = rect_.top + 1;
                handle_ = (handle_ & 0xF0) | 1;
            }
        }
        // The cursor is kept within three pictures; without that the piece is kept there all the same.
        rect_.right = std::min<LONG>(rect_.right, rect_.left + 3 * side_);
        rect_.bottom = std::min<LONG>(rect_.bottom, rect_.top + 3 * side_);
        last_ = pixel;
        stretchPiece();
        if (!rebuildMask())
            drop();
        return true;
    }
    default:
        return false;
    }
}

void FloatingSelection::stretchPiece() {
    SetStretchBltMode(image_.dc.get(), BLACKONWHITE);
    StretchBlt(image_.dc.get(), 0, 0, width(rect_), height(rect_), source_.dc.get(), 0, 0, sourceWidth_,
               sourceHeight_, SRCCOPY);
}

void FloatingSelection::release() {
    switch (state_) {
    case moving:
    case resizing:
        release(true);
        state_ = floating;
        return;
    case rubberBand: {
        release(true);
        const RECT band = bandRectangle();
        state_ = none;
        if (!makeFloating(picture_, band.left, band.top, width(band), height(band)))
            return;
        rect_ = band;
        if (!rebuildMask())
            return;
        change_(true);
        // The hole is the transparent colour whether or not transparency is on.
        Brush hole(CreateSolidBrush(transparentColour_ == 0xFF000000 ? 0x008000 : transparentColour_));
        FillRect(picture_, &band, hole.get());
        change_(false);
        state_ = floating;
        return;
    }
    default:
        release(false);
        return;
    }
}

void FloatingSelection::drawInto(HDC dc) const {
    if (!hasPiece())
        return;
    const int w = width(rect_), h = height(rect_);
    if (transparent_ && transparentColour_ != 0xFF000000 && mask_.dc) {
        // Pixels of the transparent colour leave what is below.
        const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
        const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
        BitBlt(dc, rect_.left, rect_.top, w, h, image_.dc.get(), 0, 0, SRCINVERT);
        BitBlt(dc, rect_.left, rect_.top, w, h, mask_.dc.get(), 0, 0, SRCAND);
        BitBlt(dc, rect_.left, rect_.top, w, h, image_.dc.get(), 0, 0, SRCINVERT);
        SetTextColor(dc, text);
        SetBkColor(dc, back);
    } else {
        BitBlt(dc, rect_.left, rect_.top, w, h, image_.dc.get(), 0, 0, SRCCOPY);
    }
}

void FloatingSelection::drawFrame(HDC dc) const {
    if (state_ == none)
        return;
    RECT frame = displayRectangle();
    if (!hasPiece()) {
        const RECT band = bandRectangle();
        frame = {band.left * zoom, band.top * zoom, band.right * zoom, band.bottom * zoom};
    }
    const int mode = SetROP2(dc, R2_NOT);
    HGDIOBJ pen = SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    const int l = frame.left, t = frame.top, r = frame.right, b = frame.bottom;
    Rectangle(dc, l + 1, t + 1, l + 9, t + 9);
    Rectangle(dc, l + 1, b - 9, l + 9, b - 1);
    Rectangle(dc, r - 9, t + 1, r - 1, t + 9);
    Rectangle(dc, r - 9, b - 9, r - 1, b - 1);
    SelectObject(dc, brush);
    SelectObject(dc, pen);
    SetROP2(dc, mode);
}

void FloatingSelection::commit() {
    if (hasPiece()) {
        change_(true);
        drawInto(picture_);
        change_(false);
        source_.reset();
    }
    release(true);
    state_ = none;
}

void FloatingSelection::drop() {
    release(true);
    source_.reset();
    state_ = none;
}

void FloatingSelection::erase() {
    if (hasPiece()) {
        drop();
        return;
    }
    change_(true);
    const RECT all{0, 0, side_, side_};
    Brush fill(CreateSolidBrush(transparentColour_ == 0xFF000000 ? 0x008000 : transparentColour_));
    FillRect(picture_, &all, fill.get());
    change_(false);
}

Bitmap FloatingSelection::copy() const {
    const bool piece = hasPiece();
    const int w = piece ? width(rect_) : side_, h = piece ? height(rect_) : side_;
    Bitmap copy(CreateCompatibleBitmap(picture_, w, h));
    MemoryDc target(CreateCompatibleDC(picture_));
    if (!copy || !target)
        return {};
    HGDIOBJ previous = SelectObject(target.get(), copy.get());
    BitBlt(target.get(), 0, 0, w, h, piece ? image_.dc.get() : picture_, 0, 0, SRCCOPY);
    SelectObject(target.get(), previous);
    return copy;
}

bool FloatingSelection::paste(HBITMAP bitmap, const RECT& piece, int w, int h) {
    if (!bitmap || w <= 0 || h <= 0 || w > side_ || h > side_ || piece.right <= piece.left ||
        piece.bottom <= piece.top)
        return false;
    MemoryDc from(CreateCompatibleDC(picture_));
    Layer scaled;
    if (!from || !scaled.make(picture_, w, h, false))
        return false;
    HGDIOBJ previous = SelectObject(from.get(), bitmap);
    SetStretchBltMode(scaled.dc.get(), HALFTONE);
    SetBrushOrgEx(scaled.dc.get(), 0, 0, nullptr);
    StretchBlt(scaled.dc.get(), 0, 0, w, h, from.get(), piece.left, piece.top, width(piece), height(piece),
               SRCCOPY);
    SelectObject(from.get(), previous);
    state_ = none;
    if (!makeFloating(scaled.dc.get(), 0, 0, w, h))
        return false;
    rect_ = {0, 0, w, h};
    if (!rebuildMask())
        return false;
    state_ = floating;
    return true;
}

void FloatingSelection::centre() {
    if (!hasPiece())
        return;
    const int w = width(rect_), h = height(rect_);
    rect_.left = (side_ >> 1) - (w >> 1);
    rect_.top = (side_ >> 1) - (h >> 1);
    rect_.right = rect_.left + w;
    rect_.bottom = rect_.top + h;
}

void FloatingSelection::shift(int dx, int dy) {
    if (hasPiece())
        OffsetRect(&rect_, dx, dy);
}

void FloatingSelection::rotate() {
    if (!hasPiece())
        return;
    // A quarter turn to the left: the first row becomes the first column, read from the bottom up.
    Layer turned;
    if (!turned.make(picture_, sourceHeight_, sourceWidth_, false)) {
        drop();
        return;
    }
    for (int i = 0; i < sourceWidth_; ++i)
        for (int j = 0; j < sourceHeight_; ++j)
            SetPixel(turned.dc.get(), j, i, GetPixel(source_.dc.get(), sourceWidth_ - 1 - i, j));
    std::swap(source_.bitmap, turned.bitmap);
    std::swap(source_.dc, turned.dc);
    std::swap(source_.previous, turned.previous);
    std::swap(sourceWidth_, sourceHeight_);
    const int oldWidth = width(rect_), oldHeight = height(rect_);
    const int newWidth = oldHeight, newHeight = oldWidth;
    SetStretchBltMode(image_.dc.get(), COLORONCOLOR);
    StretchBlt(image_.dc.get(), 0, 0, newWidth, newHeight, source_.dc.get(), 0, 0, sourceWidth_,
               sourceHeight_, SRCCOPY);
    rect_.left += (oldWidth - newWidth) >> 1;
    rect_.top += (oldHeight - newHeight) >> 1;
    rect_.right = rect_.left + newWidth;
    rect_.bottom = rect_.top + newHeight;
    if (!rebuildMask())
        drop();
}

} // namespace tav::win
