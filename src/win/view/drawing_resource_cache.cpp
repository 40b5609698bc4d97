#include "win/view/drawing_resource_cache.h"

#include <algorithm>
#include <new>
#include <utility>

namespace tav::win {
namespace {

constexpr std::array<std::array<std::uint8_t, 8>, lastPatternType + 1> patternTable{{
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
    {0x99, 0x66, 0x66, 0x99, 0x99, 0x66, 0x66, 0x99},
    {0x00, 0x66, 0x66, 0x00, 0x00, 0x66, 0x66, 0x00},
    {0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00},
    {0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66},
    {0x66, 0xFF, 0xFF, 0x66, 0x66, 0xFF, 0xFF, 0x66},
    {0x66, 0x33, 0x99, 0xCC, 0x66, 0x33, 0x99, 0xCC},
    {0xCC, 0x99, 0x33, 0x66, 0xCC, 0x99, 0x33, 0x66},
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},
    {0x7E, 0xE7, 0xE7, 0x7E, 0x7E, 0xE7, 0xE7, 0x7E},
    {0xE7, 0xE7, 0xFF, 0x3C, 0x3C, 0xFF, 0xE7, 0xE7},
}};

// Linear scan, first-in first-out eviction: a hit leaves the order alone.
template <typename Key, typename Object, typename Make>
Object lookup(std::deque<detail::CacheEntry<Key, Object>>& list, const Key& key, int limit, Make make) {
    for (const auto& entry : list) {
        if (entry.key == key)
            return entry.object.get();
    }
    if (list.size() >= static_cast<std::size_t>(limit))
        list.pop_front();
    GdiObject<Object> made = make();
    if (!made)
        return nullptr;
    try {
        list.push_back({key, std::move(made)});
    } catch (const std::bad_alloc&) {
        // The entry that failed to go in has already deleted its object.
        return nullptr;
    }
    return list.back().object.get();
}

// Paints the pattern pixels of one block: base colour first, then each run of 1 bits as a rectangle.
bool paintBlock(HDC dc, const std::array<std::uint8_t, 8>& rows, const RECT& block, HBRUSH base, HBRUSH ink) {
    if (!FillRect(dc, &block, base))
        return false;
    for (int y = block.top; y < block.bottom; ++y) {
        int x = block.left;
        while (x < block.right) {
            if (!(rows[y] & (0x80 >> x))) {
                ++x;
                continue;
            }
            int end = x;
            while (end < block.right && (rows[y] & (0x80 >> end)))
                ++end;
            RECT run{x, y, end, y + 1};
            if (!FillRect(dc, &run, ink))
                return false;
            x = end;
        }
    }
    return true;
}

bool copyBlock(HDC dc, int fromX, int fromY, int width, int height, int toX, int toY) {
    return BitBlt(dc, toX, toY, width, height, dc, fromX, fromY, SRCCOPY) != 0;
}

// Draws the 8x8 picture of a type from its repeating part and copies of it.
bool paintPattern(HDC dc, unsigned type, COLORREF colour) {
    Brush base(CreateSolidBrush(patternBaseColour));
    Brush ink(CreateSolidBrush(colour));
    if (!base || !ink)
        return false;
    const auto& rows = patternTable[type];
    auto paint = [&](LONG right, LONG bottom) {
        return paintBlock(dc, rows, {0, 0, right, bottom}, base.get(), ink.get());
    };
    switch (type) {
    case 1:
    case 5:
    case 6:
    case 7:
        return paint(4, 4) && copyBlock(dc, 0, 0, 4, 4, 4, 0) && copyBlock(dc, 0, 0, 8, 4, 0, 4);
    case 8:
        return paint(8, 4) && copyBlock(dc, 0, 0, 4, 4, 4, 4) && copyBlock(dc, 4, 0, 4, 4, 0, 4);
    case 9:
        return paint(8, 4) && copyBlock(dc, 0, 0, 8, 4, 0, 4);
    default:
        return paint(8, 8);
    }
}

Brush makePatternBrush(unsigned type, COLORREF colour) {
    if (type < 1 || type > lastPatternType)
        return {};
    WindowDc screen(GetDesktopWindow());
    if (!screen)
        return {};
    Bitmap bitmap(CreateCompatibleBitmap(screen.get(), 8, 8));
    if (!bitmap)
        return {};
    {
        MemoryDc memory(CreateCompatibleDC(screen.get()));
        if (!memory)
            return {};
        SelectObjectScope selected(memory.get(), bitmap.get());
        if (GetCurrentObject(memory.get(), OBJ_BITMAP) != bitmap.get())
            return {};
        if (!paintPattern(memory.get(), type, colour))
            return {};
    }
    // The brush keeps its own copy of the pixels.
    return Brush(CreatePatternBrush(bitmap.get()));
}

bool isStockBrush(HBRUSH brush) {
    for (int id : {WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, DKGRAY_BRUSH, BLACK_BRUSH, NULL_BRUSH, DC_BRUSH}) {
        if (brush == static_cast<HBRUSH>(GetStockObject(id)))
            return true;
    }
    return false;
}

int modulo8(LONG value) {
    return static_cast<int>((value % 8 + 8) % 8);
}

} // namespace

DrawingResourceCache::DrawingResourceCache() = default;
DrawingResourceCache::~DrawingResourceCache() = default;

void DrawingResourceCache::setLimit(int limit) {
    limit_ = std::clamp(limit, 1, maxLimit);
    solidBrushes_.clear();
    pens_.clear();
    patternBrushes_.clear();
}

HBRUSH DrawingResourceCache::solidBrush(COLORREF colour) {
    if (colour == noColour)
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    return lookup(solidBrushes_, colour, limit_, [&] { return Brush(CreateSolidBrush(colour)); });
}

HPEN DrawingResourceCache::pen(int style, int width, COLORREF colour) {
    if (colour == noColour)
        return static_cast<HPEN>(GetStockObject(NULL_PEN));
    return lookup(pens_, detail::PenKey{style, width, colour}, limit_,
                  [&] { return Pen(CreatePen(style, width, colour)); });
}

HBRUSH DrawingResourceCache::patternBrush(unsigned type, COLORREF colour) {
    if (colour == noColour)
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    if (type == 0)
        return solidBrush(colour);
    // Refused before the lookup so that a bad type cannot evict a good entry.
    if (type > lastPatternType)
        return nullptr;
    return lookup(patternBrushes_, detail::PatternKey{type, colour}, limit_,
                  [&] { return makePatternBrush(type, colour); });
}

void alignBrushOrigin(HDC dc, HBRUSH brush, int x, int y) {
    // Stock objects must not be unrealized.
    if (brush && !isStockBrush(brush))
        UnrealizeObject(brush);
    // The brush origin is in device pixels; the rectangle may be in a shifted or scaled space.
    POINT origin{x, y};
    if (!LPtoDP(dc, &origin, 1))
        origin = {x, y};
    SetBrushOrgEx(dc, modulo8(origin.x), modulo8(origin.y), nullptr);
}

std::array<std::uint8_t, 8> patternRows(unsigned type) {
    if (type > lastPatternType)
        return {};
    return patternTable[type];
}

} // namespace tav::win
