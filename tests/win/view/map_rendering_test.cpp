// The map view's image and the whole-map image, checked pixel by pixel at the coordinates of the layout.
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "model/view/map_layout.h"
#include "view/map_rendering_support.h"
#include "win/platform/text.h"

namespace tav::win {
namespace {

using test::borderGrey;
using test::corner;
using test::cream;
using test::DibCanvas;
using test::lineWall;
using test::RenderBench;
using test::viewGrey;
using test::white;

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);
constexpr COLORREF green = RGB(0, 160, 0);

bool anyPixel(const DibCanvas& canvas, RECT r, COLORREF colour) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (canvas.at(x, y) == colour)
                return true;
    return false;
}

bool allPixels(const DibCanvas& canvas, RECT r, COLORREF colour) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (canvas.at(x, y) != colour)
                return false;
    return true;
}

bool sameRegion(const DibCanvas& a, const DibCanvas& b, RECT r) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (a.at(x, y) != b.at(x, y))
                return false;
    return true;
}

// Pixels in the 7 columns left of the grid line x = line (rows from..to-1) that differ from the pixel 8
// further right, beyond the line; with acrossRows the same for the rows above y = line. Zero when one
// 8x8 pattern runs on across the line.
int patternBreaks(const DibCanvas& c, int line, int from, int to, bool acrossRows) {
    int breaks = 0;
    for (int along = from; along < to; ++along)
        for (int d = 1; d < 8; ++d)
            breaks += acrossRows ? c.at(along, line - d) != c.at(along, line - d + 8)
                                 : c.at(line - d, along) != c.at(line - d + 8, along);
    return breaks;
}

class DrawView : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(canvas.ready()); }
    DibCanvas canvas{404, 404, RGB(1, 2, 3)};
};

TEST_F(DrawView, SmallMapShowsGreyBeyondItAllBordersAndWrappedClosingWalls) {
    RenderBench bench(5, 3);
    bench.document.palette().walls[0] = lineWall(red);
    bench.document.palette().walls[1] = lineWall(blue);
    bench.set(0, 1, layer::verticalWall, 1);   // left and right border of row 1
    bench.set(2, 0, layer::horizontalWall, 2); // top and bottom border of column 2
    ASSERT_TRUE(bench.view(canvas));

    EXPECT_TRUE(allPixels(canvas, {199, 0, 404, 404}, viewGrey));
    EXPECT_TRUE(allPixels(canvas, {0, 131, 404, 404}, viewGrey));
    EXPECT_EQ(canvas.at(198, 130), cream);
    EXPECT_EQ(canvas.at(24, 24), cream);
    EXPECT_TRUE(allPixels(canvas, {0, 0, 22, 22}, corner));
    EXPECT_EQ(canvas.at(22, 22), cream);

    const int right = 25 + 5 * 34, bottom = 25 + 3 * 34;
    EXPECT_TRUE(anyPixel(canvas, {25, 26, 26, 59}, borderGrey)) << "left border";
    EXPECT_TRUE(anyPixel(canvas, {right, 26, right + 1, 59}, borderGrey)) << "right border";
    EXPECT_TRUE(anyPixel(canvas, {26, 25, 59, 26}, borderGrey)) << "top border";
    EXPECT_TRUE(anyPixel(canvas, {26, bottom, 59, bottom + 1}, borderGrey)) << "bottom border";
    EXPECT_TRUE(anyPixel(canvas, {59, 60, 60, 93}, viewGrey)) << "inner grid";

    EXPECT_TRUE(allPixels(canvas, {25, 59, 26, 94}, red)) << "row 1's own left wall";
    EXPECT_TRUE(allPixels(canvas, {right, 59, right + 1, 94}, red)) << "closing wall from column 0";
    EXPECT_FALSE(anyPixel(canvas, {right, 26, right + 1, 58}, red)) << "row 0 has no wall";
    EXPECT_TRUE(allPixels(canvas, {93, 25, 128, 26}, blue));
    EXPECT_TRUE(allPixels(canvas, {93, bottom, 128, bottom + 1}, blue)) << "closing wall from row 0";
    EXPECT_FALSE(anyPixel(canvas, {26, bottom, 92, bottom + 1}, blue));
}

