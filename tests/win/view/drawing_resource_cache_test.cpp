#include "win/view/drawing_resource_cache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "win/platform/dib_image.h"

namespace tav::win {
namespace {

// True while the handle is a live brush of that colour. A freed handle value may come back for a new
// object, so the colour tells an old brush from its successor.
bool isSolidBrushOf(HBRUSH brush, COLORREF colour) {
    LOGBRUSH info{};
    return GetObjectType(brush) == OBJ_BRUSH && GetObjectW(brush, sizeof info, &info) == sizeof info &&
           info.lbStyle == BS_SOLID && info.lbColor == colour;
}

COLORREF colourNumber(int i) {
    return RGB(10 * i, 255 - i, 7);
}

// Fills the solid-brush list with colours 0..count-1 and returns the brushes.
std::vector<HBRUSH> fillSolid(DrawingResourceCache& cache, int count) {
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < count; ++i)
        brushes.push_back(cache.solidBrush(colourNumber(i)));
    return brushes;
}

TEST(DrawingResourceCache, EvictsOldestFirstAndRecreatesOnDemand) {
    DrawingResourceCache cache;
    EXPECT_EQ(cache.limit(), 10);
    auto brushes = fillSolid(cache, 11);
    EXPECT_EQ(cache.solidBrushCount(), 10u);
    EXPECT_FALSE(isSolidBrushOf(brushes[0], colourNumber(0)));
    for (int i = 1; i <= 10; ++i) {
        ASSERT_TRUE(isSolidBrushOf(brushes[i], colourNumber(i))) << i;
        EXPECT_EQ(cache.solidBrush(colourNumber(i)), brushes[i]) << i;
    }

    HBRUSH again = cache.solidBrush(colourNumber(0));
    EXPECT_TRUE(isSolidBrushOf(again, colourNumber(0)));
    EXPECT_EQ(cache.solidBrushCount(), 10u);
    EXPECT_FALSE(isSolidBrushOf(brushes[1], colourNumber(1)));
    for (int i = 2; i <= 10; ++i)
        EXPECT_EQ(cache.solidBrush(colourNumber(i)), brushes[i]) << i;
}

TEST(DrawingResourceCache, HitsKeepTheirObjectButNotTheirPlace) {
    DrawingResourceCache cache;
    const COLORREF kept = RGB(1, 2, 3);
    HBRUSH first = cache.solidBrush(kept);
    for (int i = 0; i < 9; ++i) {
        cache.solidBrush(colourNumber(i));
        EXPECT_EQ(cache.solidBrush(kept), first) << i;
    }
    EXPECT_TRUE(isSolidBrushOf(first, kept));
    // Recent use does not protect it: it is still the oldest.
    cache.solidBrush(colourNumber(100));
    EXPECT_FALSE(isSolidBrushOf(first, kept));
    EXPECT_EQ(cache.solidBrushCount(), 10u);
}

TEST(DrawingResourceCache, PensAreKeyedByStyleWidthAndColour) {
    DrawingResourceCache cache;
    const COLORREF red = RGB(255, 0, 0);
    HPEN solid = cache.pen(PS_SOLID, 1, red);
    HPEN dotted = cache.pen(PS_DOT, 1, red);
    HPEN wide = cache.pen(PS_SOLID, 3, red);
    HPEN blue = cache.pen(PS_SOLID, 1, RGB(0, 0, 255));
    EXPECT_EQ(cache.penCount(), 4u);
    EXPECT_EQ(cache.pen(PS_SOLID, 1, red), solid);
    EXPECT_EQ(cache.pen(PS_DOT, 1, red), dotted);
    EXPECT_EQ(cache.pen(PS_SOLID, 3, red), wide);
    EXPECT_EQ(cache.penCount(), 4u);

    struct Expected {
        HPEN pen;
        UINT style;
        LONG width;
        COLORREF colour;
    };
    for (const Expected& e :
         {Expected{solid, PS_SOLID, 1, red}, Expected{dotted, PS_DOT, 1, red},
          Expected{wide, PS_SOLID, 3, red}, Expected{blue, PS_SOLID, 1, RGB(0, 0, 255)}}) {
        LOGPEN info{};
        ASSERT_EQ(GetObjectW(e.pen, sizeof info, &info), static_cast<int>(sizeof info));
        EXPECT_EQ(info.lopnStyle, e.style);
        EXPECT_EQ(info.lopnWidth.x, e.width);
        EXPECT_EQ(info.lopnColor, e.colour);
    }
}

TEST(DrawingResourceCache, ListsAreBoundedSeparately) {
    DrawingResourceCache cache;
    auto brushes = fillSolid(cache, 10);
    std::vector<HPEN> pens;
    std::vector<HBRUSH> patterns;
    for (int i = 0; i < 10; ++i) {
        pens.push_back(cache.pen(PS_SOLID, 1, colourNumber(i)));
        patterns.push_back(cache.patternBrush(1 + i % 10, colourNumber(i / 10)));
    }
    EXPECT_EQ(cache.solidBrushCount(), 10u);
    EXPECT_EQ(cache.penCount(), 10u);
    EXPECT_EQ(cache.patternBrushCount(), 10u);
    EXPECT_EQ(cache.solidBrush(colourNumber(0)), brushes[0]);
    EXPECT_EQ(cache.pen(PS_SOLID, 1, colourNumber(0)), pens[0]);
    EXPECT_EQ(cache.patternBrush(1, colourNumber(0)), patterns[0]);
}

TEST(DrawingResourceCache, NoColourAndBadTypesLeaveTheListsAlone) {
    DrawingResourceCache cache;
    auto brushes = fillSolid(cache, 10);
    HPEN pen = cache.pen(PS_SOLID, 1, RGB(0, 0, 0));
    std::vector<HBRUSH> patterns;
    for (unsigned type = 1; type <= 10; ++type)
        patterns.push_back(cache.patternBrush(type, RGB(0, 128, 0)));
    ASSERT_EQ(cache.patternBrushCount(), 10u);

    const auto nullBrush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    EXPECT_EQ(cache.solidBrush(noColour), nullBrush);
    EXPECT_EQ(cache.pen(PS_SOLID, 1, noColour), static_cast<HPEN>(GetStockObject(NULL_PEN)));
    EXPECT_EQ(cache.pen(PS_DOT, 5, noColour), static_cast<HPEN>(GetStockObject(NULL_PEN)));
    for (unsigned type : {0u, 1u, 10u, 11u})
        EXPECT_EQ(cache.patternBrush(type, noColour), nullBrush) << type;
    for (unsigned type : {11u, 255u, 0xFFFFFFFFu})
        EXPECT_EQ(cache.patternBrush(type, RGB(0, 128, 0)), nullptr) << type;

    EXPECT_EQ(cache.solidBrushCount(), 10u);
    EXPECT_EQ(cache.penCount(), 1u);
    EXPECT_EQ(cache.patternBrushCount(), 10u);
    EXPECT_EQ(cache.solidBrush(colourNumber(0)), brushes[0]);
    EXPECT_EQ(cache.pen(PS_SOLID, 1, RGB(0, 0, 0)), pen);
    EXPECT_EQ(cache.patternBrush(1, RGB(0, 128, 0)), patterns[0]);
}

TEST(DrawingResourceCache, PlainFillPatternIsTheSolidBrush) {
    DrawingResourceCache cache;
    HBRUSH solid = cache.solidBrush(RGB(9, 8, 7));
    EXPECT_EQ(cache.patternBrush(0, RGB(9, 8, 7)), solid);
    HBRUSH plain = cache.patternBrush(0, RGB(1, 1, 1));
    EXPECT_TRUE(isSolidBrushOf(plain, RGB(1, 1, 1)));
    EXPECT_EQ(cache.solidBrush(RGB(1, 1, 1)), plain);
    EXPECT_EQ(cache.solidBrushCount(), 2u);
    EXPECT_EQ(cache.patternBrushCount(), 0u);
}

TEST(DrawingResourceCache, LimitIsClampedAndEmptiesTheLists) {
    DrawingResourceCache cache;
    auto brushes = fillSolid(cache, 3);
    HPEN pen = cache.pen(PS_SOLID, 1, 0);
    HBRUSH pattern = cache.patternBrush(3, 0);
    cache.setLimit(5);
    EXPECT_EQ(cache.solidBrushCount() + cache.penCount() + cache.patternBrushCount(), 0u);
    for (HGDIOBJ old : {static_cast<HGDIOBJ>(brushes[0]), static_cast<HGDIOBJ>(brushes[2]),
                        static_cast<HGDIOBJ>(pen), static_cast<HGDIOBJ>(pattern)})
        EXPECT_EQ(GetObjectType(old), 0u);

    cache.setLimit(70000);
    EXPECT_EQ(cache.limit(), 65535);
    for (int limit : {0, -1, -2147483647 - 1}) {
        cache.setLimit(limit);
        EXPECT_EQ(cache.limit(), 1);
        HBRUSH a = cache.solidBrush(RGB(1, 0, 0));
        EXPECT_EQ(cache.solidBrush(RGB(1, 0, 0)), a);
        cache.solidBrush(RGB(2, 0, 0));
        EXPECT_EQ(cache.solidBrushCount(), 1u);
        EXPECT_FALSE(isSolidBrushOf(a, RGB(1, 0, 0)));
        cache.pen(PS_SOLID, 1, 0);
        cache.pen(PS_SOLID, 2, 0);
        EXPECT_EQ(cache.penCount(), 1u);
    }
}

TEST(DrawingResourceCache, DestructionDeletesEverything) {
    std::vector<HGDIOBJ> made;
    {
        DrawingResourceCache cache;
        for (HBRUSH b : fillSolid(cache, 4))
            made.push_back(b);
        made.push_back(cache.pen(PS_DASH, 1, RGB(3, 3, 3)));
        made.push_back(cache.patternBrush(8, RGB(3, 3, 3)));
        for (HGDIOBJ object : made)
            ASSERT_NE(GetObjectType(object), 0u);
    }
    for (HGDIOBJ object : made)
        EXPECT_EQ(GetObjectType(object), 0u);
}

// ---- pixels ----

// The documented pictures, '#' = colour, '.' = base colour.
const char* const pictures[11] = {
    "",
    "#..##..# .##..##. .##..##. #..##..# #..##..# .##..##. .##..##. #..##..#",
    "........ .##..##. .##..##. ........ ........ .##..##. .##..##. ........",
    "........ ######## ######## ........ ........ ######## ######## ........",
    ".##..##. .##..##. .##..##. .##..##. .##..##. .##..##. .##..##. .##..##.",
    ".##..##. ######## ######## .##..##. .##..##. ######## ######## .##..##.",
    ".##..##. ..##..## #..##..# ##..##.. .##..##. ..##..## #..##..# ##..##..",
    "##..##.. #..##..# ..##..## .##..##. ##..##.. #..##..# ..##..## .##..##.",
    "#......# .#....#. ..#..#.. ...##... ...##... ..#..#.. .#....#. #......#",
    ".######. ###..### ###..### .######. .######. ###..### ###..### .######.",
    "###..### ###..### ######## ..####.. ..####.. ######## ###..### ###..###",
};

bool pictureBit(unsigned type, int x, int y) {
    return pictures[type][(y & 7) * 9 + (x & 7)] == '#';
}

// A 32-bit top-down DIB section with a memory context drawing into it.
class Canvas {
public:
    static constexpr std::uint32_t untouched = 0x00123456;
    Canvas(int width, int height) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
        void* bits = nullptr;
        bitmap_ = createDibSection(dc_.get(), width, -height, 32, bits);
        bits_ = static_cast<std::uint32_t*>(bits);
        old_ = SelectObject(dc_.get(), bitmap_.get());
        std::fill(bits_, bits_ + width * height, untouched);
    }
    ~Canvas() { SelectObject(dc_.get(), old_); }
    bool ok() const { return bits_ && old_; }
    HDC dc() const { return dc_.get(); }
    std::uint32_t pixel(int x, int y) const { return bits_[y * width_ + x]; }
    void fill(HBRUSH brush, int x, int y, int width, int height) {
        alignBrushOrigin(dc(), brush, x, y);
        RECT r{x, y, x + width, y + height};
        FillRect(dc(), &r, brush);
        GdiFlush();
    }

