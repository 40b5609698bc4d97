#pragma once
// The pens and brushes every picture draws with: created on first use, kept in bounded lists per kind and
// evicted oldest first. Callers borrow what it returns and never delete it.
#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>

#include "win/platform/handles.h"
#include "win/view/sprite_store.h"

namespace tav::win {

// The colour value meaning "no colour": never cached, answered with the stock null pen or brush.
inline constexpr COLORREF noColour = 0xFF000000;
// The colour of the 0 bits of every fill pattern.
inline constexpr COLORREF patternBaseColour = RGB(255, 251, 241);
// Fill pattern types: 0 is a plain fill, 1..lastPatternType are 8x8 patterns.
inline constexpr unsigned lastPatternType = 10;

namespace detail {
template <typename Key, typename Object> struct CacheEntry {
    Key key;
    GdiObject<Object> object;
};
struct PenKey {
    int style;
    int width;
    COLORREF colour;
    bool operator==(const PenKey&) const = default;
};
struct PatternKey {
    unsigned type;
    COLORREF colour;
    bool operator==(const PatternKey&) const = default;
};
} // namespace detail

class DrawingResourceCache {
public:
    static constexpr int defaultLimit = 10;
    static constexpr int maxLimit = 65535;

    DrawingResourceCache();
    ~DrawingResourceCache();
    DrawingResourceCache(const DrawingResourceCache&) = delete;
    DrawingResourceCache& operator=(const DrawingResourceCache&) = delete;

    // Bound per list, clamped to 1..maxLimit; every cached object is deleted.
    void setLimit(int limit);
    int limit() const { return limit_; }

    // Each returns nullptr when the object cannot be made; the result stays valid until a later call
    // evicts it, so deselect it before asking again.
    HBRUSH solidBrush(COLORREF colour);
    HPEN pen(int style, int width, COLORREF colour);
    // Type 0 is the solid brush of the colour; types above lastPatternType give nullptr.
    HBRUSH patternBrush(unsigned type, COLORREF colour);

    std::size_t solidBrushCount() const { return solidBrushes_.size(); }
    std::size_t penCount() const { return pens_.size(); }
    std::size_t patternBrushCount() const { return patternBrushes_.size(); }

    // Pictures drawn once and copied from then on (wall marks of the map); bounded on their own.
    SpriteStore& sprites() { return sprites_; }

private:
    int limit_ = defaultLimit;
    std::deque<detail::CacheEntry<COLORREF, HBRUSH>> solidBrushes_;
    std::deque<detail::CacheEntry<detail::PenKey, HPEN>> pens_;
    std::deque<detail::CacheEntry<detail::PatternKey, HBRUSH>> patternBrushes_;
    SpriteStore sprites_;
};

// Makes a pattern brush start at (x, y), usually the top-left pixel of the rectangle about to be filled;
// the map gives one point for all its cells so their patterns join. (x, y) are logical coordinates of dc;
// the brush origin is set in device pixels, modulo 8.
void alignBrushOrigin(HDC dc, HBRUSH brush, int x, int y);

// Row bytes of a fill pattern, top row first, bit 7 the leftmost pixel; a 1 bit shows the colour, a 0 bit
// patternBaseColour. Type 0 is all colour; an unknown type is all base colour.
std::array<std::uint8_t, 8> patternRows(unsigned type);

} // namespace tav::win
