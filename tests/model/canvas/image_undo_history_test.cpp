#include "model/canvas/image_undo_history.h"

#include <gtest/gtest.h>

namespace tav {
namespace {

PicturePixels picture(std::uint32_t value) {
    return PicturePixels(4, value);
}

TEST(ImageUndoHistory, AFullHistoryDropsItsOldestStepAndANewChangeDropsTheRedoBranch) {
    ImageUndoHistory history;
    history.setLimit(3);
    PicturePixels shown = picture(0);
    for (std::uint32_t change = 1; change <= 4; ++change) {
        history.push(shown);
        shown = picture(change);
    }
    EXPECT_EQ(history.size(), 3u) << "the fourth change removed the oldest step";
    for (std::uint32_t expected : {3u, 2u, 1u}) {
        auto previous = history.undo(shown);
        ASSERT_TRUE(previous);
        shown = *previous;
        EXPECT_EQ(shown, picture(expected));
    }
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.undo(shown));

    shown = *history.redo(shown);
    EXPECT_EQ(shown, picture(2));
    EXPECT_TRUE(history.canRedo());
    history.push(shown); // a new change after an undo
    shown = picture(9);
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(*history.undo(shown), picture(2));
    EXPECT_EQ(*history.redo(picture(2)), picture(9));
}

TEST(ImageUndoHistory, LimitsAreKeptInRange) {
    ImageUndoHistory history;
    history.setLimit(100000);
    EXPECT_EQ(history.limit(), ImageUndoHistory::maxLimit);
    history.setLimit(-1);
    history.push(picture(1));
    EXPECT_FALSE(history.canUndo()) << "no limit left means no undo";
}

} // namespace
} // namespace tav
