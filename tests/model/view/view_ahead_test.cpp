#include "model/view/view_ahead.h"

#include <vector>

#include <gtest/gtest.h>

namespace tav {
namespace {

constexpr int reach = 7;

long long areaOf(const std::vector<PixelRect>& rects) {
    long long area = 0;
    for (const PixelRect& r : rects)
        area += static_cast<long long>(r.width()) * r.height();
    return area;
}

// Does every step due, as the view does while it waits for input; returns how many there were.
int drawAll(AheadPlan& plan) {
    int steps = 0;
    AheadPlan::Step step;
    while (plan.next(step) && steps < 10000) {
        plan.done(step);
        ++steps;
    }
    return steps;
}

TEST(AheadPlan, TheOriginsAheadAreTheLastStepThenACellAndAPageEachWayInsideTheMap) {
    // Normal view: 11 cells, a page of 10.
    EXPECT_EQ(aheadOrigins(99, 99, false, {40, 40}, {0, 10}),
              (std::vector<CellPoint>{
                  {40, 50}, {40, 30}, {41, 40}, {39, 40}, {40, 41}, {40, 39}, {50, 40}, {30, 40}}));
    // In a corner the steps out of the map stay where they are and are left out, repeats too.
    EXPECT_EQ(aheadOrigins(99, 99, false, {0, 0}, {-1, -1}),
              (std::vector<CellPoint>{{1, 1}, {1, 0}, {0, 1}, {10, 0}, {0, 10}}));
    // A page towards the far edge stops at the last origin.
    EXPECT_EQ(aheadOrigins(99, 99, true, {80, 82}, {}),
              (std::vector<CellPoint>{{81, 82}, {79, 82}, {80, 81}, {82, 82}, {64, 82}, {80, 66}}));
}

TEST(AheadPlan, PiecesAreNoLargerThanATileAndCoverTheRectanglesExactly) {
    const std::vector<PixelRect> rects{{90, 5, 310, 220}, {0, 0, 404, 404}, {3, 3, 3, 9}, {0, 0, 60, 404}};
    const std::vector<PixelRect> pieces = aheadPieces(rects);
    EXPECT_EQ(areaOf(pieces), 220 * 215 + 404 * 404 + 60 * 404);
    for (const PixelRect& p : pieces) {
        EXPECT_FALSE(p.empty());
        EXPECT_LE(p.width() * p.height(), 101 * 101);
    }
    // A tile's worth stays whole; a long strip is cut across.
    EXPECT_EQ(aheadPieces({{0, 0, 404, 25}}), (std::vector<PixelRect>{{0, 0, 404, 25}}));
    EXPECT_EQ(aheadPieces({{0, 0, 60, 404}}),
              (std::vector<PixelRect>{{0, 0, 60, 134}, {0, 134, 60, 269}, {0, 269, 60, 404}}));
}

TEST(AheadPlan, ImagesAreFilledFromTheNearestCompleteImageAndKeptAcrossScrolls) {
    AheadPlan plan;
    plan.aim(99, 99, false, reach, {40, 40}, {1, 0});
    EXPECT_EQ(plan.ready({41, 40}), -1);
    // The first step fills the last step's image from the one shown, moved a cell left: only a strip and
    // the rulers are left to draw.
    AheadPlan::Step step;
    ASSERT_TRUE(plan.next(step));
    EXPECT_TRUE(step.fill);
    EXPECT_TRUE(step.copies);
    EXPECT_EQ(step.source, AheadPlan::shownImage);
    EXPECT_EQ(step.dx, -34);
    EXPECT_EQ(step.dy, 0);
    EXPECT_LT(areaOf(step.due), 404 * 404 / 2);
    drawAll(plan);
    const int next = plan.ready({41, 40});
    ASSERT_GE(next, 0);
    EXPECT_GE(plan.ready({30, 40}), 0);

    // The scroll shows that image; the one shown until now is kept for the way back, nothing to draw.
    plan.exchanged(next, {40, 40});
    plan.aim(99, 99, false, reach, {41, 40}, {1, 0});
    EXPECT_GE(plan.ready({40, 40}), 0);
    // The image of the page to the left, no longer wanted, moves a cell into place for the new one.
    ASSERT_TRUE(plan.next(step));
    EXPECT_EQ(plan.slot(step.slot).origin, (CellPoint{42, 40}));
    while (plan.next(step) && !(step.fill && plan.slot(step.slot).origin == CellPoint{31, 40}))
        plan.done(step);
    ASSERT_TRUE(step.fill);
    EXPECT_TRUE(step.copies);
    EXPECT_EQ(step.source, step.slot);
    EXPECT_EQ(step.dx, -34);
    EXPECT_LT(areaOf(step.due), 404 * 404 / 2);
}

TEST(AheadPlan, ChangesAreDrawnAgainWhereEachImageShowsThem) {
    AheadPlan plan;
    plan.aim(99, 99, false, reach, {40, 40}, {});
    drawAll(plan);
    MapDamage damage;
    damage.addCells({45, 45, 45, 45});
    plan.damage(damage);
    // Cell (45, 45) shows a cell and a page up, not a page down or right.
    EXPECT_EQ(plan.ready({40, 39}), -1);
    EXPECT_EQ(plan.ready({41, 40}), -1);
    EXPECT_GE(plan.ready({40, 50}), 0);
    EXPECT_GE(plan.ready({50, 40}), 0);
    EXPECT_GT(drawAll(plan), 0);
    EXPECT_GE(plan.ready({40, 39}), 0);

    // Everything changed: nothing kept is of use.
    MapDamage all;
    all.addEverything();
    plan.damage(all);
    EXPECT_EQ(plan.ready({40, 50}), -1);
    drawAll(plan);
    // Nor after the mode changed.
    plan.aim(99, 99, true, reach, {40, 40}, {});
    EXPECT_EQ(plan.ready({41, 40}), -1);
}

} // namespace
} // namespace tav
