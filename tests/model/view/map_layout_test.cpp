#include "model/view/map_layout.h"

#include <climits>
#include <vector>

#include <gtest/gtest.h>

namespace tav {
namespace {

std::vector<int> columnNumbers(const RulerNumbers& n, int count) {
    std::vector<int> values;
    for (int k = 0; k < count; ++k)
        values.push_back(n.column(k));
    return values;
}

std::vector<int> rowNumbers(const RulerNumbers& n, int count) {
    std::vector<int> values;
    for (int k = 0; k < count; ++k)
        values.push_back(n.row(k));
    return values;
}

TEST(MapLayoutView, SmallMapShowsAllOfItWithEveryBorderAndWraps) {
    const ViewLayout l = viewLayout(5, 3, false, 0, 0);
    EXPECT_EQ(l.columns, 5);
    EXPECT_EQ(l.rows, 3);
    EXPECT_FALSE(l.fillsView);
    EXPECT_EQ(l.creamArea(), (PixelRect{0, 0, 199, 131}));
    EXPECT_TRUE(l.leftBorder && l.rightBorder && l.topBorder && l.bottomBorder);
    EXPECT_EQ(l.closingColumn, 0);
    EXPECT_EQ(l.closingRow, 0);
    EXPECT_EQ(l.gridRight(), 25 + 5 * 34);
    EXPECT_EQ(l.commentClip(), (PixelRect{26, 26, 195, 127}));
    EXPECT_EQ(l.visibleMapRect(), (PixelRect{0, 0, 171, 103}));
}

TEST(MapLayoutView, ScrolledIntoTheMiddleShowsNoBorderAndTheNextCellsWalls) {
    const ViewLayout l = viewLayout(99, 99, true, 40, 50);
    EXPECT_TRUE(l.fillsView);
    EXPECT_EQ(l.creamArea(), (PixelRect{0, 0, 404, 404}));
    EXPECT_FALSE(l.leftBorder || l.rightBorder || l.topBorder || l.bottomBorder);
    EXPECT_EQ(l.closingColumn, 57);
    EXPECT_EQ(l.closingRow, 67);
    EXPECT_EQ(l.cellCorner(41, 52), (PixelPoint{25 + 22, 25 + 44}));
    // Patterns start at cell (0,0)'s inner corner, far off to the top-left.
    EXPECT_EQ(l.patternOrigin(), (PixelPoint{26 - 40 * 22, 26 - 50 * 22}));
    EXPECT_EQ(l.visibleMapRect(), (PixelRect{40 * 22, 50 * 22, 57 * 22 + 1, 67 * 22 + 1}));
}

TEST(MapLayoutView, ScrollPositionsPastTheMapAreKeptInside) {
    ViewLayout l = viewLayout(20, 12, false, 15, -3);
    EXPECT_EQ(l.firstColumn, 9);
    EXPECT_EQ(l.firstRow, 0);
    EXPECT_TRUE(l.rightBorder);
    EXPECT_FALSE(l.bottomBorder);
    EXPECT_EQ(l.closingColumn, 0);
    EXPECT_EQ(l.closingRow, 11);
    // No grid at all (a failed resize): nothing to show, nothing to read.
    l = viewLayout(0, 0, false, 3, 3);
    EXPECT_EQ(l.columns, 0);
    EXPECT_EQ(l.firstColumn, 0);
    EXPECT_EQ(l.creamArea(), (PixelRect{0, 0, 29, 29}));
}

TEST(MapLayoutRuler, CentreBaseCountsFromTheLowerMiddle) {
    RulerSettings ruler;      // centre, +1, -1
    ruler.columnStart = 1000; // not used in the centre
    RulerNumbers n = rulerNumbers(ruler, 10, 10, 0, 0);
    EXPECT_EQ(columnNumbers(n, 10), (std::vector<int>{-4, -3, -2, -1, 0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(rowNumbers(n, 3), (std::vector<int>{4, 3, 2}));
    // Scrolled, odd size: the middle column 49 of 99 reads 0.
    n = rulerNumbers(ruler, 99, 99, 45, 45);
    EXPECT_EQ(n.column(4), 0);
    EXPECT_EQ(n.row(4), 0);
}

TEST(MapLayoutRuler, CornerBasesStartFromTheirCorner) {
    RulerSettings ruler;
    ruler.basePosition = 1;
    ruler.columnStart = 10;
    ruler.rowStart = 3;
    ruler.columnStep = 2;
    ruler.rowStep = 1;
    RulerNumbers n = rulerNumbers(ruler, 30, 30, 5, 2);
    EXPECT_EQ(n.column(0), 20);
    EXPECT_EQ(n.row(1), 6);

    ruler.basePosition = 2;
    ruler.rowStart = 1;
    ruler.rowStep = -1;
    n = rulerNumbers(ruler, 8, 8, 0, 0);
    EXPECT_EQ(rowNumbers(n, 8), (std::vector<int>{8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(n.column(3), 16);
    // Scrolled to the bottom of a tall map the last row still reads the start value.
    n = rulerNumbers(ruler, 8, 40, 0, 29);
    EXPECT_EQ(n.row(10), 1);
}

TEST(MapLayoutRuler, ExtremeStartValuesWrapInsteadOfOverflowing) {
    RulerSettings ruler;
    ruler.basePosition = 1;
    ruler.columnStart = INT32_MAX;
    ruler.columnStep = 127;
    const RulerNumbers n = rulerNumbers(ruler, 255, 255, 200, 0);
    EXPECT_EQ(n.column(0),
              static_cast<std::int32_t>(std::int64_t(INT32_MAX) + 127 * 200 - (std::int64_t(1) << 32)));
    EXPECT_EQ(n.column(1) - n.column(0), 127);
}

TEST(MapLayoutRuler, NumbersOnMultiplesOfFiveIncludingNegatives) {
    EXPECT_TRUE(rulerLabelled(0));
    EXPECT_TRUE(rulerLabelled(-10));
    EXPECT_TRUE(rulerLabelled(INT32_MIN + 3)); // -2147483645
    EXPECT_FALSE(rulerLabelled(-4));
    EXPECT_FALSE(rulerLabelled(7));
}

TEST(MapLayoutWholeMap, PrintAndExportImagesHoldTheGridAndItsMargins) {
    EXPECT_EQ(wholeMapImageSize(10, 8, false, map_view::printMarginX, map_view::printMarginY),
              (PixelSize{10 * 34 + 73, 8 * 34 + 49}));
    EXPECT_EQ(wholeMapImageSize(99, 99, true, map_view::exportMargin, map_view::exportMargin),
              (PixelSize{99 * 22 + 9, 99 * 22 + 9}));

    const WholeMapLayout l = wholeMapLayout(10, 8, false, 0, 0, 10, 8, 413, 321, 36, 24);
    EXPECT_TRUE(l.leftBorder && l.rightBorder && l.topBorder && l.bottomBorder);
    EXPECT_EQ(l.gridRight(), 36 + 340);
    EXPECT_EQ(l.commentClip, (PixelRect{36, 24, 377, 297}));
    EXPECT_EQ(l.visibleMapRect, (PixelRect{0, 0, 341, 273}));
    EXPECT_EQ(l.closingColumn, 0);
}

TEST(MapLayoutWholeMap, PartOfTheMapIsCutAtItsOwnEdgeAndBadRangesAreKeptInside) {
    WholeMapLayout l = wholeMapLayout(10, 8, true, 2, 1, 6, 5, 1000, 1000, 4, 4);
    EXPECT_FALSE(l.leftBorder || l.rightBorder || l.topBorder || l.bottomBorder);
    EXPECT_EQ(l.closingColumn, 6);
    EXPECT_EQ(l.closingRow, 5);
    EXPECT_EQ(l.commentClip, (PixelRect{4, 4, 4 + 4 * 22 + 1, 4 + 4 * 22 + 1}));
    EXPECT_EQ(l.visibleMapRect, (PixelRect{44, 22, 6 * 22 + 1, 5 * 22 + 1}));
    EXPECT_EQ(l.patternOrigin(), (PixelPoint{5 - 2 * 22, 5 - 22}));

    l = wholeMapLayout(10, 8, false, -5, 3, 50, 1, 100, 100, 4, 4);
    EXPECT_EQ(l.firstColumn, 0);
    EXPECT_EQ(l.endColumn, 10);
    EXPECT_EQ(l.endRow, 3); // an end before the start draws no rows
    EXPECT_EQ(l.gridBottom(), 4);
}

TEST(MapLayoutComments, DrawBoundsTakeInTheAnchorMarkAndPointerLine) {
    CommentDrawGeometry g;
    g.frame = {100, 100, 180, 160};
    g.anchor = {160, 190};
    EXPECT_EQ(commentDrawBounds(g), (PixelRect{100, 100, 180, 194}));
    g.anchor = {20, 10};
    EXPECT_EQ(commentDrawBounds(g), (PixelRect{17, 7, 180, 160}));
}

} // namespace
} // namespace tav
