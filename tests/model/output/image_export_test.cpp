#include "model/output/image_export.h"

#include <array>

#include <gtest/gtest.h>

#include "model/document/map_document.h"
#include "model/platform/little_endian.h"
#include "model/view/map_layout.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

namespace tav {
namespace {

ExportOptions withBands(bool top, bool left, bool right, bool bottom) {
    ExportOptions o;
    o.topBand = top;
    o.leftBand = left;
    o.rightBand = right;
    o.bottomBand = bottom;
    return o;
}

TEST(ImageExportSize, BandsAndScaleGiveThePictureSize) {
    ExportOptions o;
    ExportGeometry g = exportGeometry(10, 10, o);
    EXPECT_EQ(g.mapWidth, 349);
    EXPECT_EQ(g.width, 413);
    EXPECT_EQ(g.height, 389);
    EXPECT_EQ(g.mapLeft, 32);
    EXPECT_EQ(g.mapTop, 20);

    o.percent = 25; // an area ratio: each side halves
    g = exportGeometry(10, 10, o);
    EXPECT_EQ(g.scaledWidth, 174);
    EXPECT_EQ(g.scaledHeight, 174);
    EXPECT_EQ(g.width, 174 + 64);

    g = exportGeometry(10, 4, withBands(false, false, false, false));
    EXPECT_EQ(g.width, 349 + 16);
    EXPECT_EQ(g.height, 4 * 34 + 9 + 16);
    EXPECT_EQ(g.mapLeft, 8);
    EXPECT_EQ(g.mapTop, 8);

    o = withBands(true, false, true, false);
    o.wide = true;
    o.percent = 50;
    g = exportGeometry(99, 99, o);
    EXPECT_EQ(g.mapWidth, 99 * 22 + 9);
    EXPECT_EQ(g.scaledWidth, 1546); // 2187 x 0.7071...
    EXPECT_EQ(g.width, 1546 + 16 + 24);
    EXPECT_EQ(g.height, 1546 + 28);
    EXPECT_EQ(g.rulerFontHeight, 9); // 5 + 4.24
    EXPECT_EQ(exportGeometry(10, 10, ExportOptions{}).rulerFontHeight, 13);
}

TEST(ImageExportSize, CommentAreasOfTheDrawingReachThePicturesEdgeLessItsMargin) {
    const ExportGeometry g = exportGeometry(10, 8, ExportOptions{});
    const WholeMapLayout l = wholeMapLayout(10, 8, false, 0, 0, 10, 8, g.mapWidth, g.mapHeight,
                                            map_view::exportMargin, map_view::exportMargin);
    EXPECT_EQ(l.commentClip, (PixelRect{4, 4, g.mapWidth - 4, g.mapHeight - 4}));
}

TEST(ImageExportSize, ScaleIsKeptWithinItsRange) {
    EXPECT_EQ(clampExportPercent(7), 25);
    EXPECT_EQ(clampExportPercent(150), 100);
    EXPECT_EQ(clampExportPercent(-3), 25);
    EXPECT_EQ(clampExportPercent(60), 60);
    ExportOptions o;
    o.percent = 7; // a geometry never scales beyond the edit's range
    EXPECT_EQ(exportGeometry(10, 10, o).scaledWidth, 174);
}

TEST(ImageExportSize, FileSizeCountsPaddedRowsAndAFullTable) {
    EXPECT_EQ(bmpRowBytes(24, 413), 1240u); // 1239 padded
    EXPECT_EQ(bmpRowBytes(4, 413), 208u);
    EXPECT_EQ(bmpRowBytes(16, 3), 8u);
    EXPECT_EQ(estimatedBmpFileSize(24, 413, 389), 54u + 1240u * 389);
    EXPECT_EQ(estimatedBmpFileSize(32, 413, 389), 54u + 413u * 389 * 4);
    EXPECT_EQ(estimatedBmpFileSize(8, 413, 389), 54u + 416u * 389 + 1024);
    EXPECT_EQ(estimatedBmpFileSize(4, 413, 389), 54u + 208u * 389 + 64);
    // The largest map at full size in 32 bits does not wrap.
    EXPECT_EQ(bmpImageBytes(32, 3430, 3414), 3430ull * 3414 * 4);
}

TEST(ImageExportRulers, LabelBoxesFollowTheScaledColumnsAndRows) {
    ExportGeometry g = exportGeometry(10, 10, ExportOptions{});
    EXPECT_EQ(g.columnLabelBox(0, false), (PixelRect{37 - 8, 0, 37 + 35 + 8, 20}));
    EXPECT_EQ(g.columnLabelBox(2, true), (PixelRect{32 + 73 - 8, 389 - 20, 32 + 73 + 35 + 8, 389}));
    EXPECT_EQ(g.rowLabelBox(1, false), (PixelRect{0, 20 + 39, 32, 20 + 39 + 35}));
    EXPECT_EQ(g.rowLabelBox(1, true), (PixelRect{413 - 32, 59, 413, 94}));

    ExportOptions o = withBands(false, false, true, true);
    o.wide = true;
    o.percent = 25;
    g = exportGeometry(10, 10, o);
    EXPECT_EQ(g.columnLabelBox(3, false), (PixelRect{35 + 8 - 8, 0, 35 + 8 + 11 + 8, 20})); // (66+5)/2
    EXPECT_EQ(g.rowLabelBox(0, true), (PixelRect{g.width - 32, 2 + 8, g.width, 2 + 8 + 11}));
}

TEST(PrintPicture, SizeGridAndNumberBoxesOfBothViews) {
    ExportGeometry g = printPictureGeometry(7, 5, false);
    EXPECT_EQ(g.width, 7 * 34 + 73);
    EXPECT_EQ(g.height, 5 * 34 + 49);
    EXPECT_EQ(g.mapLeft + map_view::exportMargin, map_view::printMarginX);
    EXPECT_EQ(g.mapTop + map_view::exportMargin, map_view::printMarginY);
    EXPECT_EQ(g.scaledWidth, g.mapWidth);
    EXPECT_EQ(g.rulerFontHeight, 13);
    EXPECT_EQ(g.columnLabelBox(2, false), (PixelRect{68 + 37, 0, 68 + 72, 20}));
    EXPECT_EQ(g.columnLabelBox(2, true), (PixelRect{68 + 37, g.height - 20, 68 + 72, g.height}));
    EXPECT_EQ(g.rowLabelBox(3, false), (PixelRect{0, 102 + 25, 32, 102 + 60}));
    EXPECT_EQ(g.rowLabelBox(3, true), (PixelRect{g.width - 32, 102 + 25, g.width, 102 + 60}));

    g = printPictureGeometry(7, 5, true);
    EXPECT_EQ(g.width, 7 * 22 + 73);
    EXPECT_EQ(g.height, 5 * 22 + 49);
    EXPECT_EQ(g.rulerFontHeight, 11);
    EXPECT_EQ(g.columnLabelBox(1, false), (PixelRect{22 + 37, 0, 22 - 12 + 72, 20}));
    EXPECT_EQ(g.rowLabelBox(4, true), (PixelRect{g.width - 32, 88 + 25, g.width, 88 - 12 + 60}));
}

class ImageExportColours : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(doc.resize(6, 6, true));
        doc.setEditMask(0x0F, 0x0F);
    }
    void set(int column, int row, int layer, int value) {
        bool first = true;
        ASSERT_TRUE(doc.setCell(column, row, layer, static_cast<std::uint8_t>(value), first));
    }
    template <int Side> static void paint(RoomPicture<Side>& picture, int x, int y, std::uint32_t rgb) {
        std::uint8_t* p = picture.pixels.data() + y * RoomPicture<Side>::stride + 3 * x;
        p[0] = static_cast<std::uint8_t>(rgb >> 16);
        p[1] = static_cast<std::uint8_t>(rgb >> 8);
        p[2] = static_cast<std::uint8_t>(rgb);
    }
    MapDocument doc;
};

