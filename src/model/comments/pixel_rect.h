#pragma once
// Pixel geometry of comment areas: map pixels or screen pixels, right and bottom exclusive.
#include <algorithm>

namespace tav {

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(PixelPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    PixelRect offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    PixelRect inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    PixelRect normalised() const {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    }
    bool intersects(const PixelRect& o) const {
        return !empty() && !o.empty() && left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    PixelRect united(const PixelRect& o) const {
        if (o.empty())
            return *this;
        if (empty())
            return o;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                std::max(bottom, o.bottom)};
    }
    bool operator==(const PixelRect&) const = default;
};

} // namespace tav
