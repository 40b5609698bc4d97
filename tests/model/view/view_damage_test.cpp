#include "model/view/view_damage.h"

#include <vector>

#include <gtest/gtest.h>

namespace tav {
namespace {

constexpr int reach = 7;

MapDamage cells(CellRect rect) {
    MapDamage d;
    d.addCells(rect);
    return d;
}

TEST(ViewDamage, ACellIsRedrawnWithWhatItsWallsReachAndNothingOffScreenIs) {
    const ViewLayout l = viewLayout(30, 30, false, 5, 5);
    // Cell (7, 8) shows as visible cell (2, 3): grid corner (25 + 68, 25 + 102).
    EXPECT_EQ(damagedImageRects(cells({7, 8, 7, 8}), l, reach),
              (std::vector<PixelRect>{{93 - 7, 127 - 7, 93 + 35 + 7, 127 + 35 + 7}}));
    // A block that runs out of the view is cut at the closing line after the last visible cell and at the
    // image.
    EXPECT_EQ(damagedImageRects(cells({14, 14, 20, 20}), l, reach),
              (std::vector<PixelRect>{{25 + 9 * 34 - 7, 25 + 9 * 34 - 7, 404, 404}}));
    // Left of and above the view nothing shows.
    EXPECT_TRUE(damagedImageRects(cells({0, 0, 4, 29}), l, reach).empty());
    EXPECT_TRUE(damagedImageRects(cells({6, 17, 9, 29}), l, reach).empty());
}

TEST(ViewDamage, ColumnAndRowZeroAlsoShowOnTheRightAndBottomBorders) {
    // The last 11 columns and rows of a 20x20 map: the right border is drawn at visible column 11.
    const ViewLayout l = viewLayout(20, 20, false, 9, 9);
    const int border = 25 + 11 * 34;
    // Column 0 is scrolled off, but its vertical walls close the right border.
    EXPECT_EQ(damagedImageRects(cells({0, 12, 0, 12}), l, reach),
              (std::vector<PixelRect>{{border - 7, 25 + 3 * 34 - 7, 404, 25 + 4 * 34 + 1 + 7}}));
    // Column W (as noted for a wall on the right border) is the same place.
    EXPECT_EQ(damagedImageRects(cells({20, 12, 20, 12}), l, reach),
              damagedImageRects(cells({0, 12, 0, 12}), l, reach));
    EXPECT_EQ(damagedImageRects(cells({12, 20, 12, 20}), l, reach),
              (std::vector<PixelRect>{{25 + 3 * 34 - 7, border - 7, 25 + 4 * 34 + 1 + 7, 404}}));
    // With the whole map in view, column 0 shows both at the left and at the right.
    const ViewLayout all = viewLayout(11, 11, false, 0, 0);
    const std::vector<PixelRect> both = damagedImageRects(cells({0, 4, 0, 4}), all, reach);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0].left, 25 - 7);
    EXPECT_EQ(both[1].left, border - 7);
    // A map wider than the view scrolled to its left edge does not show its right border.
    EXPECT_EQ(damagedImageRects(cells({0, 4, 0, 4}), viewLayout(20, 20, false, 0, 0), reach).size(), 1u);
}

TEST(ViewDamage, CommentPixelsAreMovedToTheViewAndCutAtTheGrid) {
    const ViewLayout l = viewLayout(99, 99, true, 10, 20); // wide: pitch 22, 17 cells
    MapDamage d;
    d.addPixels({220 + 5, 440 + 6, 220 + 50, 440 + 60});
    d.addPixels({0, 0, 100, 100}); // far off the view
    d.addPixels({220 + 370, 440 - 30, 220 + 500, 440 + 10});
    EXPECT_EQ(damagedImageRects(d, l, reach),
              (std::vector<PixelRect>{{30, 31, 75, 85}, {395, 26, 25 + 17 * 22, 35}}));
    d.addEverything();
    EXPECT_EQ(damagedImageRects(d, l, reach), (std::vector<PixelRect>{{0, 0, 404, 404}}));
}

TEST(ViewDamage, AScrollKeepsWhatStaysInViewAndRedrawsTheNewStripRulersAndBorders) {
    const ViewLayout before = viewLayout(99, 99, false, 40, 40);
    const ScrollReuse right = scrollReuse(before, viewLayout(99, 99, false, 41, 40), reach);
    ASSERT_TRUE(right.possible);
    EXPECT_EQ(right.dx, -34);
    EXPECT_EQ(right.dy, 0);
    const int gridRight = 25 + 11 * 34;
    EXPECT_EQ(right.redraw,
              (std::vector<PixelRect>{{gridRight - 34 - 8, 0, 404, 404}, {0, 0, 26, 404}, {0, 0, 404, 25}}));
    // Back to the left: the walls of the column that left now stray in from the right border.
    EXPECT_EQ(
        scrollReuse(viewLayout(99, 99, false, 41, 40), before, reach).redraw,
        (std::vector<PixelRect>{{0, 0, 25 + 34 + 8, 404}, {gridRight - 8, 0, 404, 404}, {0, 0, 404, 25}}));
    // A page up keeps one row; the strip that comes in lies at the top.
    const ScrollReuse pageUp = scrollReuse(before, viewLayout(99, 99, false, 40, 30), reach);
    ASSERT_TRUE(pageUp.possible);
    EXPECT_EQ(pageUp.dy, 340);
    EXPECT_EQ(pageUp.redraw.front(), (PixelRect{0, 0, 404, 25 + 340 + 8}));
    // Nothing stays when the whole window moves on, or when the mode or the map changed.
    EXPECT_FALSE(scrollReuse(before, viewLayout(99, 99, false, 51, 40), reach).possible);
    EXPECT_FALSE(scrollReuse(before, viewLayout(99, 99, true, 41, 40), reach).possible);
    EXPECT_FALSE(scrollReuse(before, viewLayout(98, 99, false, 41, 40), reach).possible);
}

} // namespace
} // namespace tav