    // Describes every pixel of the rectangle that differs from the pattern started at its top-left.
    std::string patternMismatches(unsigned type, COLORREF colour, RECT area) const {
        std::string out;
        for (int y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, height_); ++y) {
            for (int x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, width_); ++x) {
                COLORREF want = pictureBit(type, x - area.left, y - area.top) ? colour : patternBaseColour;
                if (pixel(x, y) != asPixel(want) && out.size() < 400)
                    out += "(" + std::to_string(x) + "," + std::to_string(y) + ") ";
            }
        }
        return out;
    }
    int countUntouched() const {
        return static_cast<int>(std::count(bits_, bits_ + width_ * height_, untouched));
    }
    static std::uint32_t asPixel(COLORREF c) {
        return (std::uint32_t{GetRValue(c)} << 16) | (std::uint32_t{GetGValue(c)} << 8) | GetBValue(c);
    }

private:
    int width_;
    int height_;
    MemoryDc dc_;
    Bitmap bitmap_;
    std::uint32_t* bits_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

TEST(DrawingResourceCache, PatternRowsMatchThePictures) {
    for (unsigned type = 1; type <= 10; ++type) {
        auto rows = patternRows(type);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                EXPECT_EQ((rows[y] >> (7 - x)) & 1, pictureBit(type, x, y) ? 1 : 0)
                    << "type " << type << " at " << x << "," << y;
    }
}

