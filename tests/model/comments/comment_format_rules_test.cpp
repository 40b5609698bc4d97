#include "model/comments/comment_format_rules.h"

#include <gtest/gtest.h>

#include "model/comments/comment_record.h"

namespace tav::comment_format {
namespace {

using comment::style::bold;
using comment::style::italic;
using comment::style::strikeOut;
using comment::style::underline;

TEST(CommentFormatRules, StyleListPositionsAndFlags) {
    EXPECT_EQ(styleIndex(0), 0);
    EXPECT_EQ(styleIndex(italic), 1);
    EXPECT_EQ(styleIndex(bold), 2);
    EXPECT_EQ(styleIndex(bold | italic | underline), 3);
    EXPECT_EQ(withStyleIndex(underline | bold, 1), underline | italic) << "underline is kept";
    EXPECT_EQ(withStyleIndex(strikeOut, 3), strikeOut | bold | italic);
    EXPECT_EQ(withStyleIndex(bold | italic, 0), 0);
    EXPECT_EQ(withStyleIndex(bold, -1), bold) << "no selection changes nothing";
    EXPECT_EQ(withStyleIndex(bold, 4), bold);
}

TEST(CommentFormatRules, SizeFieldPreviewAndStoredSize) {
    EXPECT_EQ(previewHeight("7"), 7);
    EXPECT_EQ(previewHeight(" 6 "), 6);
    EXPECT_EQ(previewHeight("5"), std::nullopt);
    EXPECT_EQ(previewHeight("-12"), std::nullopt);
    EXPECT_EQ(previewHeight("9pt"), std::nullopt);
    EXPECT_EQ(previewHeight(""), std::nullopt);
    EXPECT_EQ(previewHeight("99999999999"), largestSize);

    EXPECT_EQ(storedPointSize("3", 9), 3) << "a small size is stored all the same";
    EXPECT_EQ(storedPointSize("abc", 9), 9);
    EXPECT_EQ(storedPointSize("", 12), 12);
    EXPECT_EQ(storedPointSize("0", 9), 1);
    EXPECT_EQ(storedPointSize("-4", 9), 1);
    EXPECT_EQ(storedPointSize("40000", 9), largestSize);

    EXPECT_EQ(previewSample(128), "Aaあぁアァ亜宇");
    EXPECT_EQ(previewSample(2), "Aaあぁアァ亜宇");
    EXPECT_EQ(previewSample(0), "AaBbYyZz");
    EXPECT_EQ(previewSample(134), "AaBbYyZz");
}

TEST(CommentFormatRules, FaceNamesCompareByCharacterWithoutCase) {
    EXPECT_EQ(compareFaceNames("Arial", "ARIAL"), 0);
    EXPECT_EQ(compareFaceNames("ＭＳ ゴシック", "ｍｓ ゴシック"), 0) << "full-width letters fold";
    EXPECT_LT(compareFaceNames("Arial", "Arial Black"), 0);
    EXPECT_GT(compareFaceNames("b", "A"), 0);
    // "ア" is 83 41: its trail byte is no letter "A" to fold.
    EXPECT_NE(compareFaceNames("ア", "\x83"
                                     "a"),
              0);
    // A double-byte character sorts after every single byte.
    EXPECT_GT(compareFaceNames("あ", "z"), 0);
    EXPECT_EQ(compareFaceNames("", ""), 0);
}

TEST(CommentFormatRules, FaceListKeepsTheFirstCharacterSetOfEachFace) {
    std::vector<FontFace> list;
    EXPECT_TRUE(addFace(list, "Courier", 0));
    EXPECT_TRUE(addFace(list, "ＭＳ ゴシック", 128));
    EXPECT_TRUE(addFace(list, "Arial", 0));
    EXPECT_FALSE(addFace(list, "ＭＳ ゴシック", 0));
    EXPECT_FALSE(addFace(list, "arial", 2));
    EXPECT_TRUE(addFace(list, "Symbol", 2));
    const std::vector<FontFace> expected{{"ＭＳ ゴシック", 128}, {"Symbol", 2}, {"Courier", 0}, {"Arial", 0}};
    EXPECT_EQ(list, expected);
}

TEST(CommentFormatRules, WhichFontsAreListed) {
    EXPECT_TRUE(keepsScreenFont("Arial", true, 0));
    EXPECT_TRUE(keepsScreenFont("Symbol", true, 2));
    EXPECT_TRUE(keepsScreenFont("ＭＳ ゴシック", true, 128));
    EXPECT_FALSE(keepsScreenFont("@ＭＳ ゴシック", true, 128));
    EXPECT_FALSE(keepsScreenFont("Courier", false, 0)) << "raster faces are left out";
    EXPECT_FALSE(keepsScreenFont("Arial", true, 204));
    EXPECT_TRUE(keepsPrinterFont("Courier"));
    EXPECT_FALSE(keepsPrinterFont("@IPAGothic"));
}

TEST(CommentFormatRules, PlacementRangesFollowTheMapSize) {
    // A 20 x 10 map in normal view: 681 x 341 pixels.
    const PlacementRanges r = placementRanges(681, 341);
    EXPECT_EQ(r.x, (Range{0, 672}));
    EXPECT_EQ(r.y, (Range{0, 332}));
    EXPECT_EQ(r.width, (Range{8, 681}));
    EXPECT_EQ(r.height, (Range{8, 341}));
    EXPECT_EQ(r.anchorX, (Range{-680, 680}));
    EXPECT_EQ(r.anchorY, (Range{-340, 340}));

    const Placement typed{-5, 400, 3, 0, -9999, 9999};
    EXPECT_EQ(clamped(typed, r), (Placement{0, 332, 8, 8, -680, 340}));

    const Placement p = placementOf({10, 20, 90, 80}, {-4, 70});
    EXPECT_EQ(p, (Placement{10, 20, 80, 60, -4, 70}));
    EXPECT_EQ(frameOf(p), (PixelRect{10, 20, 90, 80}));
    EXPECT_EQ(alignmentByte(2, 1), 0x12);
}

TEST(CommentFormatRules, DraftTakesTheAreaAtItsViewPitch) {
    CommentArea area = CommentArea::create({0, 0, 200, 200}, 20, 10, false);
    area.setFrame({30, 40, 130, 90});
    area.setAnchor(-10, 70);
    CommentFormat look = area.format();
    look.face = "Arial";
    look.styleFlags = bold;
    area.setFormat(look);
    Draft draft = draftOf(area, 20, 10);
    EXPECT_EQ(draft.format, look);
    EXPECT_EQ(draft.placement, (Placement{30, 40, 100, 50, -10, 70}));
    EXPECT_EQ(draft.ranges.width.highest, 681);
    EXPECT_EQ(draft.ranges.anchorY.lowest, -340);

    area.rescale(true);
    draft = draftOf(area, 20, 10);
    EXPECT_EQ(draft.ranges.width.highest, 441) << "20 x 22 + 1 in wide view";
    EXPECT_EQ(draft.ranges.y.highest, 212);
}

} // namespace
} // namespace tav::comment_format
