#include "win/app/tool_button.h"

#include <string>

#include "win/platform/handles.h"
#include "win/view/coloured_button.h"

namespace tav::win {

namespace {
constexpr COLORREF inkColour = RGB(0, 0, 0);
constexpr int arrowSize = 8;
} // namespace

void ToolButton::attach(HWND button, COLORREF face, COLORREF light, COLORREF shadow, Arrow arrow) {
    button_ = button;
    face_ = face;
    light_ = light;
    shadow_ = shadow;
    arrow_ = arrow;
    makeOwnerDrawn(button);
}

bool ToolButton::draw(const DRAWITEMSTRUCT& item) const {
    if (!button_ || item.hwndItem != button_)
        return false;
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;

    drawButtonFace(dc, r, face_, light_, shadow_, pressed);
    RECT inside = r;
    if (pressed)
        OffsetRect(&inside, 1, 1);
    if (arrow_ != Arrow::none)
        drawArrow(dc, inside, disabled);
    else
        drawText(dc, inside, disabled);
    drawButtonFocus(item);
    return true;
}

void ToolButton::drawArrow(HDC dc, RECT r, bool disabled) const {
    // A right triangle whose right angle points into the corner the button scrolls towards.
    const int cx = (r.left + r.right) / 2;
    const int cy = (r.top + r.bottom) / 2;
    const int half = arrowSize / 2;
    const bool left = arrow_ == Arrow::upLeft || arrow_ == Arrow::downLeft;
    const bool up = arrow_ == Arrow::upLeft || arrow_ == Arrow::upRight;
    const int x0 = left ? cx - half : cx + half;
    const int y0 = up ? cy - half : cy + half;
    const int x1 = left ? cx + half : cx - half;
    const int y1 = up ? cy + half : cy - half;
    const POINT corner[] = {{x0, y0}, {x1, y0}, {x0, y1}};
    const COLORREF colour = disabled ? GetSysColor(COLOR_GRAYTEXT) : inkColour;
    Brush fill(CreateSolidBrush(colour));
    Pen outline(CreatePen(PS_SOLID, 1, colour));
    SelectObjectScope brush(dc, fill.get());
    SelectObjectScope pen(dc, outline.get());
    Polygon(dc, corner, 3);
}

void ToolButton::drawText(HDC dc, RECT r, bool disabled) const {
    const int length = GetWindowTextLengthW(button_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(button_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : inkColour);
    // Centre the block of lines: measure it first.
    RECT block = r;
    DrawTextW(dc, text.c_str(), length, &block, DT_CENTER | DT_NOPREFIX | DT_CALCRECT);
    const int height = block.bottom - block.top;
    RECT place = r;
    place.top = r.top + (r.bottom - r.top - height) / 2;
    place.bottom = place.top + height;
    DrawTextW(dc, text.c_str(), length, &place, DT_CENTER | DT_NOPREFIX);
}

} // namespace tav::win
