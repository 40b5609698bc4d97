#include "win/app/mark_swatch.h"

#include "win/marks/mark_drawing.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {

namespace {
constexpr COLORREF paperColour = RGB(255, 251, 241);
constexpr COLORREF frameColour = RGB(96, 96, 96);
// Icons are 23x23 boxes with a 2-pixel margin: the wall swatch holds two, the room swatch one.
constexpr int margin = 2;
constexpr int iconSide = 23;
} // namespace

void MarkSwatch::attach(HWND control) {
    control_ = control;
    if (!control)
        return;
    LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    SetWindowLongPtrW(control, GWL_STYLE, (style & ~LONG_PTR{SS_TYPEMASK}) | SS_OWNERDRAW);
    InvalidateRect(control, nullptr, TRUE);
}

void MarkSwatch::show(int slot) {
    const int count = kind_ == Kind::wall ? wallSlotCount : roomSlotCount;
    slot_ = slot >= 1 && slot <= count ? slot : 0;
    if (kind_ == Kind::room) {
        if (slot_ != 0)
            room_.set(palette_.rooms[static_cast<std::size_t>(slot_ - 1)]);
        else
            room_.clear();
    }
    if (control_)
        InvalidateRect(control_, nullptr, FALSE);
}

bool MarkSwatch::draw(const DRAWITEMSTRUCT& item) const {
    if (!control_ || item.hwndItem != control_)
        return false;
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    FillRect(dc, &r, cache_.solidBrush(paperColour));
    FrameRect(dc, &r, cache_.solidBrush(frameColour));
    const int x = r.left + margin;
    const int y = r.top + margin;
    if (kind_ == Kind::wall) {
        drawHorizontalWallMark(dc, x, y, palette_, slot_, mark_scale::icon, cache_);
        drawVerticalWallMark(dc, x + iconSide + margin, y, palette_, slot_, mark_scale::icon, cache_);
    } else if (slot_ != 0 && room_.registered()) {
        drawRoomMarkImage(dc, x, y, room_, mark_scale::icon, true);
    }
    return true;
}

} // namespace tav::win
