// Pictures of a sample map (every wall shape, every fill pattern, room marks, comment areas of every
// style) in the normal and wide view and as a whole map, for people to look at.
#include <string>

#include <gtest/gtest.h>

#include "model/document/map_file.h"
#include "model/document/palette_block.h"
#include "model/document/palette_storage.h"
#include "model/view/map_layout.h"
#include "support/program_run.h"
#include "support/temp_folder.h"
#include "view/map_rendering_support.h"
#include "win/platform/win32_file_system.h"

namespace tav::win {
namespace {

using test::DibCanvas;
using test::RenderBench;

constexpr int zoom = 2;

bool loadBasePalette(MarkPalette& palette) {
    const std::string bytes = test::readBytes(test::builtProgramFolder() + u"Base.mpb");
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return decodePaletteFile({data, bytes.size()}, PaletteKind::base, palette);
}

// Slots 1..12 show the twelve shapes as back marks, with a front mark on some, over the base palette.
void shapeWalls(MarkPalette& palette) {
    const std::uint32_t lines[] = {0x000000, 0x0000C0, 0x008000, 0xC00000};
    for (int shape = 1; shape <= 12; ++shape) {
        WallMarkRecord& w = palette.walls[shape - 1];
        w = {};
        w.registered = 1;
        w.lineVisible = shape % 5 != 0;
        w.lineColor = lines[shape % 4];
        w.backShape = static_cast<std::uint8_t>(shape);
        w.backFrameColor = 0x202020;
        w.backFillColor = shape % 3 == 0 ? noColour : 0x40C0F0;
        if (shape <= 3) {
            w.frontShape = static_cast<std::uint8_t>(7 + shape);
            w.frontFrameColor = 0x0000FF;
            w.frontFillColor = 0xFFFFFF;
        }
    }
}

void fillSample(RenderBench& b, const std::array<unsigned, 8>& patterns) {
    const std::uint32_t colours[] = {0x3050C0, 0x20A040, 0xC07020, 0x808080,
                                     0x6030A0, 0x00A0C0, 0x404040, 0x2080F0};
    for (int i = 0; i < 8; ++i)
        b.document.palette().backgrounds[i] = patterns[i] << 24 | colours[i];
    for (int k = 0; k < 12; ++k) {
        b.set(k + 1, 1, layer::horizontalWall, k + 1); // shapes 1..12 on horizontal edges
        b.set(k + 1, 4, layer::verticalWall, k + 1);   // and on vertical edges
    }
    for (int k = 0; k < 8; ++k) {
        b.set(k + 1, 2, layer::background, k + 1);
        b.set(k + 1, 3, layer::background, k + 1);
        b.set(k + 1, 2, layer::room, k + 1); // see-through over the patterns
        b.set(k + 1, 6, layer::horizontalWall, 13 + k);
        b.set(k + 1, 6, layer::verticalWall, 13 + k);
        b.set(k + 1, 6, layer::room, 9 + k);
    }
    // Two 2x2 blocks of equal backgrounds, where a pattern must run on across the grid lines.
    for (int column = 9; column <= 12; ++column)
        for (int row = 2; row <= 3; ++row)
            b.set(column, row, layer::background, column <= 10 ? 8 : 6);
    // Walls on the map's borders live in column 0 and row 0.
    b.set(0, 2, layer::verticalWall, 13);
    b.set(3, 0, layer::horizontalWall, 14);
}

void addComments(RenderBench& b) {
    struct Style {
        PixelRect frame;
        PixelPoint anchor;
        std::uint8_t frameStyle, anchorStyle, alignment, flags;
        std::uint32_t frameColour, background;
        const char* text;
    };
    const Style styles[] = {
        {{10, 250, 110, 310}, {120, 30}, 0, 0, 0x00, 0, 0x000000, 0xFFFFFF, "四角・円印\r\n左上"},
        {{130, 260, 230, 320},
         {160, 90},
         1,
         1,
         0x11,
         comment::style::bold,
         0xC00000,
         0xE0FFFF,
         "角丸・四角印 中央"},
        {{240, 250, 350, 330},
         {300, 360},
         2,
         2,
         0x22,
         comment::style::italic,
         0x008000,
         0xF0F0FF,
         "楕円・線のみ 右下"},
        {{20, 320, 130, 370},
         {0, 0},
         3,
         3,
         0x00,
         comment::style::underline,
         0x000000,
         comment::noColour,
         "枠なし・透明"},
        {{400, 300, 500, 360}, {380, 200}, 0, 0, 0x00, 0, 0x0000FF, 0xFFFFFF, "右端にはみ出す"},
    };
    for (const Style& s : styles) {
        b.document.setNewCommentRect({0, 0, 476, 408});
        CommentArea* area = b.document.addComment(b.prompter);
        ASSERT_NE(area, nullptr);
        b.document.setCommentText(*area, s.text, false);
        CommentFormat f = area->format();
        f.frameStyle = s.frameStyle;
        f.anchorStyle = s.anchorStyle;
        f.alignment = s.alignment;
        f.styleFlags = s.flags;
        f.frameColour = s.frameColour;
        f.backgroundColour = s.background;
        ASSERT_TRUE(b.document.setCommentFormat(*area, f, s.frame,
                                                {s.anchor.x - s.frame.left, s.anchor.y - s.frame.top}));
    }
}

class MapRenderingPictures : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(loadBasePalette(bench.document.palette()));
        shapeWalls(bench.document.palette());
        ASSERT_TRUE(bench.rooms.rebuild(bench.document.palette()));
        fillSample(bench, {1, 2, 3, 4, 5, 6, 7, 8});
        addComments(bench);
        folder = test::pictureFolder("map");
        ASSERT_FALSE(folder.empty());
    }
    RenderBench bench{14, 12};
    std::string folder;
};