TEST_F(DrawView, MiddleOfALargeMapHasNoBordersAndClosesWithTheNextCellsWalls) {
    for (bool wide : {false, true}) {
        RenderBench bench(99, 99);
        bench.document.setViewMode(wide);
        bench.document.palette().walls[0] = lineWall(red);
        bench.document.palette().walls[1] = lineWall(blue);
        const int n = wide ? 17 : 11, p = wide ? 22 : 34, c0 = 40, r0 = 60;
        bench.set(c0 + n, r0 + 2, layer::verticalWall, 1);
        bench.set(c0 + 3, r0 + n, layer::horizontalWall, 2);
        bench.set(0, r0 + 2, layer::verticalWall, 2); // would show only if the edge wrapped wrongly
        ASSERT_TRUE(bench.view(canvas, c0, r0));

        const int edge = 25 + n * p;
        EXPECT_FALSE(anyPixel(canvas, {0, 0, 404, 404}, borderGrey)) << wide;
        EXPECT_EQ(canvas.at(403, 403), cream) << "the map fills the view";
        EXPECT_TRUE(allPixels(canvas, {edge, 25 + 2 * p, edge + 1, 25 + 3 * p + 1}, red)) << wide;
        EXPECT_TRUE(allPixels(canvas, {25 + 3 * p, edge, 25 + 4 * p + 1, edge + 1}, blue)) << wide;
        EXPECT_FALSE(anyPixel(canvas, {edge, 26, edge + 1, 399}, blue)) << wide;
    }
}

// The ruler font, made as the view makes it, to print the expected numbers with.
Font rulerFont() {
    return Font(CreateFontW(-MulDiv(8, 96, 72), 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                            widen("ＭＳ ゴシック").c_str()));
}

void printExpected(DibCanvas& expected, const std::wstring& text, RECT r, UINT format) {
    Font font = rulerFont();
    SelectObjectScope scope(expected.dc(), font.get());
    SetBkMode(expected.dc(), TRANSPARENT);
    DrawTextW(expected.dc(), text.c_str(), static_cast<int>(text.size()), &r, format | DT_SINGLELINE);
}

// Column k's label area without the ticks at its two ends.
RECT columnLabel(int k, int p) {
    return {25 + k * p + 1, 0, 25 + (k + 1) * p, 18};
}
RECT rowLabel(int k, int p) {
    return {0, 25 + k * p + 1, 18, 25 + (k + 1) * p};
}

class DrawViewRuler : public DrawView {
protected:
    // The ruler of a map drawn on cream with the given numbers printed where the view prints them.
    void expectColumnNumbers(const std::vector<std::pair<int, std::wstring>>& labels, int count) {
        DibCanvas expected(404, 404, cream);
        for (const auto& [k, text] : labels)
            printExpected(expected, text, {25 + k * 34, 0, 25 + k * 34 + 35, 18}, DT_CENTER | DT_BOTTOM);
        EXPECT_TRUE(anyPixel(expected, columnLabel(labels.front().first, 34), RGB(0, 0, 0)))
            << "the expected text shows";
        for (int k = 0; k < count; ++k)
            EXPECT_TRUE(sameRegion(canvas, expected, columnLabel(k, 34))) << "column " << k;
    }
    void expectRowNumbers(const std::vector<std::pair<int, std::wstring>>& labels, int count) {
        DibCanvas expected(404, 404, cream);
        for (const auto& [k, text] : labels)
            printExpected(expected, text, {0, 25 + k * 34, 18, 25 + k * 34 + 34}, DT_RIGHT | DT_VCENTER);
        EXPECT_TRUE(anyPixel(expected, rowLabel(labels.front().first, 34), RGB(0, 0, 0)));
        for (int k = 0; k < count; ++k)
            EXPECT_TRUE(sameRegion(canvas, expected, rowLabel(k, 34))) << "row " << k;
    }
};

