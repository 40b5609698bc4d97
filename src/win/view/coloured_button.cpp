#include "win/view/coloured_button.h"

#include <string>

#include "win/platform/handles.h"

namespace tav::win {

void makeOwnerDrawn(HWND button) {
    if (!button)
        return;
    LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
    SetWindowLongPtrW(button, GWL_STYLE, (style & ~LONG_PTR{BS_TYPEMASK}) | BS_OWNERDRAW);
    InvalidateRect(button, nullptr, TRUE);
}

void drawButtonFace(HDC dc, const RECT& r, COLORREF face, COLORREF light, COLORREF shadow, bool pressed) {
    Brush faceBrush(CreateSolidBrush(face));
    FillRect(dc, &r, faceBrush.get());
    Pen lightPen(CreatePen(PS_SOLID, 1, pressed ? shadow : light));
    Pen shadowPen(CreatePen(PS_SOLID, 1, pressed ? light : shadow));
    {
        SelectObjectScope pen(dc, lightPen.get());
        MoveToEx(dc, r.left, r.bottom - 1, nullptr);
        LineTo(dc, r.left, r.top);
        LineTo(dc, r.right - 1, r.top);
    }
    SelectObjectScope pen(dc, shadowPen.get());
    MoveToEx(dc, r.right - 1, r.top, nullptr);
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left - 1, r.bottom - 1);
}

void drawButtonText(const DRAWITEMSTRUCT& item, RECT r, int shift, COLORREF text) {
    const int length = GetWindowTextLengthW(item.hwndItem);
    std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(item.hwndItem, caption.data(), length + 1);
    OffsetRect(&r, shift, shift);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : text);
    DrawTextW(item.hDC, caption.c_str(), length, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void drawButtonFocus(const DRAWITEMSTRUCT& item) {
    if (!(item.itemState & ODS_FOCUS))
        return;
    RECT focus = item.rcItem;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(item.hDC, &focus);
}

void ColouredButton::attach(HWND button, COLORREF face, COLORREF light, COLORREF shadow, COLORREF text) {
    button_ = button;
    text_ = text;
    face_ = face;
    light_ = light;
    shadow_ = shadow;
    makeOwnerDrawn(button);
}

bool ColouredButton::draw(const DRAWITEMSTRUCT& item) const {
    if (!button_ || item.hwndItem != button_)
        return false;
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    bool pressed = (item.itemState & ODS_SELECTED) != 0;

    drawButtonFace(dc, r, face_, light_, shadow_, pressed);
    drawButtonText(item, r, pressed ? 1 : 0, text_);
    drawButtonFocus(item);
    return true;
}

} // namespace tav::win
