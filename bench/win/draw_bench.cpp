// Times the view rendering and the whole-map rendering at the program's limits: every cell with a
// patterned background, a see-through room mark and two wall marks with both shapes; 30000 comment areas;
// a 99x99 map. Prints the time per call and its share of a 60 Hz frame.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "model/document/map_document.h"
#include "model/view/map_layout.h"
#include "populated_map.h"
#include "win/comments/comment_drawing.h"
#include "win/marks/mark_drawing.h"
#include "win/marks/room_mark_images.h"
#include "win/marks/wall_mark_sprites.h"
#include "win/platform/dib_image.h"
#include "win/platform/handles.h"
#include "win/view/drawing_resource_cache.h"
#include "win/view/map_rendering.h"

namespace {

using namespace tav;
using namespace tav::win;
using namespace tav::bench;

} // namespace

int main() {
    MapDocument document;
    if (!document.resize(99, 99, true)) {
        std::puts("cannot make the map");
        return 1;
    }
    fullPalette(document.palette());
    fillEveryCell(document);
    DrawingResourceCache cache;
    RoomMarkImages rooms;
    CommentFontCache fonts;
    if (!rooms.rebuild(document.palette())) {
        std::puts("cannot make the room pictures");
        return 1;
    }
    const MapDrawingTools tools{cache, rooms, fonts};
    DibImage view(map_view::imageSide, map_view::imageSide);
    if (!view)
        return 1;

    std::vector<Row> rows;
    auto viewRow = [&](const char* name, bool wide) {
        document.setViewMode(wide);
        rows.push_back({name, timePerCall([&] { drawView(view.dc(), document, 40, 40, tools); })});
    };
    auto wholeRow = [&](bool wide, const char* what) {
        const PixelSize size =
            wholeMapImageSize(99, 99, wide, map_view::printMarginX, map_view::printMarginY);
        DibImage whole(size.width, size.height);
        if (!whole)
            return;
        const std::string name = std::string("drawWholeMap 99x99 ") + (wide ? "wide" : "normal") + what;
        rows.push_back({name, timePerCall([&] {
                            drawWholeMap(whole.dc(), document, wide, 0, 0, 99, 99, size.width, size.height,
                                         map_view::printMarginX, map_view::printMarginY, tools);
                        })});
    };
    // The parts of the cell pass alone, over the 17x17 cells of a wide view.
    auto partRow = [&](const char* name, const std::function<void(int, int, const Cell&)>& part) {
        rows.push_back({name, timePerCall([&] {
                            for (int r = 0; r < 17; ++r)
                                for (int c = 0; c < 17; ++c)
                                    part(25 + c * 22, 25 + r * 22, document.cell(40 + c, 40 + r));
                        })});
    };
    const MarkPalette& palette = document.palette();
    partRow("  part: 289 backgrounds (wide)", [&](int x, int y, const Cell& cell) {
        fillCellBackground(view.dc(), x, y, palette.backgrounds, cell.background, mark_scale::wide, cache);
    });
    partRow("  part: the same with one origin for the pass (wide)", [&](int x, int y, const Cell& cell) {
        if (x == 25 && y == 25)
            alignBrushOrigin(view.dc(), nullptr, 0, 0);
        fillAlignedCellBackground(view.dc(), x, y, palette.backgrounds, cell.background, mark_scale::wide,
                                  cache);
    });
    partRow("  part: 289 see-through room marks (wide)", [&](int x, int y, const Cell& cell) {
        drawRoomMark(view.dc(), x, y, rooms, cell.room, mark_scale::wide, true);
    });
    partRow("  part: 578 wall marks, two shapes each (wide)", [&](int x, int y, const Cell& cell) {
        drawHorizontalWallMark(view.dc(), x, y, palette, cell.horizontalWall, mark_scale::wide, cache);
        drawVerticalWallMark(view.dc(), x, y, palette, cell.verticalWall, mark_scale::wide, cache);
    });
    partRow("  part: the same wall marks copied from kept pictures (wide)",
            [&](int x, int y, const Cell& cell) {
                copyWallMark(view.dc(), x, y, palette, cell.horizontalWall, mark_scale::wide,
                             WallDirection::horizontal, cache);
                copyWallMark(view.dc(), x, y, palette, cell.verticalWall, mark_scale::wide,
                             WallDirection::vertical, cache);
            });
    viewRow("drawView normal, 11x11 full cells", false);
    viewRow("drawView wide, 17x17 full cells", true);
    document.setViewMode(false);
    wholeRow(false, "");
    wholeRow(true, "");
    addComments(document, MapDocument::commentLimit);
    viewRow("drawView normal, + 30000 comment areas", false);
    viewRow("drawView wide, + 30000 comment areas", true);
    document.setViewMode(false);
    wholeRow(false, " + 30000 areas");
    wholeRow(true, " + 30000 areas");

    printTable(rows);
    return 0;
}
