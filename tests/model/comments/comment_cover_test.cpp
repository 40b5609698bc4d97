#include "model/comments/comment_cover.h"

#include <gtest/gtest.h>

namespace tav {
namespace {

TEST(PixelCover, CoversOnlyWhatWasAddedAcrossWordBoundariesAndIgnoresWhatLiesOutside) {
    PixelCover cover({10, 20, 210, 120});
    EXPECT_TRUE(cover.covers({0, 0, 10, 200})) << "nothing of it inside";
    EXPECT_FALSE(cover.covers({100, 50, 101, 51}));

    cover.add({60, 40, 150, 80}); // bits 50..139 of rows 40..79: three words
    EXPECT_TRUE(cover.covers({60, 40, 150, 80}));
    EXPECT_TRUE(cover.covers({73, 41, 74, 79}));
    EXPECT_FALSE(cover.covers({59, 40, 150, 80}));
    EXPECT_FALSE(cover.covers({60, 40, 151, 80}));
    EXPECT_FALSE(cover.covers({60, 39, 150, 80}));
    EXPECT_FALSE(cover.covers({60, 40, 150, 81}));

    cover.add({-50, -50, 60, 500}); // clipped to the bounds
    EXPECT_TRUE(cover.covers({-1000, 40, 150, 80}));
    EXPECT_FALSE(cover.covers({-1000, 40, 150, 81}));
    EXPECT_FALSE(cover.covers({-1000, 39, 150, 80}));
}

} // namespace
} // namespace tav
