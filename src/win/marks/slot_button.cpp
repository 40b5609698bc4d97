#include "win/marks/slot_button.h"

#include "win/view/coloured_button.h"

namespace tav::win {

namespace {

constexpr COLORREF face = 0x404040;
constexpr COLORREF light = 0xFFFFFF;
constexpr COLORREF current = 0xF87820;

} // namespace

void SlotButton::attach(HWND button) {
    button_ = button;
    makeOwnerDrawn(button);
}

void SlotButton::setIcon(Bitmap icon) {
    icon_ = std::move(icon);
    if (button_)
        InvalidateRect(button_, nullptr, FALSE);
}

void SlotButton::setHighlighted(bool highlighted) {
    if (highlighted_ == highlighted)
        return;
    highlighted_ = highlighted;
    if (button_)
        InvalidateRect(button_, nullptr, FALSE);
}

bool SlotButton::draw(const DRAWITEMSTRUCT& item) const {
    if (!button_ || item.hwndItem != button_)
        return false;
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    const bool pressed = highlighted_ || (item.itemState & ODS_SELECTED);
    drawButtonFace(dc, r, face, light, highlighted_ ? current : 0x707070, pressed);
    if (highlighted_) {
        RECT inner = r;
        InflateRect(&inner, -1, -1);
        Brush frame(CreateSolidBrush(current));
        FrameRect(dc, &inner, frame.get());
    }
    const int x = r.left + (r.right - r.left - iconSide) / 2 + (pressed ? 1 : 0);
    const int y = r.top + (r.bottom - r.top - iconSide) / 2 + (pressed ? 1 : 0);
    MemoryDc source(CreateCompatibleDC(dc));
    if (icon_ && source) {
        SelectObjectScope keep(source.get(), icon_.get());
        BitBlt(dc, x, y, iconSide, iconSide, source.get(), 0, 0, SRCCOPY);
    } else {
        const RECT blank{x, y, x + iconSide, y + iconSide};
        FillRect(dc, &blank, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    drawButtonFocus(item);
    return true;
}

} // namespace tav::win
