#pragma once
// Readable failure messages for pixel geometry.
#include <ostream>

#include "model/comments/pixel_rect.h"

namespace tav {

inline void PrintTo(const PixelRect& r, std::ostream* os) {
    *os << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}
inline void PrintTo(const PixelPoint& p, std::ostream* os) {
    *os << "(" << p.x << "," << p.y << ")";
}
inline std::ostream& operator<<(std::ostream& os, const PixelRect& r) {
    PrintTo(r, &os);
    return os;
}
inline std::ostream& operator<<(std::ostream& os, const PixelPoint& p) {
    PrintTo(p, &os);
    return os;
}

} // namespace tav
