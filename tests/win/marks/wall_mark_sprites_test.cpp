// Wall marks copied from kept pictures against the same marks drawn shape by shape: every pixel alike, on
// the targets the map draws into, with and without a clip region, over a busy background.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/dib_canvas.h"
#include "win/marks/mark_drawing.h"
#include "win/marks/wall_mark_sprites.h"
#include "win/platform/dib_image.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

using test::DibCanvas;

constexpr int side = 480;
constexpr int cells = 13;
constexpr int margin = 12;

// Black and white among them: a mark's own black or white must not be taken for what was there.
const std::uint32_t colours[] = {0x000000, 0xFFFFFF, 0x0000C0, 0x20A040, noColour, 0x7F7F7F, 0x12345678};

// Marks alike but for one thing each, then every back shape with every front shape, and shape codes that
// draw nothing.
std::vector<WallMarkRecord> everyPairing() {
    std::vector<WallMarkRecord> records;
    for (std::uint8_t front : {8, 12}) {
        WallMarkRecord r;
        r.registered = 1;
        r.lineVisible = 1;
        r.lineColor = 0x0000C0;
        r.backShape = 1;
        r.frontShape = front;
        r.backFrameColor = 0x20A040;
        r.backFillColor = 0x7F7F7F;
        r.frontFrameColor = 0x000000;
        r.frontFillColor = 0xFFFFFF;
        records.push_back(r);
        for (std::uint32_t WallMarkRecord::*colour :
             {&WallMarkRecord::lineColor, &WallMarkRecord::backFrameColor, &WallMarkRecord::backFillColor,
              &WallMarkRecord::frontFrameColor, &WallMarkRecord::frontFillColor}) {
            records.push_back(r);
            records.back().*colour = 0xC08000;
        }
        records.push_back(r);
        records.back().lineVisible = 0;
    }
    int k = 0;
    for (int back = 0; back <= lastMarkShape + 1; ++back)
        for (int front = 0; front <= lastMarkShape; ++front, ++k) {
            WallMarkRecord r;
            r.registered = 1;
            r.lineVisible = k % 3 != 0;
            r.lineColor = colours[k % 7];
            r.backShape = std::uint8_t(back);
            r.frontShape = std::uint8_t(front);
            r.backFrameColor = colours[(k + 1) % 7];
            r.backFillColor = colours[(k + 2) % 7];
            r.frontFrameColor = colours[(k + 4) % 7];
            r.frontFillColor = colours[(k + 3) % 7];
            records.push_back(r);
        }
    return records;
}

// Busy enough that a pixel left alone and a pixel drawn over are told apart.
void paintBusy(DibCanvas& canvas) {
    for (int y = 0; y < side; y += 4)
        for (int x = 0; x < side; x += 4)
            canvas.paint({x, y, x + 4, y + 4}, RGB((x * 7 + y) & 0xFF, (y * 5) & 0xFF, (x ^ y) & 0xFF));
}

// Pixels of r where a and b differ; the first one described in where.
int differences(const DibCanvas& a, const DibCanvas& b, RECT r, std::string* where = nullptr) {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (a.at(x, y) != b.at(x, y) && count++ == 0 && where) {
                char text[96];
                std::snprintf(text, sizeof text, "(%d, %d): %06lX against %06lX", x, y,
                              static_cast<unsigned long>(a.at(x, y)), static_cast<unsigned long>(b.at(x, y)));
                *where = text;
            }
    return count;
}

// A target the map draws into: a 32-bit section (the view) or a bitmap like the screen's (print, export),
// read back through a section.
class Target {
public:
    explicit Target(bool screenLike) : read_(side, side) {
        if (!screenLike)
            return;
        WindowDc screen(nullptr);
        dc_.reset(CreateCompatibleDC(screen.get()));
        bitmap_.reset(CreateCompatibleBitmap(screen.get(), side, side));
        old_ = SelectObject(dc_.get(), bitmap_.get());
    }
    ~Target() {
        if (old_)
            SelectObject(dc_.get(), old_);
    }
    HDC dc() const { return dc_ ? dc_.get() : read_.dc(); }
    bool ready() const {
        return read_.ready() && (!dc_ || GetCurrentObject(dc_.get(), OBJ_BITMAP) == bitmap_.get());
    }
    void paintBackground() {
        SelectClipRgn(dc(), nullptr);
        paintBusy(read_);
        if (dc_)
            BitBlt(dc_.get(), 0, 0, side, side, read_.dc(), 0, 0, SRCCOPY);
    }
    const DibCanvas& pixels() {
        if (dc_)
            BitBlt(read_.dc(), 0, 0, side, side, dc_.get(), 0, 0, SRCCOPY);
        return read_;
    }

private:
    DibCanvas read_;
    MemoryDc dc_;
    Bitmap bitmap_;
    HGDIOBJ old_ = nullptr;
};