TEST_F(DrawViewRuler, CentreBaseNumbersTheLowerMiddleZeroAndPrintsMultiplesOfFive) {
    RenderBench bench(10, 10); // columns read -4..5, rows 4..-5 (row step -1)
    bench.document.setRuler({123, 456, 0, 1, -1, 0});
    ASSERT_TRUE(bench.view(canvas));
    expectColumnNumbers({{4, L"0"}, {9, L"5"}}, 10);
    expectRowNumbers({{4, L"0"}, {9, L"-5"}}, 10);
    for (int k = 0; k <= 10; ++k)
        EXPECT_TRUE(allPixels(canvas, {25 + k * 34, 8, 26 + k * 34, 20}, RGB(0, 0, 0))) << "tick " << k;
    EXPECT_EQ(canvas.at(25, 7), cream);
    EXPECT_EQ(canvas.at(25, 20), cream);
}

TEST_F(DrawViewRuler, BottomLeftBaseCountsUpwardsFromTheBottomRow) {
    RenderBench bench(10, 10); // rows read 10, 9, .. 1 from the top
    bench.document.setRuler({3, 1, 2, 1, -1, 0});
    ASSERT_TRUE(bench.view(canvas));
    expectRowNumbers({{0, L"10"}, {5, L"5"}}, 10);
    expectColumnNumbers({{2, L"5"}, {7, L"10"}}, 10); // columns read 3..12
}

TEST_F(DrawView, CellNumbersOutOfRangeDrawNothing) {
    RenderBench clean(6, 6), bad(6, 6);
    for (RenderBench* bench : {&clean, &bad})
        bench->document.palette().walls[19] = lineWall(red);
    for (int c = 0; c < 6; ++c)
        for (int r = 0; r < 6; ++r) {
            bad.set(c, r, layer::horizontalWall, c % 2 ? 21 : 255);
            bad.set(c, r, layer::verticalWall, 21 + r);
            bad.set(c, r, layer::room, 21 + c);
            bad.set(c, r, layer::background, r % 2 ? 9 : 200);
        }
    DibCanvas expected(404, 404);
    ASSERT_TRUE(clean.view(expected));
    ASSERT_TRUE(bad.view(canvas));
    EXPECT_EQ(canvas.snapshot(), expected.snapshot());
}

TEST_F(DrawView, ScrollPositionsPastTheMapShowItsLastCells) {
    RenderBench bench(20, 20);
    bench.document.palette().walls[0] = lineWall(red);
    bench.set(19, 19, layer::verticalWall, 1);
    ASSERT_TRUE(bench.view(canvas, 500, 1000));
    EXPECT_TRUE(allPixels(canvas, {25 + 10 * 34, 25 + 10 * 34, 26 + 10 * 34, 25 + 11 * 34}, red));
    EXPECT_FALSE(drawView(nullptr, bench.document, 0, 0, bench.tools));
}

TEST_F(DrawView, CommentAreasAreCutAtTheGridInteriorAndRememberWhereTheyShow) {
    RenderBench bench(30, 30);
    bench.document.setNewCommentRect({0, 0, 200, 200});
    CommentArea* area = bench.document.addComment(bench.prompter);
    ASSERT_NE(area, nullptr);
    CommentFormat format = area->format();
    format.backgroundColour = 0x00A000; // green, as COLORREF
    ASSERT_TRUE(bench.document.setCommentFormat(*area, format, {34 * 5 + 10, 34 * 6 + 5, 34 * 9, 34 * 8},
                                                {20, -150}));
    // Scrolled so the frame's left part and the anchor lie left of and above the visible cells.
    ASSERT_TRUE(bench.view(canvas, 6, 3));
    const PixelRect shown = area->lastScreenRect();
    EXPECT_EQ(shown, (PixelRect{25 - 24, 25 + 3 * 34 + 5, 25 + 3 * 34, 25 + 5 * 34}));
    EXPECT_TRUE(anyPixel(canvas, {26, 140, 60, 190}, green));
    EXPECT_FALSE(anyPixel(canvas, {0, 0, 26, 404}, green)) << "nothing over the row ruler or grid line";

    // Scrolled away: the area draws nothing but no longer claims a place on screen.
    DibCanvas away(404, 404);
    ASSERT_TRUE(bench.view(away, 19, 19));
    EXPECT_TRUE(area->lastScreenRect().empty());
    EXPECT_FALSE(anyPixel(away, {0, 0, 404, 404}, green));
}

