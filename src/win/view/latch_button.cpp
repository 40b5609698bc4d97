#include "win/view/latch_button.h"

#include <string>
#include <utility>

#include "win/view/coloured_button.h"

namespace tav::win {

namespace {
// The frame inside a latched button, the palette slots' highlight.
constexpr COLORREF latchFrame = 0xF87820;
} // namespace

void LatchButton::attach(HWND button, COLORREF face, COLORREF light, COLORREF shadow, COLORREF text) {
    button_ = button;
    face_ = face;
    light_ = light;
    shadow_ = shadow;
    text_ = text;
    makeOwnerDrawn(button);
}

void LatchButton::setPicture(Bitmap picture) {
    picture_ = std::move(picture);
    if (button_)
        InvalidateRect(button_, nullptr, FALSE);
}

void LatchButton::setLatched(bool latched) {
    if (latched_ == latched)
        return;
    latched_ = latched;
    if (button_)
        InvalidateRect(button_, nullptr, FALSE);
}

bool LatchButton::draw(const DRAWITEMSTRUCT& item) const {
    if (!button_ || item.hwndItem != button_)
        return false;
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    const bool pressed = latched_ || (item.itemState & ODS_SELECTED);
    drawButtonFace(dc, r, face_, light_, shadow_, pressed);
    if (latched_) {
        RECT inner = r;
        InflateRect(&inner, -1, -1);
        Brush frame(CreateSolidBrush(latchFrame));
        FrameRect(dc, &inner, frame.get());
    }
    const int shift = pressed ? 1 : 0;
    BITMAP size{};
    MemoryDc source(picture_ ? CreateCompatibleDC(dc) : nullptr);
    if (source && GetObjectW(picture_.get(), sizeof size, &size)) {
        SelectObjectScope keep(source.get(), picture_.get());
        const int x = r.left + (r.right - r.left - size.bmWidth) / 2 + shift;
        const int y = r.top + (r.bottom - r.top - size.bmHeight) / 2 + shift;
        BitBlt(dc, x, y, size.bmWidth, size.bmHeight, source.get(), 0, 0, SRCCOPY);
    } else {
        drawButtonText(item, r, shift, text_);
    }
    drawButtonFocus(item);
    return true;
}

} // namespace tav::win