TEST_F(ImageExportColours, MostUsedItemsGiveTheirColoursFirstWithoutRepeats) {
    MarkPalette& palette = doc.palette();
    palette.backgrounds = {0x0000FF, 0x00FF00, 0x10000000 | 0x123456, 0, 0, 0, 0, 0};
    palette.walls[4].lineColor = 0x00AA00;
    palette.walls[4].backFillColor = 0x0000FF; // already in: no repeat
    palette.walls[4].frontFrameColor = 0xABCDEF;
    paint(palette.rooms[1].normalImage, 3, 4, 0x111111);
    paint(palette.rooms[1].wideImage, 3, 4, 0x222222);
    set(0, 0, layer::background, 3); // once: pattern bits do not count as colour
    set(1, 0, layer::background, 1);
    set(1, 1, layer::background, 1);
    set(2, 0, layer::room, 2); // twice, on both scales of picture
    set(2, 1, layer::room, 2);
    set(0, 3, layer::horizontalWall, 5); // both wall bytes count: three uses
    set(0, 3, layer::verticalWall, 5);
    set(0, 4, layer::verticalWall, 5);

    // Wall 5 (3 uses), then background 1 and room 2 (2 each, backgrounds before rooms), then background 3.
    EXPECT_EQ(exportColourTable(doc, false, 8),
              (std::vector<std::uint32_t>{0, 0x606060, 0xC8C8C8, 0xFFFFFF, 0x00AA00, 0x0000FF, 0xABCDEF,
                                          0x111111, 0x123456}));
    const std::vector<std::uint32_t> wide = exportColourTable(doc, true, 4);
    EXPECT_EQ(wide[7], 0x222222u);
    EXPECT_EQ(wide.size(), 9u);
    EXPECT_TRUE(exportColourTable(doc, false, 24).empty());
}