TEST_F(DrawView, EqualPatternedCellsShowOnePatternThatMovesWithTheMap) {
    RenderBench bench(30, 30);
    bench.document.palette().backgrounds[0] = 0x08000000 | 0xFF0000; // blue diagonal lattice
    for (int r = 0; r < 30; ++r)
        for (int c = 0; c < 30; ++c)
            bench.set(c, r, layer::background, 1);
    for (bool wide : {false, true}) {
        SCOPED_TRACE(wide ? "wide" : "normal");
        bench.document.setViewMode(wide);
        const int p = wide ? 22 : 34;
        ASSERT_TRUE(bench.view(canvas, 3, 2));
        // Cells 1 and 2 of the view side by side, and cell 1 over the one below it.
        const int x = 25 + p, y = 25 + p;
        ASSERT_TRUE(anyPixel(canvas, {x + 1, y + 1, x + p, y + p}, blue));
        ASSERT_TRUE(anyPixel(canvas, {x + 1, y + 1, x + p, y + p}, cream));
        EXPECT_EQ(patternBreaks(canvas, x + p, y + 1, y + p, false), 0);
        EXPECT_EQ(patternBreaks(canvas, y + p, x + 1, x + p, true), 0);

        // One column further on, every cell shows the pattern it showed before, one pitch to the left.
        DibCanvas scrolled(404, 404);
        ASSERT_TRUE(bench.view(scrolled, 4, 2));
        for (int py = y + 1; py < y + p; ++py)
            for (int px = x + p + 1; px < x + 2 * p; ++px)
                ASSERT_EQ(scrolled.at(px - p, py), canvas.at(px, py)) << px << "," << py;

        // Printing part of the map keeps the pattern whole across cells too.
        const PixelSize size = wholeMapImageSize(5, 5, wide, 4, 4);
        DibCanvas whole(size.width, size.height);
        ASSERT_TRUE(drawWholeMap(whole.dc(), bench.document, wide, 3, 2, 8, 7, size.width, size.height, 4, 4,
                                 bench.tools));
        EXPECT_EQ(patternBreaks(whole, 4 + p, 5, 4 + p, false), 0);
        EXPECT_EQ(patternBreaks(whole, 4 + p, 5, 4 + p, true), 0);
    }
}

TEST_F(DrawView, CrowdedCommentAreasShowExactlyAsWhenEachIsDrawnInTurn) {
    // Many overlapping areas of every frame style, filled and see-through, with and without pointers, in
    // many fonts: the view leaves out what later areas paint over, which must not change a pixel.
    RenderBench bench(12, 12);
    std::mt19937 random(7);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int i = 0; i < 300; ++i) {
        CommentArea* area = bench.document.addComment(bench.prompter);
        ASSERT_NE(area, nullptr);
        CommentFormat format = area->format();
        format.frameStyle = static_cast<std::uint8_t>(pick(0, 3));
        format.anchorStyle = static_cast<std::uint8_t>(pick(0, 3));
        format.backgroundColour = pick(0, 4) ? 0x102030u * pick(1, 7) : comment::noColour;
        format.frameColour = pick(0, 4) ? 0x0000C0u * pick(0, 1) : comment::noColour;
        format.alignment = static_cast<std::uint8_t>(pick(0, 2) | pick(0, 2) << 4);
        format.pointSize = pick(6, 30); // more fonts than the font cache keeps
        const int x = pick(-20, 380), y = pick(-20, 380);
        ASSERT_TRUE(bench.document.setCommentFormat(*area, format, {x, y, x + pick(8, 120), y + pick(8, 90)},
                                                    {pick(-60, 150), pick(-60, 150)}));
    }
    RenderBench plain(12, 12);
    for (bool wide : {false, true}) {
        SCOPED_TRACE(wide ? "wide" : "normal");
        bench.document.setViewMode(wide);
        plain.document.setViewMode(wide);
        const int first = wide ? 0 : 1;
        ASSERT_TRUE(bench.view(canvas, first, first));

        DibCanvas expected(404, 404, RGB(1, 2, 3));
        ASSERT_TRUE(plain.view(expected, first, first));
        const ViewLayout l = viewLayout(12, 12, wide, first, first);
        const PixelRect clip = l.commentClip();
        IntersectClipRect(expected.dc(), clip.left, clip.top, clip.right, clip.bottom);
        for (const auto& area : bench.document.comments())
            drawCommentArea(expected.dc(), *area, l.visibleMapRect(), {25, 25}, bench.cache, bench.fonts);
        EXPECT_EQ(canvas.snapshot(), expected.snapshot());
    }
}

