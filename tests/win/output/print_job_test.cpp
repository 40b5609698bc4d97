// The print picture and the job's pages, printed onto memory pages that stand in for a printer.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/document/map_document.h"
#include "support/dib_canvas.h"
#include "support/recording_prompter.h"
#include "win/output/print_job.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

using test::DibCanvas;

// Pages of a given size and resolution; each finished page is kept as a picture.
class MemoryPrinter : public PrintTarget {
public:
    MemoryPrinter(int width, int height, int pixelsPerInch)
        : page_(width, height), pixelsPerInch_(pixelsPerInch) {}
    HDC dc() override { return page_.dc(); }
    PrinterMetrics metrics() override {
        PrinterMetrics m;
        m.pixelsPerInchX = m.pixelsPerInchY = pixelsPerInch_;
        m.printableWidth = page_.width();
        m.printableHeight = page_.height();
        return m;
    }
    bool startDocument() override {
        ++documents;
        return documentStarts;
    }
    bool startPage() override {
        ++pageStarts;
        if (pageStarts == failingPage)
            return false;
        page_.paint({0, 0, page_.width(), page_.height()}, test::white);
        return true;
    }
    void endPage() override {
        auto copy = std::make_unique<DibCanvas>(page_.width(), page_.height());
        BitBlt(copy->dc(), 0, 0, page_.width(), page_.height(), page_.dc(), 0, 0, SRCCOPY);
        pages.push_back(std::move(copy));
    }
    void endDocument() override { ++documentEnds; }

    bool documentStarts = true;
    int failingPage = 0; // the start that fails, counting from 1
    int documents = 0, documentEnds = 0, pageStarts = 0;
    std::vector<std::unique_ptr<DibCanvas>> pages;

private:
    DibCanvas page_;
    int pixelsPerInch_;
};

class PrintJob : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(document.resize(12, 7, true)); // picture 481 x 287
        RulerSettings ruler;
        ruler.basePosition = 1;
        ruler.rowStep = 1;
        document.setRuler(ruler); // columns and rows count from 0
        document.setEditMask(0x0F, 0x0F);
        bool first = true;
        for (int c = 0; c < 12; c += 3)
            ASSERT_TRUE(document.setCell(c, c % 7, 3, 2, first));
        ASSERT_TRUE(picture.make(document, cache, false));
        reference = std::make_unique<DibCanvas>(picture.width(), picture.height());
        BitBlt(reference->dc(), 0, 0, picture.width(), picture.height(), picture.dc(), 0, 0, SRCCOPY);
    }
    bool print(MemoryPrinter& printer) {
        return runPrintJob(printer, document, cache, settings, print::JobTexts{}, prompter, nullptr);
    }
    // Whether the page shows the picture's rectangle from (sx, sy) at (dx, dy) pixel for pixel.
    ::testing::AssertionResult shows(const DibCanvas& page, int dx, int dy, int sx, int sy, int w, int h) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (page.at(dx + x, dy + y) != reference->at(sx + x, sy + y))
                    return ::testing::AssertionFailure() << "differs at page " << dx + x << "," << dy + y;
        return ::testing::AssertionSuccess();
    }
    RECT inkBox(const DibCanvas& page, RECT r) { return page.inkBox(r, {test::white}); }

    MapDocument document;
    DrawingResourceCache cache;
    PrintPicture picture;
    std::unique_ptr<DibCanvas> reference;
    PrintSettings settings;
    test::RecordingPrompter prompter;
};

