// Pictures of the shipped base palette's marks in the three scales, for people to look at; the test checks
// that every registered mark shows.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/dib_canvas.h"
#include "model/document/palette_block.h"
#include "support/program_run.h"
#include "support/temp_folder.h"
#include "win/marks/mark_drawing.h"
#include "win/marks/room_mark_images.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

using test::cream;
using test::DibCanvas;
using test::white;

constexpr COLORREF gridGrey = RGB(200, 200, 200);
constexpr int zoom = 3;
constexpr int columns = 10;

bool loadBasePalette(MarkPalette& palette) {
    const std::string bytes = test::readBytes(test::builtProgramFolder() + u"Base.mpb");
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return decodePaletteFile({data, bytes.size()}, PaletteKind::base, palette);
}

bool changed(const DibCanvas& canvas, RECT area, COLORREF ground) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (canvas.at(x, y) != ground)
                return true;
    return false;
}

void gridLines(DibCanvas& canvas, int left, int top, int cells, int span) {
    for (int i = 0; i <= cells; ++i) {
        canvas.paint({left + i * span, top, left + i * span + 1, top + cells * span + 1}, gridGrey);
        canvas.paint({left, top + i * span, left + cells * span + 1, top + i * span + 1}, gridGrey);
    }
}

class MarkPictures : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(loadBasePalette(palette));
        ASSERT_TRUE(images.rebuild(palette));
        folder = test::pictureFolder("marks");
        ASSERT_FALSE(folder.empty());
    }
    MarkPalette palette;
    RoomMarkImages images;
    DrawingResourceCache cache;
    std::string folder;
};

// Each slot in a 2x2 block of map cells: the room mark in the top-left cell, the wall mark on the middle
// horizontal edge under it and on the middle vertical edge beside the bottom cell.
TEST_F(MarkPictures, ShippedMarksInTheMapViews) {
    for (int scale : {mark_scale::normal, mark_scale::wide}) {
        const int span = markCellSpan(scale);
        const int block = 2 * span + 8;
        DibCanvas canvas(columns * block + 8, 2 * block + 8, cream);
        ASSERT_TRUE(canvas.ready());
        for (int slot = 1; slot <= 20; ++slot) {
            const int left = 8 + (slot - 1) % columns * block, top = 8 + (slot - 1) / columns * block;
            gridLines(canvas, left, top, 2, span);
            drawRoomMark(canvas.dc(), left, top, images, slot, scale, true);
            drawHorizontalWallMark(canvas.dc(), left, top + span, palette, slot, scale, cache);
            drawVerticalWallMark(canvas.dc(), left + span, top + span, palette, slot, scale, cache);
        }
        for (int slot = 1; slot <= 20; ++slot) {
            const int left = 8 + (slot - 1) % columns * block, top = 8 + (slot - 1) / columns * block;
            EXPECT_TRUE(changed(canvas, {left + 1, top + 1, left + span, top + span}, cream))
                << "room " << slot << " scale " << scale;
            EXPECT_TRUE(
                changed(canvas, {left + span + 6, top + span - 6, left + 2 * span, top + span + 6}, cream))
                << "wall " << slot << " scale " << scale;
        }
        const std::string name = scale == mark_scale::normal ? "base_normal.png" : "base_wide.png";
        EXPECT_TRUE(canvas.save(folder + name, zoom));
    }
}

// The palette window's icons: each mark in a white 23x23 box; room marks also see-through on cream, as
// the drag image shows them.
TEST_F(MarkPictures, ShippedMarksAsIcons) {
    const int pitch = 26;
    DibCanvas canvas(columns * pitch * 2 + 8, 4 * pitch + 8, cream);
    for (int slot = 1; slot <= 20; ++slot) {
        const int left = 4 + (slot - 1) % columns * 2 * pitch, top = 4 + (slot - 1) / columns * 2 * pitch;
        for (int i = 0; i < 3; ++i)
            canvas.paint({left + i % 2 * pitch, top + i / 2 * pitch, left + i % 2 * pitch + 23,
                          top + i / 2 * pitch + 23},
                         white);
        drawHorizontalWallMark(canvas.dc(), left, top, palette, slot, mark_scale::icon, cache);
        drawVerticalWallMark(canvas.dc(), left + pitch, top, palette, slot, mark_scale::icon, cache);
        drawRoomMark(canvas.dc(), left, top + pitch, images, slot, mark_scale::icon, false);
        drawRoomMark(canvas.dc(), left + pitch, top + pitch, images, slot, mark_scale::icon, true);
        EXPECT_TRUE(changed(canvas, {left, top, left + 23, top + 23}, white)) << "wall " << slot;
        EXPECT_TRUE(changed(canvas, {left, top + pitch, left + 23, top + pitch + 23}, white))
            << "room " << slot;
        EXPECT_TRUE(changed(canvas, {left + pitch, top + pitch, left + pitch + 23, top + pitch + 23}, cream))
            << "room " << slot;
    }
    EXPECT_TRUE(canvas.save(folder + "base_icons.png", zoom));
}

} // namespace
} // namespace tav::win