// Walls on the grid corners of a map of cells, row by row as the map draws them, so later marks cover the
// parts of earlier ones that reach into their cells.
using WallPainter = std::function<void(HDC, int x, int y, int index, WallDirection)>;
void paintGrid(HDC dc, int span, const WallPainter& wall) {
    for (int row = 0; row < cells; ++row)
        for (int column = 0; column < cells; ++column) {
            const int x = margin + column * span, y = margin + row * span;
            wall(dc, x, y, row * cells + column, WallDirection::horizontal);
            wall(dc, x, y, (row * cells + column) * 5 + 3, WallDirection::vertical);
        }
}

// A clip with a hole and edges that cut through marks.
Region makeClip() {
    Region clip(CreateRectRgn(30, 20, 300, 250));
    Region more(CreateRectRgn(200, 180, 470, 460));
    Region hole(CreateRectRgn(90, 60, 140, 121));
    CombineRgn(clip.get(), clip.get(), more.get(), RGN_OR);
    CombineRgn(clip.get(), clip.get(), hole.get(), RGN_DIFF);
    return clip;
}

class WallMarkSprites : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(WallMarkSprites, CopiesGiveExactlyTheDrawnPixelsInAndOutOfAClip) {
    const auto [scale, screenLike] = GetParam();
    const int span = markCellSpan(scale);
    const std::vector<WallMarkRecord> records = everyPairing();
    // A palette of twenty marks too, as the map uses them: most copies come from pictures already kept.
    MarkPalette palette;
    for (int i = 0; i < wallSlotCount; ++i)
        palette.walls[i] = records[(i * 37) % records.size()];
    palette.walls[4].registered = 0;

    DrawingResourceCache cache;
    Target drawn(screenLike), copied(screenLike);
    ASSERT_TRUE(drawn.ready() && copied.ready());
    ASSERT_TRUE(wallSpritesFit(drawn.dc()));
    DibCanvas background(side, side);
    paintBusy(background);
    for (bool clipped : {false, true}) {
        for (bool fromPalette : {false, true}) {
            SCOPED_TRACE(std::string(clipped ? "clipped" : "whole") +
                         (fromPalette ? ", palette" : ", records"));
            Region clip = makeClip();
            for (Target* target : {&drawn, &copied}) {
                target->paintBackground();
                SelectClipRgn(target->dc(), clipped ? clip.get() : nullptr);
            }
            paintGrid(drawn.dc(), span, [&](HDC dc, int x, int y, int index, WallDirection direction) {
                if (fromPalette)
                    drawWallMark(dc, x, y, palette, index % 22, scale, direction, cache);
                else
                    drawWallMarkRecord(dc, x, y, records[index % records.size()], scale, direction, cache);
            });
            paintGrid(copied.dc(), span, [&](HDC dc, int x, int y, int index, WallDirection direction) {
                if (fromPalette)
                    copyWallMark(dc, x, y, palette, index % 22, scale, direction, cache);
                else
                    copyWallMarkRecord(dc, x, y, records[index % records.size()], scale, direction, cache);
            });
            const DibCanvas& expected = drawn.pixels();
            std::string first;
            EXPECT_EQ(differences(expected, copied.pixels(), {0, 0, side, side}, &first), 0)
                << "first at " << first;
            // The marks were really drawn, and the clip really kept them out of its hole.
            EXPECT_GT(differences(expected, background, {0, 0, side, side}), side * side / 50);
            EXPECT_EQ(differences(expected, background, {90, 60, 140, 121}) == 0, clipped);
        }
    }
    EXPECT_GT(cache.sprites().pictureCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(ScalesAndTargets, WallMarkSprites,
                         ::testing::Combine(::testing::Values(mark_scale::normal, mark_scale::wide),
                                            ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param) == mark_scale::normal ? "Normal"
                                                                                              : "Wide") +
                                    (std::get<1>(info.param) ? "ScreenBitmap" : "Section");
                         });

TEST(WallMarkSpritesFit, OnlyTrueColourTargetsDrawnPlainly) {
    DibCanvas plain(8, 8);
    EXPECT_TRUE(wallSpritesFit(plain.dc()));
    SetROP2(plain.dc(), R2_XORPEN);
    EXPECT_FALSE(wallSpritesFit(plain.dc()));

    MemoryDc dc(CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    Bitmap highColour = createDibSection(dc.get(), 8, 8, 16, bits);
    ASSERT_TRUE(highColour);
    SelectObjectScope selected(dc.get(), highColour.get());
    EXPECT_FALSE(wallSpritesFit(dc.get()));
}

} // namespace
} // namespace tav::win
