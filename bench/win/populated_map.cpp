#include "populated_map.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "model/platform/prompter.h"

namespace tav::bench {

namespace {
class SilentPrompter : public Prompter {
public:
    int showMessage(const std::string&, unsigned) override { return msg::idOk; }
};
} // namespace

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

void addComments(MapDocument& document, int count, const PixelRect& keepClear) {
    SilentPrompter prompter;
    std::mt19937 random(12345);
    const int side = document.width() * document.pitch();
    std::uniform_int_distribution<int> at(0, side - 120);
    for (int i = 0; i < count;) {
        const int x = at(random), y = at(random);
        // The frame with the pointer line hanging below it.
        if (PixelRect{x, y - 4, x + 104, y + 140}.intersects(keepClear))
            continue;
        document.setNewCommentRect({x, y, x + 100, y + 100});
        document.addComment(prompter);
        ++i;
    }
}

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

double timePerCallAfter(const std::function<void()>& prepare, const std::function<void()>& call) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    for (int i = 0; i < 3; ++i) {
        prepare();
        call();
    }
    double best = 1e300;
    for (int batch = 0; batch < 5; ++batch) {
        double total = 0;
        constexpr int calls = 40;
        for (int i = 0; i < calls; ++i) {
            prepare();
            GdiFlush();
            QueryPerformanceCounter(&start);
            call();
            GdiFlush();
            QueryPerformanceCounter(&end);
            total += double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
        }
        best = std::min(best, total / calls);
    }
    return best;
}

void printTable(const std::vector<Row>& rows) {
    std::printf("%-84s %12s %14s\n", "case", "ms per call", "of 16.7 ms");
    for (const Row& row : rows)
        std::printf("%-84s %12.3f %13.1f%%\n", row.name.c_str(), row.ms, row.ms / frameMs * 100.0);
}

} // namespace tav::bench
