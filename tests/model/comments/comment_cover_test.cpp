#include "model/comments/comment_cover.h"

#include <gtest/gtest.h>

#include "model/comments/pixel_print.h"

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

TEST(CommentCover, OpaquePartKeepsClearOfOutlinesAndCurvesAndIsEmptyWhenSeeThrough) {
    CommentDrawGeometry g;
    g.frame = {100, 50, 180, 110};
    EXPECT_EQ(commentOpaqueRect(g, comment::frame::rectangle, true), (PixelRect{101, 51, 179, 109}));
    EXPECT_EQ(commentOpaqueRect(g, comment::frame::roundedRectangle, true), (PixelRect{104, 54, 176, 106}));
    EXPECT_EQ(commentOpaqueRect(g, comment::frame::ellipse, true), (PixelRect{114, 61, 166, 99}));
    EXPECT_TRUE(commentOpaqueRect(g, comment::frame::none, true).empty());
    EXPECT_TRUE(commentOpaqueRect(g, comment::frame::rectangle, false).empty());
    g.frame = {0, 0, 3, 3};
    EXPECT_TRUE(commentOpaqueRect(g, comment::frame::ellipse, true).empty());

    // The pointer runs from the frame's centre to the anchor, whose end mark spans 3 pixels either side.
    g.frame = {100, 50, 180, 110};
    g.anchor = {160, 140};
    EXPECT_EQ(commentPointerBounds(g), (PixelRect{140, 80, 164, 144}));
    g.anchor = {20, 10};
    EXPECT_EQ(commentPointerBounds(g), (PixelRect{17, 7, 141, 81}));
}

} // namespace
} // namespace tav