class WholeMap : public ::testing::Test {};

TEST_F(WholeMap, WhiteWithMarginsBordersAndWrappedClosingWallsButNoRulers) {
    RenderBench bench(4, 3);
    bench.document.palette().walls[0] = lineWall(red);
    bench.document.palette().walls[1] = lineWall(blue);
    bench.set(0, 2, layer::verticalWall, 1);
    bench.set(3, 0, layer::horizontalWall, 2);
    const PixelSize size = wholeMapImageSize(4, 3, true, 36, 24);
    DibCanvas canvas(size.width, size.height, RGB(1, 2, 3));
    ASSERT_TRUE(drawWholeMap(canvas.dc(), bench.document, true, 0, 0, 4, 3, size.width, size.height, 36, 24,
                             bench.tools));
    const int right = 36 + 4 * 22, bottom = 24 + 3 * 22;
    EXPECT_TRUE(allPixels(canvas, {0, 0, size.width, 24}, white)) << "no ruler";
    EXPECT_TRUE(allPixels(canvas, {0, 0, 36, size.height}, white));
    EXPECT_TRUE(allPixels(canvas, {right + 1, 0, size.width, size.height}, white));
    EXPECT_TRUE(anyPixel(canvas, {36, 25, 37, 24 + 22}, borderGrey));
    EXPECT_TRUE(anyPixel(canvas, {37, bottom, 36 + 22, bottom + 1}, borderGrey));
    EXPECT_TRUE(allPixels(canvas, {right, 24 + 44, right + 1, bottom}, red)) << "wide scale, wrapped";
    EXPECT_TRUE(allPixels(canvas, {36 + 66, bottom, right + 1, bottom + 1}, blue));
}

TEST_F(WholeMap, FailsWithoutAMemoryContextHoldingABitmap) {
    RenderBench bench(3, 3);
    EXPECT_FALSE(drawWholeMap(nullptr, bench.document, false, 0, 0, 3, 3, 200, 200, 4, 4, bench.tools));
    MemoryDc bare(CreateCompatibleDC(nullptr));
    EXPECT_FALSE(drawWholeMap(bare.get(), bench.document, false, 0, 0, 3, 3, 200, 200, 4, 4, bench.tools));
}

TEST_F(WholeMap, WideRenderingLeavesTheViewsCommentAreasAsTheyWere) {
    RenderBench bench(12, 12);
    bench.document.setNewCommentRect({0, 0, 374, 374});
    CommentArea* area = bench.document.addComment(bench.prompter);
    ASSERT_NE(area, nullptr);
    CommentFormat format = area->format();
    format.backgroundColour = 0x00A000;
    ASSERT_TRUE(bench.document.setCommentFormat(*area, format, {300, 34, 408, 100}, {-20, 10}));
    DibCanvas view(404, 404);
    ASSERT_TRUE(bench.view(view));
    const PixelRect frame = area->frame(), screen = area->screenFrame();
    const int points = area->pointSize();

    const PixelSize size = wholeMapImageSize(12, 12, true, 4, 4);
    DibCanvas canvas(size.width, size.height);
    ASSERT_TRUE(drawWholeMap(canvas.dc(), bench.document, true, 0, 0, 12, 12, size.width, size.height, 4, 4,
                             bench.tools));
    EXPECT_EQ(area->frame(), frame);
    EXPECT_EQ(area->screenFrame(), screen) << "the view's hit testing keeps its mapping";
    EXPECT_EQ(area->pointSize(), points);
    EXPECT_FALSE(area->isWide());
    // Drawn at wide scale: its right edge at the map's right grid line, not beyond.
    const int right = 4 + 12 * 22;
    EXPECT_TRUE(anyPixel(canvas, {right - 30, 30, right, 60}, green));
    EXPECT_FALSE(anyPixel(canvas, {right + 1, 0, size.width, size.height}, green));
    EXPECT_FALSE(anyPixel(canvas, {0, 70, size.width, size.height}, green)) << "wide, not normal size";
}

} // namespace
} // namespace tav::win