TEST_F(PrintJob, PictureHasTheGridAtItsMarginsAndNumbersOnAllFourSides) {
    ASSERT_EQ(picture.width(), 12 * 34 + 73);
    ASSERT_EQ(picture.height(), 7 * 34 + 49);
    reference->save(test::pictureFolder("print") + "/picture.png", 2);
    const COLORREF border = RGB(96, 96, 96);
    EXPECT_GT(reference->count({36, 24, 37, 24 + 7 * 34}, border), 0);
    EXPECT_GT(reference->count({36, 24, 36 + 12 * 34, 25}, border), 0);
    EXPECT_EQ(reference->count({0, 0, 36, picture.height()}, border), 0);
    const int w = picture.width(), h = picture.height();
    for (int i = 0; i < 12; ++i) {
        const bool labelled = i % 5 == 0;
        const RECT top{34 * i + 37, 0, 34 * i + 72, 20}, bottom{34 * i + 37, h - 20, 34 * i + 72, h};
        EXPECT_EQ(reference->count(top, RGB(0, 0, 0)) > 0, labelled) << i;
        EXPECT_EQ(reference->count(bottom, RGB(0, 0, 0)) > 0, labelled) << i;
    }
    for (int j = 0; j < 7; ++j) {
        const bool labelled = j % 5 == 0;
        const RECT left{0, 34 * j + 25, 32, 34 * j + 60}, right{w - 32, 34 * j + 25, w, 34 * j + 60};
        EXPECT_EQ(reference->count(left, RGB(0, 0, 0)) > 0, labelled) << j;
        EXPECT_EQ(reference->count(right, RGB(0, 0, 0)) > 0, labelled) << j;
    }
}

TEST_F(PrintJob, PagesRunDownEachColumnAndShowContiguousSlices) {
    MemoryPrinter printer(200, 200, 96); // 3 across, 2 down
    ASSERT_TRUE(print(printer));
    ASSERT_EQ(printer.pages.size(), 6u);
    EXPECT_EQ(printer.documents, 1);
    EXPECT_EQ(printer.documentEnds, 1);
    EXPECT_TRUE(shows(*printer.pages[0], 0, 0, 0, 0, 200, 200));
    EXPECT_TRUE(shows(*printer.pages[1], 0, 0, 0, 200, 200, 87)) << "second page: below the first";
    EXPECT_TRUE(shows(*printer.pages[3], 0, 0, 200, 200, 200, 87)) << "fourth page: second column, bottom";
    EXPECT_TRUE(shows(*printer.pages[4], 0, 0, 400, 0, 81, 200));
    // The last slices keep the scale: the rest of their page stays blank.
    EXPECT_EQ(printer.pages[3]->count({0, 87, 200, 200}, test::white), 200 * 113);
    EXPECT_EQ(printer.pages[4]->count({81, 0, 200, 200}, test::white), 119 * 200);
}

TEST_F(PrintJob, ResolutionScalesTheSlicesAndMarginsMoveThem) {
    MemoryPrinter printer(400, 400, 192); // twice the screen's pixels per inch
    settings.marginLeft = 10;             // 76 printer pixels
    settings.marginTop = 5;               // 38
    ASSERT_TRUE(print(printer));
    // 324 x 362 available: slices of 162 x 181 picture pixels, 3 across and 2 down.
    ASSERT_EQ(printer.pages.size(), 6u);
    const DibCanvas& page = *printer.pages[2]; // second column, top
    for (int y = 0; y < 181; y += 7)
        for (int x = 0; x < 162; x += 5) {
            ASSERT_EQ(page.at(76 + 2 * x, 38 + 2 * y), reference->at(162 + x, y)) << x << "," << y;
            ASSERT_EQ(page.at(76 + 2 * x + 1, 38 + 2 * y + 1), reference->at(162 + x, y)) << x << "," << y;
        }
    EXPECT_EQ(page.count({0, 0, 76, 400}, test::white), 76 * 400);
    EXPECT_EQ(page.count({0, 0, 400, 38}, test::white), 400 * 38);
}

