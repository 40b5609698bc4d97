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

CommentDrawGeometry geometry(PixelRect frame, PixelPoint anchor) {
    return {frame, anchor, commentTextRect(frame, comment::frame::rectangle)};
}

constexpr std::uint8_t rectangle = comment::frame::rectangle;
constexpr std::uint8_t circle = comment::anchor::circle;

// Placed top-most first: what an opaque area above covers is left out of the areas below, piece by piece.
TEST(CommentOcclusion, LeavesOutOnlyThePiecesUnderOpaqueAreasAbove) {
    CommentOcclusion occlusion({0, 0, 400, 400});
    const CommentPieces top =
        occlusion.place(geometry({100, 100, 200, 200}, {150, 250}), rectangle, circle, true, true);
    EXPECT_TRUE(top.frame && top.text && top.line && top.endMark);

    // Frame and text under the top one; its pointer reaches out below it.
    CommentPieces p =
        occlusion.place(geometry({110, 110, 190, 190}, {150, 300}), rectangle, circle, true, true);
    EXPECT_FALSE(p.frame || p.text);
    EXPECT_TRUE(p.line && p.endMark);
    // One pixel of the frame outside the opaque inside (which keeps clear of the outline) shows.
    p = occlusion.place(geometry({100, 120, 180, 180}, {150, 150}), rectangle, circle, true, true);
    EXPECT_TRUE(p.frame);
    EXPECT_FALSE(p.text || p.line || p.endMark);
    // Wholly under: nothing, not even the anchor style's line without an end mark.
    p = occlusion.place(geometry({120, 120, 180, 180}, {150, 150}), rectangle, comment::anchor::lineOnly,
                        true, true);
    EXPECT_FALSE(p.any());
    // No text, no line: the frame alone shows.
    p = occlusion.place(geometry({300, 300, 380, 380}, {0, 0}), rectangle, comment::anchor::noLine, true,
                        false);
    EXPECT_TRUE(p.frame);
    EXPECT_FALSE(p.text || p.line || p.endMark);
    // Outside the clip: nothing.
    EXPECT_FALSE(
        occlusion.place(geometry({500, 0, 600, 100}, {550, 50}), rectangle, circle, true, true).any());
}

TEST(CommentOcclusion, SeeThroughAreasCoverNothingAndOnlyTheDrawnPartsCount) {
    const std::vector<PixelRect> parts{{0, 0, 100, 400}, {300, 0, 400, 400}};
    CommentOcclusion occlusion({0, 0, 400, 400}, &parts);
    // Transparent, and with no frame: neither covers what lies below.
    occlusion.place(geometry({0, 0, 400, 200}, {10, 10}), rectangle, circle, false, true);
    occlusion.place(geometry({0, 200, 400, 400}, {10, 210}), comment::frame::none, circle, true, true);
    EXPECT_TRUE(occlusion.place(geometry({10, 10, 90, 90}, {50, 50}), rectangle, circle, true, true).frame);
    // Showing only between the parts: hidden there all the same.
    EXPECT_FALSE(
        occlusion.place(geometry({120, 10, 280, 90}, {200, 50}), rectangle, circle, true, true).any());
    // Covered inside the left part by the first opaque area above, it still shows in the right part.
    occlusion.place(geometry({0, 100, 101, 300}, {50, 200}), rectangle, comment::anchor::noLine, true, false);
    const CommentPieces p =
        occlusion.place(geometry({20, 150, 330, 250}, {60, 200}), rectangle, circle, true, true);
    EXPECT_TRUE(p.frame && p.text);
    EXPECT_FALSE(p.line || p.endMark) << "pointer inside the left part, under the area above";
}

} // namespace
} // namespace tav