TEST(DrawingResourceCache, PatternBrushesPaintTheirPictures) {
    DrawingResourceCache cache;
    const COLORREF colour = RGB(200, 30, 60);
    for (unsigned type = 1; type <= 10; ++type) {
        Canvas canvas(32, 32);
        ASSERT_TRUE(canvas.ok());
        HBRUSH brush = cache.patternBrush(type, colour);
        ASSERT_NE(brush, nullptr) << type;
        canvas.fill(brush, 0, 0, 16, 16);
        EXPECT_EQ(canvas.patternMismatches(type, colour, {0, 0, 16, 16}), "") << "type " << type;

        canvas.fill(brush, 3, 5, 16, 16);
        EXPECT_EQ(canvas.patternMismatches(type, colour, {3, 5, 19, 21}), "") << "type " << type;
        // Nothing spills outside the two rectangles (their overlap is 13 x 11).
        EXPECT_EQ(canvas.countUntouched(), 32 * 32 - (16 * 16 + 16 * 16 - 13 * 11)) << "type " << type;
    }
}

TEST(DrawingResourceCache, AdjacentRectanglesStartTheirOwnPattern) {
    DrawingResourceCache cache;
    Canvas canvas(120, 60);
    ASSERT_TRUE(canvas.ok());
    const COLORREF colour = RGB(0, 0, 255);
    for (unsigned type : {6u, 8u, 10u}) {
        HBRUSH brush = cache.patternBrush(type, colour);
        for (int x : {3, 37, 71}) {
            canvas.fill(brush, x, 5, 34, 21);
            canvas.fill(brush, x, 26, 34, 21);
        }
        for (int x : {3, 37, 71}) {
            EXPECT_EQ(canvas.patternMismatches(type, colour, {x, 5, x + 34, 26}), "") << type << " " << x;
            EXPECT_EQ(canvas.patternMismatches(type, colour, {x, 26, x + 34, 47}), "") << type << " " << x;
        }
    }
}

TEST(DrawingResourceCache, OriginFollowsTheRectangleInDevicePixels) {
    DrawingResourceCache cache;
    const COLORREF colour = RGB(0, 160, 0);
    HBRUSH brush = cache.patternBrush(7, colour);

    Canvas negative(24, 24);
    ASSERT_TRUE(negative.ok());
    negative.fill(brush, -3, -2, 27, 26);
    POINT origin{};
    GetBrushOrgEx(negative.dc(), &origin);
    EXPECT_EQ(origin.x, 5);
    EXPECT_EQ(origin.y, 6);
    EXPECT_EQ(negative.patternMismatches(7, colour, {-3, -2, 24, 24}), "");

    // A scrolled view: logical (10, 12) is device (3, 5).
    Canvas scrolled(40, 40);
    ASSERT_TRUE(scrolled.ok());
    SetViewportOrgEx(scrolled.dc(), -7, -7, nullptr);
    scrolled.fill(brush, 10, 12, 20, 20);
    EXPECT_EQ(scrolled.patternMismatches(7, colour, {3, 5, 23, 25}), "");
}

} // namespace
} // namespace tav::win