TEST_F(PrintJob, HeaderAndFooterTakeTheirBandsAndPageTokensChangePerPage) {
    MemoryPrinter printer(200, 300, 96);
    settings.texts.header = {"ABC", "", "_%p/a"};
    settings.texts.footer = {"", "x_%p", ""};
    ASSERT_TRUE(print(printer));
    // Bands of 13 + 2 pixels: 270 picture rows a page, so 3 across and 2 down.
    ASSERT_EQ(printer.pages.size(), 6u);
    const DibCanvas& first = *printer.pages[0];
    const DibCanvas& second = *printer.pages[1];
    printer.pages[3]->save(test::pictureFolder("print") + "/page4-of-6.png", 3);
    EXPECT_TRUE(shows(first, 0, 15, 0, 0, 200, 270));
    EXPECT_TRUE(shows(second, 0, 15, 0, 270, 200, 17));
    const RECT left = inkBox(first, {0, 0, 60, 15});
    EXPECT_LT(left.left, 5);
    EXPECT_LT(left.left, left.right);
    EXPECT_LT(inkBox(first, {140, 0, 200, 15}).left, 200) << "page number at the right";
    EXPECT_LT(inkBox(first, {60, 285, 140, 300}).left, 140) << "footer in the middle";
    const auto band = [](const DibCanvas& page, RECT r) { return page.picture(r, {{test::white, '.'}}); };
    EXPECT_NE(band(first, {100, 0, 200, 15}), band(second, {100, 0, 200, 15})) << "1 / 6 against 2 / 6";
    EXPECT_EQ(band(first, {0, 0, 100, 15}), band(second, {0, 0, 100, 15}));
    EXPECT_EQ(band(first, {0, 285, 200, 300}), band(second, {0, 285, 200, 300})) << "not a whole token";
}

TEST_F(PrintJob, FittingNeverEnlargesAndCentresInsideTheMargins) {
    MemoryPrinter printer(800, 700, 96);
    settings.fitToPage = true;
    settings.centreHorizontally = settings.centreVertically = true;
    settings.marginLeft = 20; // 76 pixels
    ASSERT_TRUE(print(printer));
    ASSERT_EQ(printer.pages.size(), 1u);
    const int x = 76 + (800 - 76 - 481) / 2, y = (700 - 287) / 2;
    EXPECT_TRUE(shows(*printer.pages[0], x, y, 0, 0, 481, 287));
    const RECT ink = inkBox(*printer.pages[0], {0, 0, 800, 700});
    EXPECT_GE(ink.left, x);
    EXPECT_LE(ink.right, x + 481);
    EXPECT_GE(ink.top, y);
    EXPECT_LE(ink.bottom, y + 287);

    MemoryPrinter small(240, 700, 96); // shrunk to half its width
    ASSERT_TRUE(print(small));
    small.pages[0]->save(test::pictureFolder("print") + "/fitted.png", 2);
    const RECT shrunk = inkBox(*small.pages[0], {0, 0, 240, 700});
    EXPECT_LE(shrunk.right, 240);
    EXPECT_GT(shrunk.right - shrunk.left, 100) << shrunk.left << " " << shrunk.top;
    EXPECT_LE(shrunk.bottom - shrunk.top, 144);
}

TEST_F(PrintJob, FailuresSkipAPageOrStopBeforeTheDocument) {
    MemoryPrinter printer(200, 200, 96);
    printer.failingPage = 2;
    SetTextColor(printer.dc(), RGB(1, 2, 3));
    SetBkMode(printer.dc(), OPAQUE);
    SetStretchBltMode(printer.dc(), BLACKONWHITE);
    settings.texts.header = {"A", "", ""};
    settings.colour = RGB(200, 0, 0);
    ASSERT_TRUE(print(printer));
    EXPECT_EQ(printer.pageStarts, 6);
    ASSERT_EQ(printer.pages.size(), 5u);
    EXPECT_TRUE(shows(*printer.pages[1], 0, 15, 200, 0, 200, 185)) << "the third page follows the first";
    EXPECT_EQ(GetTextColor(printer.dc()), RGB(1, 2, 3));
    EXPECT_EQ(GetBkMode(printer.dc()), OPAQUE);
    EXPECT_EQ(GetStretchBltMode(printer.dc()), BLACKONWHITE);

    MemoryPrinter refused(200, 200, 96);
    refused.documentStarts = false;
    EXPECT_FALSE(print(refused));
    EXPECT_EQ(refused.pageStarts, 0);
    EXPECT_EQ(refused.documentEnds, 0);

    MemoryPrinter cramped(200, 200, 96);
    settings.marginLeft = settings.marginRight = 100;
    EXPECT_FALSE(print(cramped));
    EXPECT_EQ(cramped.documents, 0) << "no document of blank pages";
    EXPECT_TRUE(prompter.shown.empty());
}

} // namespace
} // namespace tav::win
