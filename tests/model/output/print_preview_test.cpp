#include "model/output/print_preview.h"

#include <gtest/gtest.h>

namespace tav::print {
namespace {

// A4 at 300 dpi with the printable area 50 and 60 printer pixels in from the sheet's edges.
PrinterSheet a4Sheet() {
    PrinterSheet s;
    s.printableWidth = 2479;
    s.printableHeight = 3508;
    s.offsetX = 50;
    s.offsetY = 60;
    s.printerPerInchX = s.printerPerInchY = 300;
    return s;
}

PageSetup setupOn(const PrinterSheet& sheet, int pictureWidth, int pictureHeight) {
    PageSetup s;
    s.pictureWidth = pictureWidth;
    s.pictureHeight = pictureHeight;
    s.printableWidth = sheet.printableWidth;
    s.printableHeight = sheet.printableHeight;
    s.scaleX = s.scaleY = 300.0 / 96;
    return s;
}

TEST(PrintPreview, TheSheetAndThePagesTurnIntoScreenPixels) {
    const PrinterSheet sheet = a4Sheet();
    const PreviewPaper paper = previewPaper(sheet);
    EXPECT_EQ(paper.width, 825);   // 2579 x 0.32 = 825.28
    EXPECT_EQ(paper.height, 1161); // 3628 x 0.32 = 1160.96
    EXPECT_EQ(paper.offsetX, 16);
    EXPECT_EQ(paper.offsetY, 19); // 19.2

    PageSetup s = setupOn(sheet, 1000, 500);
    s.left = marginPixels(10, 300); // 118 printer pixels, 37.76 on the screen
    const PrintPlan plan = planPages(s);
    ASSERT_EQ(plan.pages.size(), 2u);
    // A slice at the picture's scale keeps its size, so the 1:1 view shows it pixel for pixel.
    EXPECT_EQ(previewDestination(plan, plan.pages[0], sheet), (PixelRect{38, 0, 38 + 755, 500}));
    EXPECT_EQ(plan.pages[1].source.width(), 1000 - 755);
    EXPECT_EQ(previewDestination(plan, plan.pages[1], sheet), (PixelRect{38, 0, 38 + 245, 500}));

    // A shrunk picture lands where the printer puts it.
    s.fitToPage = true;
    s.pictureWidth = 3000;
    const PrintPlan fitted = planPages(s);
    ASSERT_LT(fitted.fitScale, 1);
    const PixelRect d = fitted.pages[0].destination;
    EXPECT_EQ(previewDestination(fitted, fitted.pages[0], sheet),
              (PixelRect{toScreen(d.left, 96, 300), toScreen(d.top, 96, 300), toScreen(d.right, 96, 300),
                         toScreen(d.bottom, 96, 300)}));
    EXPECT_EQ(previewDestination(fitted, fitted.pages[0], sheet).width(), 755) << "fills the width";
}

TEST(PrintPreview, WholePageZoomShrinksToTheWindowButNeverEnlarges) {
    const PreviewPaper paper{400, 600, 10, 10};
    EXPECT_DOUBLE_EQ(wholePageZoom(200, 600, paper), 0.5);
    EXPECT_DOUBLE_EQ(wholePageZoom(400, 300, paper), 0.5);
    EXPECT_DOUBLE_EQ(wholePageZoom(1000, 1000, paper), 1.0);
    // Zoomed and centred.
    EXPECT_EQ(sheetPlacement(300, 300, paper, true, 0.5, 0, 0), (PixelRect{50, 0, 250, 300}));
    EXPECT_EQ(sheetPlacement(1000, 1000, paper, true, 1.0, 0, 0), (PixelRect{300, 200, 700, 800}));
    EXPECT_EQ(zoomed(301, 0.5), 151);
}

TEST(PrintPreview, OneToOneViewCentresASmallSheetAndScrollsALargeOne) {
    const PreviewPaper paper{400, 600, 0, 0};
    // Narrower than the window: centred across; taller: scrolled down by 30.
    EXPECT_EQ(sheetPlacement(500, 300, paper, false, 1.0, 7, 30), (PixelRect{50, -30, 450, 570}));
    const ScrollRange down = scrollRange(600, 300);
    EXPECT_EQ(down.max, 300);
    EXPECT_EQ(down.page, 75);
    EXPECT_EQ(scrollRange(400, 500).max, 0);
}

TEST(PrintPreview, PageButtonsMoveWithinTheCount) {
    PageCursor one(1);
    EXPECT_FALSE(one.canGoBack() || one.canGoForward() || one.next() || one.last());
    EXPECT_EQ(one.label(), "1 / 1");
    EXPECT_EQ(PageCursor(0).label(), "0 / 0");

    PageCursor six(6);
    EXPECT_FALSE(six.previous());
    EXPECT_TRUE(six.next() && six.next());
    EXPECT_EQ(six.label(), "3 / 6");
    EXPECT_TRUE(six.last());
    EXPECT_FALSE(six.canGoForward() || six.next());
    EXPECT_TRUE(six.previous());
    EXPECT_EQ(six.index(), 4);
    EXPECT_TRUE(six.first());
    EXPECT_FALSE(six.canGoBack() || six.first());
}

TEST(PrintPreview, ADraggedBorderStopsAtTheSmallestSize) {
    const PixelRect window{100, 100, 400, 300};
    // The left edge dragged past the limit goes back to 144 left of the right edge.
    EXPECT_EQ(keepAtLeast({350, 100, 400, 300}, {.left = true}, 144, 28), (PixelRect{256, 100, 400, 300}));
    EXPECT_EQ(keepAtLeast({100, 100, 120, 300}, {.right = true}, 144, 28), (PixelRect{100, 100, 244, 300}));
    EXPECT_EQ(keepAtLeast({100, 290, 400, 300}, {.left = true, .top = true}, 144, 28),
              (PixelRect{100, 272, 400, 300}));
    EXPECT_EQ(keepAtLeast(window, {.bottom = true}, 144, 28), window) << "large enough: left alone";
}

} // namespace
} // namespace tav::print
