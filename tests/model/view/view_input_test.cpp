#include "model/view/view_input.h"

#include <gtest/gtest.h>

namespace tav {
namespace {

using namespace view_input;

// The view pixel of a point inside visible cell (column, row) at (u, v) from its top-left grid corner.
int px(const ViewGeometry& g, int column, int u) {
    return 25 + column * g.pitch + u;
}

HoverElement at(const ViewGeometry& g, int column, int u, int row, int v) {
    return hoverAt(g, px(g, column, u), px(g, row, v));
}

TEST(ViewInputGrid, PointsOnTheGridAndTheirCells) {
    const ViewGeometry g = viewGeometry(30, 30, false);
    EXPECT_EQ(g.columns, 11);
    EXPECT_EQ(g.pixelWidth(), 374);
    EXPECT_FALSE(onGrid(g, 24, 100));
    EXPECT_TRUE(onGrid(g, 25, 25));
    EXPECT_TRUE(onGrid(g, 398, 398));
    EXPECT_FALSE(onGrid(g, 399, 100));
    EXPECT_EQ(visibleCell(g, 25 + 34 * 3 + 1, 25 + 33), (CellPoint{3, 0}));
    EXPECT_EQ(clampedVisibleCell(g, 3, 500), (CellPoint{0, 10}));
    EXPECT_EQ(outsideDirection(g, 400, 10), direction::right | direction::above);
    EXPECT_EQ(outsideDirection(g, 10, 400), direction::left | direction::below);
    EXPECT_EQ(outsideDirection(g, 100, 100), 0);
}

TEST(ViewInputGrid, NothingIsOnTheGridOfAMissingMap) {
    const ViewGeometry g = viewGeometry(0, 0, false);
    EXPECT_FALSE(onGrid(g, 100, 100));
    EXPECT_TRUE(hoverAt(g, 100, 100).none());
    EXPECT_EQ(clampedVisibleCell(g, 100, 100), (CellPoint{}));
    EXPECT_TRUE(selectionInversion(g, {}, {0, 0}, {1, 1}).empty());
}

TEST(ViewInputHover, CellInteriorAndTheFourEdgesInNormalView) {
    const ViewGeometry g = viewGeometry(30, 30, false);
    EXPECT_EQ(at(g, 2, 17, 3, 17), (HoverElement{2, 3, kind::cell}));
    EXPECT_EQ(at(g, 2, 17, 3, 2), (HoverElement{2, 3, kind::horizontal}));
    EXPECT_EQ(at(g, 2, 17, 3, 30), (HoverElement{2, 4, kind::horizontal}));
    EXPECT_EQ(at(g, 2, 2, 3, 17), (HoverElement{2, 3, kind::vertical}));
    EXPECT_EQ(at(g, 2, 30, 3, 17), (HoverElement{3, 3, kind::vertical}));
    // The edge zone is 8 pixels: 6 pixels in is still an edge, 8 is the cell.
    EXPECT_EQ(at(g, 2, 6, 3, 17).kind, kind::vertical);
    EXPECT_EQ(at(g, 2, 8, 3, 17).kind, kind::cell);
    EXPECT_EQ(at(g, 2, 26, 3, 17).kind, kind::cell);
    EXPECT_EQ(at(g, 2, 27, 3, 17), (HoverElement{3, 3, kind::vertical}));
}

TEST(ViewInputHover, WideViewEdgeZoneIsFivePixels) {
    const ViewGeometry g = viewGeometry(30, 30, true);
    EXPECT_EQ(g.pitch, 22);
    EXPECT_EQ(g.columns, 17);
    // A press 6 pixels inside a 22-pixel cell is the cell, not an edge.
    EXPECT_EQ(at(g, 1, 6, 1, 6), (HoverElement{1, 1, kind::cell}));
    EXPECT_EQ(at(g, 1, 4, 1, 11), (HoverElement{1, 1, kind::vertical}));
    EXPECT_EQ(at(g, 1, 11, 1, 4), (HoverElement{1, 1, kind::horizontal}));
    EXPECT_EQ(at(g, 1, 18, 1, 11), (HoverElement{2, 1, kind::vertical}));
    EXPECT_EQ(at(g, 1, 11, 1, 18), (HoverElement{1, 2, kind::horizontal}));
}

TEST(ViewInputHover, CornerZonesSplitAlongTheirDiagonals) {
    const ViewGeometry g = viewGeometry(30, 30, false);
    // Top-left: horizontal above the diagonal, vertical on and below it.
    EXPECT_EQ(at(g, 4, 5, 4, 2), (HoverElement{4, 4, kind::horizontal}));
    EXPECT_EQ(at(g, 4, 2, 4, 5), (HoverElement{4, 4, kind::vertical}));
    EXPECT_EQ(at(g, 4, 3, 4, 3), (HoverElement{4, 4, kind::vertical}));
    // Bottom-left: u > p - v - 1 gives the next row's edge.
    EXPECT_EQ(at(g, 4, 5, 4, 31), (HoverElement{4, 5, kind::horizontal}));
    EXPECT_EQ(at(g, 4, 1, 4, 30), (HoverElement{4, 4, kind::vertical}));
    // Top-right: v > p - u - 1 gives the next column's edge.
    EXPECT_EQ(at(g, 4, 31, 4, 5), (HoverElement{5, 4, kind::vertical}));
    EXPECT_EQ(at(g, 4, 30, 4, 1), (HoverElement{4, 4, kind::horizontal}));
    // Bottom-right: v >= u gives the next row, else the next column.
    EXPECT_EQ(at(g, 4, 30, 4, 31), (HoverElement{4, 5, kind::horizontal}));
    EXPECT_EQ(at(g, 4, 31, 4, 30), (HoverElement{5, 4, kind::vertical}));
}

TEST(ViewInputHover, RulerCornerFarCornerAndBeyondHaveNone) {
    const ViewGeometry g = viewGeometry(30, 30, false);
    EXPECT_TRUE(hoverAt(g, 10, 10).none());
    EXPECT_TRUE(hoverAt(g, 24, 24).none());
    EXPECT_TRUE(hoverAt(g, 20, 100).none()); // a = -5
    EXPECT_TRUE(hoverAt(g, 25 + 373, 25 + 373).none());
    EXPECT_TRUE(hoverAt(g, 25 + 379, 100).none());
    // Left of the grid within 4 pixels: column 0's vertical edge.
    EXPECT_EQ(hoverAt(g, 22, 25 + 17), (HoverElement{0, 0, kind::vertical}));
    EXPECT_EQ(hoverAt(g, 25 + 17, 21), (HoverElement{0, 0, kind::horizontal}));
}

TEST(ViewInputHover, EdgesBeyondTheVisibleWindowArePinnedToIt) {
    const ViewGeometry g = viewGeometry(30, 30, false);
    EXPECT_EQ(hoverAt(g, 25 + 374 + 2, 25 + 17), (HoverElement{11, 0, kind::vertical}));
    EXPECT_EQ(hoverAt(g, 25 + 17, 25 + 374 + 2), (HoverElement{0, 11, kind::horizontal}));
    // A map exactly as wide as the view pins the same way.
    const ViewGeometry exact = viewGeometry(11, 11, false);
    EXPECT_EQ(hoverAt(exact, 25 + 374 + 1, 25 + 40), (HoverElement{11, 1, kind::vertical}));
}

TEST(ViewInputHover, BordersOfASmallMapHaveTwins) {
    const ViewGeometry g = viewGeometry(5, 3, false);
    EXPECT_EQ(at(g, 0, 2, 1, 17), (HoverElement{0, 1, kind::twin | kind::vertical}));
    EXPECT_EQ(at(g, 2, 17, 0, 2), (HoverElement{2, 0, kind::twin | kind::horizontal}));
    // The right border is column 0's left edge, the bottom border row 0's top edge.
    EXPECT_EQ(at(g, 4, 30, 1, 17), (HoverElement{0, 1, kind::twin | kind::vertical}));
    EXPECT_EQ(hoverAt(g, 25 + 170 + 2, 25 + 40), (HoverElement{0, 1, kind::twin | kind::vertical}));
    EXPECT_EQ(at(g, 2, 17, 2, 30), (HoverElement{2, 0, kind::twin | kind::horizontal}));
    EXPECT_EQ(hoverAt(g, 25 + 40, 25 + 102 + 3), (HoverElement{1, 0, kind::twin | kind::horizontal}));
    // Inner edges have no twin.
    EXPECT_EQ(at(g, 2, 2, 1, 17), (HoverElement{2, 1, kind::vertical}));
}

TEST(ViewInputOverlays, HoverBarsTwinsAndCellSquare) {
    const ViewGeometry g = viewGeometry(30, 30, false);
    EXPECT_EQ(hoverInversion(g, {2, 3, kind::horizontal}),
              (std::vector<PixelRect>{{2 * 34 + 25, 3 * 34 + 24, 2 * 34 + 34 + 26, 3 * 34 + 27}}));
    EXPECT_EQ(hoverInversion(g, {2, 3, kind::vertical}),
              (std::vector<PixelRect>{{2 * 34 + 24, 3 * 34 + 25, 2 * 34 + 27, 3 * 34 + 34 + 26}}));
    EXPECT_EQ(hoverInversion(g, {2, 3, kind::cell}), (std::vector<PixelRect>{{100, 134, 121, 155}}));
    const ViewGeometry wide = viewGeometry(30, 30, true);
    EXPECT_EQ(hoverInversion(wide, {1, 1, kind::cell}), (std::vector<PixelRect>{{52, 52, 65, 65}}));

    const ViewGeometry small = viewGeometry(5, 3, false);
    const auto twin = hoverInversion(small, {0, 1, kind::twin | kind::vertical});
    ASSERT_EQ(twin.size(), 2u);
    EXPECT_EQ(twin[1], (PixelRect{5 * 34 + 24, 34 + 25, 5 * 34 + 27, 34 + 34 + 26}));
    const auto twinRow = hoverInversion(small, {2, 0, kind::twin | kind::horizontal});
    ASSERT_EQ(twinRow.size(), 2u);
    EXPECT_EQ(twinRow[1], (PixelRect{2 * 34 + 25, 3 * 34 + 24, 2 * 34 + 34 + 26, 3 * 34 + 27}));
    EXPECT_TRUE(hoverInversion(g, {}).empty());
}

TEST(ViewInputOverlays, SelectionIsInvertedInsideTheGridLines) {
    const ViewGeometry g = viewGeometry(30, 30, false);
    EXPECT_TRUE(selectionInversion(g, {0, 0}, {3, 3}, {3, 3}).empty());
    EXPECT_EQ(selectionInversion(g, {0, 0}, {2, 1}, {1, 1}),
              (std::vector<PixelRect>{{34 + 26, 34 + 26, 3 * 34 + 25, 2 * 34 + 25}}));
    // Scrolled, partly out of view: clipped to (26, 26)-(399, 399).
    EXPECT_EQ(selectionInversion(g, {5, 5}, {0, 0}, {29, 6}),
              (std::vector<PixelRect>{{26, 26, 399, 2 * 34 + 25}}));
    EXPECT_TRUE(selectionInversion(g, {10, 10}, {0, 0}, {1, 1}).empty());
}

TEST(ViewInputOverlays, PositionMarkerStyles) {
    const ViewGeometry g = viewGeometry(30, 30, false);
    EXPECT_EQ(markerInversion(g, {0, 0}, {2, 1}, 0),
              (std::vector<PixelRect>{{25 + 68 + 5, 25 + 34 + 5, 123, 89}}));
    EXPECT_TRUE(markerInversion(g, {5, 0}, {2, 1}, 0).empty());
    EXPECT_EQ(markerInversion(g, {0, 0}, {2, 1}, 1),
              (std::vector<PixelRect>{{68 + 33, 6, 68 + 33 + 19, 400}, {6, 34 + 33, 400, 34 + 33 + 19}}));
    // Only the visible one of the two bands.
    EXPECT_EQ(markerInversion(g, {5, 0}, {2, 1}, 1).size(), 1u);
    EXPECT_TRUE(markerInversion(g, {0, 0}, {2, 1}, 2).empty());
    const ViewGeometry wide = viewGeometry(30, 30, true);
    EXPECT_EQ(markerInversion(wide, {0, 0}, {1, 1}, 0), (std::vector<PixelRect>{{50, 50, 67, 67}}));
    EXPECT_EQ(markerInversion(wide, {0, 0}, {1, 1}, 1)[0], (PixelRect{52, 6, 65, 400}));
}

TEST(ViewInputDrag, CursorIsConfinedAroundTheGrid) {
    EXPECT_EQ(cursorConfinement(viewGeometry(30, 30, false)), (PixelRect{23, 23, 374 + 28, 374 + 28}));
    EXPECT_EQ(cursorConfinement(viewGeometry(5, 3, false)), (PixelRect{23, 23, 170 + 28, 102 + 28}));
}

TEST(ViewInputAutoScroll, DirectionsGiveRequestsOrDiagonalButtons) {
    EXPECT_EQ(autoScrollStep(direction::right).scrollRequest, scroll::columnRight);
    EXPECT_EQ(autoScrollStep(direction::left).scrollRequest, scroll::columnLeft);
    EXPECT_EQ(autoScrollStep(direction::below).scrollRequest, scroll::rowDown);
    EXPECT_EQ(autoScrollStep(direction::above).scrollRequest, scroll::rowUp);
    EXPECT_EQ(autoScrollStep(direction::right | direction::below).diagonalButton, diagonal::downRight);
    EXPECT_EQ(autoScrollStep(direction::left | direction::below).diagonalButton, diagonal::downLeft);
    EXPECT_EQ(autoScrollStep(direction::right | direction::above).diagonalButton, diagonal::upRight);
    EXPECT_EQ(autoScrollStep(direction::left | direction::above).diagonalButton, diagonal::upLeft);
    EXPECT_TRUE(autoScrollStep(0).stop);
    EXPECT_TRUE(autoScrollStep(direction::left | direction::right).stop);
}

TEST(ViewInputAutoScroll, CurrentPointAdvancesWithinTheMap) {
    EXPECT_EQ(advanceWithin({3, 3}, direction::right, 10, 10), (CellPoint{4, 3}));
    EXPECT_EQ(advanceWithin({9, 3}, direction::right, 10, 10), (CellPoint{9, 3}));
    EXPECT_EQ(advanceWithin({0, 3}, direction::left, 10, 10), (CellPoint{0, 3}));
    // A diagonal step slides along the edge while one coordinate can still move.
    EXPECT_EQ(advanceWithin({9, 3}, direction::right | direction::below, 10, 10), (CellPoint{9, 4}));
    EXPECT_EQ(advanceWithin({9, 9}, direction::right | direction::below, 10, 10), (CellPoint{9, 9}));
}

TEST(ViewInputCentre, CentringKeepsTheOriginInsideTheMap) {
    const ViewGeometry g = viewGeometry(61, 61, false);
    EXPECT_EQ(centredOrigin(g, {30, 30}), (CellPoint{25, 25}));
    EXPECT_EQ(centredOrigin(g, {0, 2}), (CellPoint{0, 0}));
    EXPECT_EQ(centredOrigin(g, {60, 60}), (CellPoint{50, 50}));
    EXPECT_EQ(middleCell(g, {25, 25}), (CellPoint{30, 30}));
    EXPECT_EQ(clampOrigin(viewGeometry(5, 5, false), {3, -2}), (CellPoint{0, 0}));
    EXPECT_TRUE(visibleAt(g, {25, 25}, {35, 25}));
    EXPECT_FALSE(visibleAt(g, {25, 25}, {36, 25}));
}

} // namespace
} // namespace tav
