// Wall marks of palette slots and of loose records: the line, then the back and the front mark.
#include <gtest/gtest.h>

#include "support/dib_canvas.h"
#include "win/marks/mark_drawing.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

using test::DibCanvas;
using test::white;

constexpr COLORREF black = RGB(0, 0, 0);
constexpr COLORREF green = RGB(0, 160, 0);
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

WallMarkRecord lineOnly(COLORREF colour) {
    WallMarkRecord r;
    r.lineColor = colour;
    r.registered = 1;
    r.lineVisible = 1;
    return r;
}

class WallMark : public ::testing::Test {
protected:
    static constexpr int ox = 20, oy = 20;
    int countOf(COLORREF colour) const {
        int n = 0;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                n += canvas.at(x, y) == colour;
        return n;
    }
    bool blank() const { return countOf(white) == canvas.width() * canvas.height(); }
    void clear() { canvas.paint({0, 0, canvas.width(), canvas.height()}, white); }

    DibCanvas canvas{80, 80};
    DrawingResourceCache cache;
    MarkPalette palette;
};

TEST_F(WallMark, LinesRunOverTheWholeCellSpanAndOnePixelMore) {
    ASSERT_TRUE(canvas.ready());
    struct Case {
        int scale;
        WallDirection direction;
        POINT first, last; // relative to (x, y)
    };
    const Case cases[] = {
        {mark_scale::normal, WallDirection::horizontal, {0, 0}, {34, 0}},
        {mark_scale::normal, WallDirection::vertical, {0, 0}, {0, 34}},
        {mark_scale::wide, WallDirection::horizontal, {0, 0}, {22, 0}},
        {mark_scale::wide, WallDirection::vertical, {0, 0}, {0, 22}},
        {mark_scale::icon, WallDirection::horizontal, {0, 11}, {22, 11}},
        {mark_scale::icon, WallDirection::vertical, {11, 0}, {11, 22}},
    };
    for (const Case& c : cases) {
        clear();
        drawWallMarkRecord(canvas.dc(), ox, oy, lineOnly(green), c.scale, c.direction, cache);
        const int length = c.last.x - c.first.x + c.last.y - c.first.y + 1;
        EXPECT_EQ(countOf(green), length) << "scale " << c.scale;
        EXPECT_EQ(canvas.at(ox + c.first.x, oy + c.first.y), green) << "scale " << c.scale;
        EXPECT_EQ(canvas.at(ox + c.last.x, oy + c.last.y), green) << "scale " << c.scale;
    }
}

TEST_F(WallMark, FrontCoversBackAndBothCoverTheLine) {
    WallMarkRecord r = lineOnly(green);
    r.backShape = 1; // rectangle along the wall, columns 5..29
    r.backFrameColor = black;
    r.backFillColor = red;
    r.frontShape = 10; // square, columns 12..22
    r.frontFrameColor = black;
    r.frontFillColor = blue;
    drawHorizontalWallMarkRecord(canvas.dc(), ox, oy, r, mark_scale::normal, cache);
    EXPECT_EQ(canvas.at(ox + 2, oy), green);
    EXPECT_EQ(canvas.at(ox + 5, oy), black);
    EXPECT_EQ(canvas.at(ox + 8, oy), red) << "the back mark covers the line";
    EXPECT_EQ(canvas.at(ox + 17, oy), blue) << "the front mark covers the back";
    EXPECT_EQ(canvas.at(ox + 17, oy - 5), black);
    EXPECT_EQ(canvas.at(ox + 34, oy), green);

    clear();
    r.lineVisible = 0;
    drawVerticalWallMarkRecord(canvas.dc(), ox, oy, r, mark_scale::normal, cache);
    EXPECT_EQ(canvas.at(ox, oy + 2), white) << "no line";
    EXPECT_EQ(canvas.at(ox, oy + 8), red);
    EXPECT_EQ(canvas.at(ox, oy + 17), blue);
}

TEST_F(WallMark, PaletteSlotsDrawOnlyWhenRegisteredAndInRange) {
    palette.walls[0] = lineOnly(green);
    palette.walls[19] = lineOnly(red);
    WallMarkRecord unregistered = lineOnly(blue);
    unregistered.registered = 0;
    palette.walls[4] = unregistered;

    for (int slot : {0, 21, -1, 5})
        drawHorizontalWallMark(canvas.dc(), ox, oy, palette, slot, mark_scale::normal, cache);
    EXPECT_TRUE(blank());

    drawHorizontalWallMark(canvas.dc(), ox, oy, palette, 1, mark_scale::normal, cache);
    drawVerticalWallMark(canvas.dc(), ox, oy + 1, palette, 20, mark_scale::wide, cache);
    EXPECT_EQ(countOf(green), 35);
    EXPECT_EQ(countOf(red), 23);

    clear();
    // A record outside the palette is drawn whatever its registered flag says.
    drawHorizontalWallMarkRecord(canvas.dc(), ox, oy, unregistered, mark_scale::icon, cache);
    EXPECT_EQ(countOf(blue), 23);
}

TEST_F(WallMark, NothingToDrawDrawsNothing) {
    WallMarkRecord r; // registered, line hidden, both shapes none
    r.registered = 1;
    r.lineColor = green;
    r.backFrameColor = black;
    r.frontFrameColor = black;
    palette.walls[2] = r;
    for (int scale : {mark_scale::normal, mark_scale::wide, mark_scale::icon})
        drawHorizontalWallMark(canvas.dc(), ox, oy, palette, 3, scale, cache);

    const WallMarkRecord visible = lineOnly(green);
    for (int scale : {-1, 3})
        drawVerticalWallMarkRecord(canvas.dc(), ox, oy, visible, scale, cache);
    drawHorizontalWallMarkRecord(nullptr, ox, oy, visible, mark_scale::normal, cache);
    drawWallMarkRecord(canvas.dc(), ox, oy, visible, mark_scale::normal, static_cast<WallDirection>(2),
                       cache);
    EXPECT_TRUE(blank());
}

TEST_F(WallMark, LeavesTheContextAsItWas) {
    HGDIOBJ pen = GetCurrentObject(canvas.dc(), OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(canvas.dc(), OBJ_BRUSH);
    MoveToEx(canvas.dc(), 7, 9, nullptr);
    WallMarkRecord r = lineOnly(green);
    r.backShape = 12;
    r.backFrameColor = black;
    r.backFillColor = red;
    drawVerticalWallMarkRecord(canvas.dc(), ox, oy, r, mark_scale::wide, cache);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BRUSH), brush);
    POINT position{};
    GetCurrentPositionEx(canvas.dc(), &position);
    EXPECT_EQ(position.x, 7);
    EXPECT_EQ(position.y, 9);
}

} // namespace
} // namespace tav::win
