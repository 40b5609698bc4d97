// Times the view rendering and the whole-map rendering at the program's limits: every cell with a
// patterned background, a see-through room mark and two wall marks with both shapes; 30000 comment areas;
// a 99x99 map. Prints the time per call and its share of a 60 Hz frame.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "model/document/map_document.h"
#include "model/platform/prompter.h"
#include "model/view/map_layout.h"
#include "win/comments/comment_drawing.h"
#include "win/marks/mark_drawing.h"
#include "win/marks/room_mark_images.h"
#include "win/platform/handles.h"
#include "win/view/drawing_resource_cache.h"
#include "win/view/map_rendering.h"

namespace {

using namespace tav;
using namespace tav::win;

constexpr double frameMs = 1000.0 / 60.0;

class SilentPrompter : public Prompter {
public:
    int showMessage(const std::string&, unsigned) override { return msg::idOk; }
};

// A 32-bit DIB section selected into a memory context.
class Canvas {
public:
    Canvas(int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        dc_.reset(CreateCompatibleDC(nullptr));
        bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        old_ = SelectObject(dc_.get(), bitmap_.get());
    }
    ~Canvas() { SelectObject(dc_.get(), old_); }
    HDC dc() const { return dc_.get(); }
    bool ready() const { return bitmap_ && dc_; }

private:
    MemoryDc dc_;
    Bitmap bitmap_;
    HGDIOBJ old_ = nullptr;
};

void fullPalette(MarkPalette& palette) {
    const std::uint32_t colours[] = {0x000000, 0x0000C0, 0x008000, 0xC00000, 0x2080F0, 0x808080};
    for (int i = 0; i < wallSlotCount; ++i) {
        WallMarkRecord& w = palette.walls[i];
        w.registered = 1;
        w.lineVisible = 1;
        w.lineColor = colours[i % 6];
        w.backShape = static_cast<std::uint8_t>(i % 12 + 1);
        w.frontShape = static_cast<std::uint8_t>((i + 5) % 12 + 1);
        w.backFrameColor = colours[(i + 1) % 6];
        w.backFillColor = colours[(i + 2) % 6] | 0x404040;
        w.frontFrameColor = colours[(i + 3) % 6];
        w.frontFillColor = 0xFFFFFF;
    }
    for (int i = 0; i < roomSlotCount; ++i) {
        RoomMarkSlot& r = palette.rooms[i];
        r.registered = true;
        r.normalImage.transparent = 0xFFFFFF;
        r.wideImage.transparent = 0xFFFFFF;
        r.normalImage.pixels.fill(0xFF);
        r.wideImage.pixels.fill(0xFF);
        // A diamond in the middle, white (see-through) around it.
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 23; ++x)
                if (std::abs(x - 11) + std::abs(y - 11) < 9)
                    for (int c = 0; c < 3; ++c)
                        r.normalImage.pixels[y * r.normalImage.stride + x * 3 + c] = std::uint8_t(40 * c + i);
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 15; ++x)
                if (std::abs(x - 7) + std::abs(y - 7) < 6)
                    for (int c = 0; c < 3; ++c)
                        r.wideImage.pixels[y * r.wideImage.stride + x * 3 + c] = std::uint8_t(40 * c + i);
    }
    for (int i = 0; i < backgroundCandidateCount; ++i)
        palette.backgrounds[i] = std::uint32_t(i + 1) << 24 | (0x305070 + 0x101010 * i);
}

void fillEveryCell(MapDocument& document) {
    bool first = false;
    for (int r = 0; r < document.height(); ++r)
        for (int c = 0; c < document.width(); ++c) {
            const int k = c + r;
            document.setCell(c, r, layer::horizontalWall, std::uint8_t(k % 20 + 1), first);
            document.setCell(c, r, layer::verticalWall, std::uint8_t((k + 7) % 20 + 1), first);
            document.setCell(c, r, layer::room, std::uint8_t((k + 3) % 20 + 1), first);
            document.setCell(c, r, layer::background, std::uint8_t(k % 8 + 1), first);
        }
}

void addComments(MapDocument& document, int count) {
    SilentPrompter prompter;
    std::mt19937 random(12345);
    const int side = document.width() * document.pitch();
    std::uniform_int_distribution<int> at(0, side - 120);
    for (int i = 0; i < count; ++i) {
        const int x = at(random), y = at(random);
        document.setNewCommentRect({x, y, x + 100, y + 100});
        document.addComment(prompter);
    }
}

// Milliseconds per call: the best of several timed batches, each long enough to swamp the timer.
double timePerCall(const std::function<void()>& call) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    for (int i = 0; i < 3; ++i)
        call();
    QueryPerformanceCounter(&start);
    call();
    QueryPerformanceCounter(&end);
    const double once = double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
    const int repeats = std::clamp(int(200.0 / std::max(once, 0.001)), 1, 2000);
    double best = 1e300;
    for (int batch = 0; batch < 5; ++batch) {
        QueryPerformanceCounter(&start);
        for (int i = 0; i < repeats; ++i)
            call();
        GdiFlush();
        QueryPerformanceCounter(&end);
        best = std::min(best, double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart) /
                                  repeats);
    }
    return best;
}

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
    Canvas view(map_view::imageSide, map_view::imageSide);
    if (!view.ready())
        return 1;

    struct Row {
        std::string name;
        double ms;
    };
    std::vector<Row> rows;
    auto viewRow = [&](const char* name, bool wide) {
        document.setViewMode(wide);
        rows.push_back({name, timePerCall([&] { drawView(view.dc(), document, 40, 40, tools); })});
    };
    auto wholeRow = [&](bool wide, const char* what) {
        const PixelSize size =
            wholeMapImageSize(99, 99, wide, map_view::printMarginX, map_view::printMarginY);
        Canvas whole(size.width, size.height);
        if (!whole.ready())
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
    partRow("  part: 289 see-through room marks (wide)", [&](int x, int y, const Cell& cell) {
        drawRoomMark(view.dc(), x, y, rooms, cell.room, mark_scale::wide, true);
    });
    partRow("  part: 578 wall marks, two shapes each (wide)", [&](int x, int y, const Cell& cell) {
        drawHorizontalWallMark(view.dc(), x, y, palette, cell.horizontalWall, mark_scale::wide, cache);
        drawVerticalWallMark(view.dc(), x, y, palette, cell.verticalWall, mark_scale::wide, cache);
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

    std::printf("%-58s %12s %14s\n", "case", "ms per call", "of 16.7 ms");
    for (const Row& row : rows)
        std::printf("%-58s %12.3f %13.1f%%\n", row.name.c_str(), row.ms, row.ms / frameMs * 100.0);
    return 0;
}
