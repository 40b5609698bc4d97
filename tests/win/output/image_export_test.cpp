// The picture exportImage draws: ruler numbers where the screen shows them, in the bands asked for.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "model/document/map_document.h"
#include "model/output/image_export.h"
#include "model/platform/little_endian.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"
#include "win/output/image_export.h"
#include "win/platform/win32_file_system.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

// True when a black pixel (ruler text) lies in r of a bottom-up 24-bit BMP file.
bool inkIn(const std::string& file, int width, int height, const PixelRect& r) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(file.data());
    const std::size_t offset = le::get32(p + 10), stride = bmpRowBytes(24, width);
    for (int y = std::max(r.top, 0); y < std::min(r.bottom, height); ++y)
        for (int x = std::max(r.left, 0); x < std::min(r.right, width); ++x) {
            const std::uint8_t* pixel = p + offset + std::size_t(height - 1 - y) * stride + 3 * x;
            if (pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0)
                return true;
        }
    return false;
}

TEST(ImageExportPicture, RulerNumbersStandWhereTheScreenCountsMultiplesOfFive) {
    MapDocument document;
    ASSERT_TRUE(document.resize(10, 10, true));
    RulerSettings ruler;
    ruler.basePosition = 2; // bottom-left: the bottom row carries the start value
    ruler.columnStart = 3;
    ruler.rowStart = 1;
    ruler.columnStep = 1;
    ruler.rowStep = -1;
    document.setRuler(ruler); // columns read 3..12, rows 10 down to 1
    DrawingResourceCache cache;
    Win32FileSystem files;
    test::RecordingPrompter prompter;
    test::TempFolder folder;
    ExportOptions options;
    options.rightBand = false;
    const FilePath output = folder.path() + u"rulers.bmp";
    ASSERT_TRUE(exportImage(document, cache, options, output, files, prompter, false));
    const std::string file = test::readBytes(output);
    const ExportGeometry g = exportGeometry(10, 10, options);
    ASSERT_EQ(file.size(), 54 + bmpImageBytes(24, g.width, g.height));

    for (int i : {2, 7}) {
        EXPECT_TRUE(inkIn(file, g.width, g.height, g.columnLabelBox(i, false))) << i;
        EXPECT_TRUE(inkIn(file, g.width, g.height, g.columnLabelBox(i, true))) << i;
    }
    for (int i : {0, 4, 9}) // between the numbers' boxes, nothing
        EXPECT_FALSE(inkIn(file, g.width, g.height, g.columnLabelBox(i, false).inflated(-8, 0))) << i;
    for (int j : {0, 5})
        EXPECT_TRUE(inkIn(file, g.width, g.height, g.rowLabelBox(j, false))) << j;
    for (int j : {1, 6, 9})
        EXPECT_FALSE(inkIn(file, g.width, g.height, g.rowLabelBox(j, false))) << j;
    EXPECT_FALSE(inkIn(file, g.width, g.height, {g.width - 24, 20, g.width, g.height - 12}))
        << "no right band";
}

} // namespace
} // namespace tav::win
