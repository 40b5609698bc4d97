#include "model/view/comment_placements.h"

#include <memory>
#include <random>

#include <gtest/gtest.h>

namespace tav {
namespace {

std::unique_ptr<CommentArea> areaAt(PixelRect frame, PixelPoint anchorOffset) {
    auto area = std::make_unique<CommentArea>(CommentArea::create({0, 0, 80, 60}, 99, 99, false));
    area->setFrame(frame);
    area->setAnchor(anchorOffset.x, anchorOffset.y);
    return area;
}

std::vector<int> everyMeeting(const CommentList& list, const std::vector<PixelRect>& rects) {
    std::vector<int> found;
    for (std::size_t i = 0; i < list.size(); ++i)
        for (const PixelRect& r : rects)
            if (list[i]->mapBounds().intersects(r)) {
                found.push_back(static_cast<int>(i));
                break;
            }
    return found;
}

// The grid must find exactly what looking at every area finds, through rebuilds and moves that carry
// areas across squares, beyond the grid first built and over the whole map, and so many moves that the grid
// is made again.
TEST(CommentPlacements, FindsWhatEveryAreaWouldAnswerAfterRebuildsAndMoves) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> at(0, 99 * 34 - 1), size(8, 300), offset(-400, 400), side(1, 500);
    CommentList list;
    // Built over the top-left part of the map only, so later moves leave the grid.
    for (int i = 0; i < 400; ++i) {
        const int x = at(random) / 3, y = at(random) / 3;
        list.push_back(areaAt({x, y, x + size(random), y + size(random)}, {offset(random), offset(random)}));
    }
    list.push_back(areaAt({0, 0, 99 * 34, 99 * 34}, {5, 5})); // the whole map
    CommentPlacements placements;
    placements.rebuild(list);
    auto query = [&](int n) {
        std::vector<PixelRect> rects;
        for (int k = 0; k < n; ++k) {
            const int x = at(random) - 100, y = at(random) - 100;
            rects.push_back({x, y, x + side(random), y + side(random)});
        }
        return rects;
    };
    for (int round = 0; round < 120; ++round) {
        std::vector<const CommentArea*> changed;
        for (int k = 0; k < 5; ++k) {
            CommentArea& area = *list[static_cast<std::size_t>(at(random)) % list.size()];
            if (k % 2)
                area.setFrame({at(random), at(random), at(random), at(random)});
            else
                area.setAnchor(offset(random) * 4, offset(random) * 4);
            changed.push_back(&area);
        }
        ASSERT_TRUE(placements.update(list, changed));
        for (int n : {1, 3}) {
            const std::vector<PixelRect> rects = query(n);
            ASSERT_EQ(placements.meeting(rects), everyMeeting(list, rects)) << "round " << round;
        }
        EXPECT_EQ(placements.frames()[0], list[0]->frame());
    }
    EXPECT_EQ(placements.meeting({{-50, -50, -10, -10}}), std::vector<int>{});
    EXPECT_EQ(placements.meeting({{0, 0, 99 * 34, 99 * 34}}).size(), list.size());

    // A list that no longer matches is dropped, to be rebuilt.
    list.pop_back();
    EXPECT_FALSE(placements.update(list, {}));
    EXPECT_TRUE(placements.meeting({{0, 0, 500, 500}}).empty());
    placements.rebuild(list);
    EXPECT_TRUE(placements.matches(list));
}

} // namespace
} // namespace tav