TEST_F(ImageExportColours, TooManyForFourBitsTakeTheFixedTableAndEightBitsStopAt256) {
    MarkPalette& palette = doc.palette();
    for (int i = 0; i < 13; ++i)
        paint(palette.rooms[0].normalImage, i, 0, 0x010203 * (i + 1));
    set(0, 0, layer::room, 1);
    const std::vector<std::uint32_t> fixed = exportColourTable(doc, false, 4);
    EXPECT_EQ(fixed, fixedSixteenColours());
    EXPECT_EQ(fixed[1], 0x000080u); // (128, 0, 0) as 0x00BBGGRR
    EXPECT_EQ(exportColourTable(doc, false, 8).size(), 4u + 13u);

    for (int i = 0; i < 23 * 12; ++i)
        paint(palette.rooms[0].normalImage, i % 23, i / 23, 0x400000 + i);
    EXPECT_EQ(exportColourTable(doc, false, 8).size(), 256u);
}

TEST(ImageExportBmp, HeadersHoldSizesDepthAndTable) {
    const std::vector<std::uint32_t> table{0x000000, 0x102030};
    const std::vector<std::uint8_t> info = bmpInfo(4, 413, 389, table);
    ASSERT_EQ(info.size(), 48u);
    EXPECT_EQ(le::get32(&info[0]), 40u);
    EXPECT_EQ(le::getSigned32(&info[4]), 413);
    EXPECT_EQ(le::getSigned32(&info[8]), 389); // bottom-up
    EXPECT_EQ(le::get16(&info[12]), 1);
    EXPECT_EQ(le::get16(&info[14]), 4);
    EXPECT_EQ(le::get32(&info[16]), 0u);
    EXPECT_EQ(le::get32(&info[20]), 208u * 389);
    EXPECT_EQ(le::get32(&info[32]), 2u);
    EXPECT_EQ(le::get32(&info[36]), 2u);
    EXPECT_EQ((std::array<int, 4>{info[44], info[45], info[46], info[47]}),
              (std::array<int, 4>{0x10, 0x20, 0x30, 0}));

    const std::vector<std::uint8_t> file = bmpFileHeader(info.size(), 208u * 389);
    ASSERT_EQ(file.size(), 14u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(le::get32(&file[2]), 14u + 48u + 208u * 389);
    EXPECT_EQ(le::get32(&file[6]), 0u);
    EXPECT_EQ(le::get32(&file[10]), 62u);
    EXPECT_EQ(bmpInfo(24, 3, 2, {}).size(), 40u);
}

TEST(ImageExportWrite, TargetIsReplacedOnlyWhenTheWholeFileIsWritten) {
    const FilePath target = u"C:\\maps\\out.bmp";
    const std::vector<std::uint8_t> head{1, 2, 3}, body(5000, 7);
    const std::array<std::span<const std::uint8_t>, 2> pieces{std::span(head), std::span(body)};
    std::vector<std::uint8_t> whole = head;
    whole.insert(whole.end(), body.begin(), body.end());

    // Every operation in turn fails: the old picture stays and nothing is left beside it.
    for (long failing = 0;; ++failing) {
        test::MemoryFileSystem files;
        files.addDirectory(u"C:\\maps");
        files.putFile(target, "old");
        test::RecordingPrompter prompter;
        files.failAt(failing, FileCause::diskFull);
        const bool written = writeFileWhole(files, target, pieces, prompter);
        EXPECT_FALSE(files.hasFile(temporaryBeside(target))) << failing;
        if (written) {
            EXPECT_EQ(files.contents(target), whole);
            EXPECT_TRUE(prompter.shown.empty());
            EXPECT_GT(failing, 2);
            break;
        }
        EXPECT_EQ(files.contents(target), std::vector<std::uint8_t>({'o', 'l', 'd'})) << failing;
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].type, msg::iconWarning);
    }

    test::MemoryFileSystem files; // a folder that does not exist
    test::RecordingPrompter prompter;
    EXPECT_FALSE(writeFileWhole(files, u"C:\\none\\out.bmp", pieces, prompter));
    EXPECT_FALSE(files.hasFile(u"C:\\none\\out.bmp"));
    EXPECT_EQ(prompter.shown.size(), 1u);
}

} // namespace
} // namespace tav