TEST_F(MapRenderingPictures, SampleMapInBothViewsAndAsAWholeMap) {
    DibCanvas normal(404, 404);
    ASSERT_TRUE(bench.view(normal));
    EXPECT_TRUE(normal.save(folder + "view_normal.png", zoom));
    DibCanvas scrolled(404, 404);
    ASSERT_TRUE(bench.view(scrolled, 3, 1));
    EXPECT_TRUE(scrolled.save(folder + "view_normal_scrolled.png", zoom));

    bench.document.setViewMode(true);
    DibCanvas wide(404, 404);
    ASSERT_TRUE(bench.view(wide));
    EXPECT_TRUE(wide.save(folder + "view_wide.png", zoom));
    bench.document.setViewMode(false);

    for (bool asWide : {false, true}) {
        const PixelSize size =
            wholeMapImageSize(14, 12, asWide, map_view::printMarginX, map_view::printMarginY);
        DibCanvas whole(size.width, size.height);
        ASSERT_TRUE(drawWholeMap(whole.dc(), bench.document, asWide, 0, 0, 14, 12, size.width, size.height,
                                 map_view::printMarginX, map_view::printMarginY, bench.tools));
        EXPECT_TRUE(whole.save(folder + (asWide ? "whole_wide.png" : "whole_normal.png"), zoom));
    }

    // The remaining fill patterns (plain, 9, 10) in the same places.
    fillSample(bench, {0, 9, 10, 0, 9, 10, 0, 9});
    const PixelSize size = wholeMapImageSize(14, 12, false, map_view::exportMargin, map_view::exportMargin);
    DibCanvas more(size.width, size.height);
    ASSERT_TRUE(drawWholeMap(more.dc(), bench.document, false, 0, 0, 14, 12, size.width, size.height,
                             map_view::exportMargin, map_view::exportMargin, bench.tools));
    EXPECT_TRUE(more.save(folder + "whole_other_patterns.png", zoom));
}

// The same map as a file, for opening in the program (scripts/screenshot.sh takes it as an argument).
TEST_F(MapRenderingPictures, SampleMapSavesAsAMapFile) {
    Win32FileSystem files;
    PaletteStorage palettes(files, bench.prompter);
    MapFileStorage maps(files, bench.prompter, palettes);
    EXPECT_TRUE(maps.save(bench.document, FilePath::fromText(folder + "sample.MED")));
    EXPECT_TRUE(bench.prompter.shown.empty());
}

} // namespace
} // namespace tav::win
