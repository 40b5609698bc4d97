#include "model/output/print_plan.h"

#include <gtest/gtest.h>

namespace tav::print {
namespace {

// A 600 dpi printer over a 96 dpi screen: 6.25 printer pixels per picture pixel.
PageSetup a4Setup(int pictureWidth, int pictureHeight) {
    PageSetup s;
    s.pictureWidth = pictureWidth;
    s.pictureHeight = pictureHeight;
    s.printableWidth = 4800;
    s.printableHeight = 6800;
    s.scaleX = s.scaleY = 6.25;
    return s;
}

TEST(PrintPlan, MarginsTurnIntoPrinterPixelsRounded) {
    EXPECT_EQ(marginPixels(10, 600), 236); // 236.22
    EXPECT_EQ(marginPixels(0, 600), 0);
    EXPECT_EQ(marginPixels(255, 96), 964); // 963.78
}

TEST(PrintPlan, PagesRunDownEachColumnAndTheLastSlicesKeepTheScale) {
    PageSetup s = a4Setup(1700, 1500); // slices of 768 x 1088 picture pixels
    s.header = true;
    s.headerFontHeight = 13;
    s.centreHorizontally = true;
    PrintPlan plan = planPages(s);
    EXPECT_EQ(plan.bandHeight, 94); // (13 + 2) x 6.25 + 0.5
    EXPECT_EQ(plan.imageHeight, 6800 - 94);
    EXPECT_EQ(plan.sliceWidth, 768);
    EXPECT_EQ(plan.sliceHeight, 1072); // 6706 / 6.25: the band costs picture rows
    ASSERT_EQ(plan.pagesAcross, 3);
    ASSERT_EQ(plan.pagesDown, 2);
    ASSERT_EQ(plan.pages.size(), 6u);
    // 1 and 2 down the first column, then 3, 4, then 5, 6.
    EXPECT_EQ(plan.pages[1].number, 2);
    EXPECT_EQ(plan.pages[1].source, (PixelRect{0, 1072, 768, 1500}));
    EXPECT_EQ(plan.pages[2].source, (PixelRect{768, 0, 1536, 1072}));
    EXPECT_EQ(plan.pages[0].destination, (PixelRect{0, 94, 4800, 6800}));
    // The last column holds 164 of 768 columns: 1025 printer pixels, centred in 4800.
    const Page& last = plan.pages[5];
    EXPECT_EQ(last.source, (PixelRect{1536, 1072, 1700, 1500}));
    EXPECT_EQ(last.destination.left, (4800 - 1025) / 2);
    EXPECT_EQ(last.destination.right - last.destination.left, 1025);
    EXPECT_EQ(last.destination.top, 94) << "no vertical centring asked";
    EXPECT_EQ(expandField("_%p/a", {}, plan.pages[3].number, plan.pageCount()), "4 / 6 ﾍﾟｰｼﾞ");
}

TEST(PrintPlan, FittingNeverEnlargesAndCentresInsideTheMargins) {
    PageSetup s = a4Setup(400, 300);
    s.fitToPage = true;
    s.left = s.right = s.top = s.bottom = 100;
    s.centreHorizontally = s.centreVertically = true;
    PrintPlan plan = planPages(s);
    ASSERT_EQ(plan.pages.size(), 1u);
    EXPECT_EQ(plan.pages[0].destination,
              (PixelRect{100 + (4600 - 2500) / 2, 100 + (6600 - 1875) / 2, 100 + (4600 - 2500) / 2 + 2500,
                         100 + (6600 - 1875) / 2 + 1875}));

    s = a4Setup(4000, 1000); // too wide: shrunk to the width
    s.fitToPage = true;
    plan = planPages(s);
    ASSERT_EQ(plan.pages.size(), 1u);
    EXPECT_EQ(plan.pages[0].source, (PixelRect{0, 0, 4000, 1000}));
    EXPECT_LE(plan.pages[0].destination.right, 4800);
    EXPECT_NEAR(plan.pages[0].destination.right, 4800, 2);
}

TEST(PrintPlan, MarginsThatLeaveNoRoomGiveNoPages) {
    PageSetup s = a4Setup(400, 300);
    s.left = 3000;
    s.right = 2000;
    EXPECT_TRUE(planPages(s).pages.empty());
    s = a4Setup(400, 300);
    s.scaleX = 10000; // a slice narrower than one picture pixel
    EXPECT_TRUE(planPages(s).pages.empty());
}

TEST(PrintPlan, OnlyWholeFieldsAreReplaced) {
    const JobTexts job{"2026/12/09", "06:40:00", "floor1.MED", "C:\\maps\\floor1.MED"};
    EXPECT_EQ(expandField("_%d", job, 1, 1), "2026/12/09");
    EXPECT_EQ(expandField("_%t", job, 1, 1), "06:40:00");
    EXPECT_EQ(expandField("_%f", job, 1, 1), "floor1.MED");
    EXPECT_EQ(expandField("_%fp", job, 1, 1), "C:\\maps\\floor1.MED");
    EXPECT_EQ(expandField("_%p", job, 3, 6), "3 ﾍﾟｰｼﾞ");
    EXPECT_EQ(expandField("page _%p", job, 3, 6), "page _%p");
    EXPECT_EQ(expandField("", job, 3, 6), "");
    EXPECT_EQ(paperName(9), "A4 ｼｰﾄ、210 × 297 mm");
    EXPECT_EQ(paperName(41), "German Legal Fanfold、8 1/2 × 13 ｲﾝﾁ");
    EXPECT_EQ(paperName(42), "Unknown ｻｲｽﾞ");
    EXPECT_EQ(paperName(0), "Unknown ｻｲｽﾞ");
}

} // namespace
} // namespace tav::print
