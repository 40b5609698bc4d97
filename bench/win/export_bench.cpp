// Times saving the largest map as a picture: 99x99 cells, every cell in use, 30000 comment areas, normal
// view, all ruler bands, 100 percent; and shows the memory the save takes beside the picture's own size.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/document/map_document.h"
#include "model/output/image_export.h"
#include "populated_map.h"
#include "win/output/export_command_run.h"
#include "win/output/image_export.h"
#include "win/platform/text.h"
#include "win/platform/win32_file_system.h"
#include "win/view/drawing_resource_cache.h"

namespace {

using namespace tav;
using namespace tav::win;
using namespace tav::bench;

double megabytes(std::uint64_t bytes) {
    return bytes / (1024.0 * 1024.0);
}

PROCESS_MEMORY_COUNTERS memoryNow() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

} // namespace

// An argument 0, 1 or 2 runs that case alone: the peak memory is the process's, so only the first case
// run is measured truly.
int main(int argc, char** argv) {
    const int only = argc > 1 ? std::atoi(argv[1]) : -1;
    MapDocument document;
    if (!document.resize(99, 99, true)) {
        std::puts("cannot make the map");
        return 1;
    }
    fullPalette(document.palette());
    fillEveryCell(document);
    addComments(document, MapDocument::commentLimit);
    DrawingResourceCache cache;
    Win32FileSystem files;
    CollectingPrompter prompter;
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);

    struct Case {
        const char* name;
        ImageFormat format;
        int bits;
        const char16_t* file;
    };
    const Case cases[] = {
        {"export 99x99 + 30000 areas, BMP 24 bit, 100%", ImageFormat::bmp, 24, u"tav_export_bench.bmp"},
        {"export 99x99 + 30000 areas, BMP 8 bit, 100%", ImageFormat::bmp, 8, u"tav_export_bench8.bmp"},
        {"export 99x99 + 30000 areas, PNG, 100%", ImageFormat::png, 24, u"tav_export_bench.png"},
    };
    std::vector<Row> rows;
    for (int i = 0; i < 3; ++i) {
        const Case& c = cases[i];
        if (only >= 0 && i != only)
            continue;
        ExportOptions options;
        options.format = c.format;
        options.bits = c.bits;
        const FilePath output = pathOf(folder) + c.file;
        const ExportGeometry g = exportGeometry(document.width(), document.height(), options);
        const PROCESS_MEMORY_COUNTERS before = memoryNow();
        bool saved = exportImage(document, cache, options, output, files, prompter, false);
        const PROCESS_MEMORY_COUNTERS after = memoryNow();
        rows.push_back({c.name, timePerCall([&] {
                            saved = exportImage(document, cache, options, output, files, prompter, false) &&
                                    saved;
                        })});
        // The working set: under Wine the sections do not show in the page file figures.
        const std::uint64_t pixels = bmpImageBytes(c.bits, g.width, g.height);
        const std::uint64_t grown = after.PeakWorkingSetSize - before.WorkingSetSize;
        std::printf("%s: %s, picture %d x %d, %.1f MB of pixels; peak working set grew %.1f MB (%.1f x the "
                    "pixels)\n",
                    c.name, saved ? "saved" : "FAILED", g.width, g.height, megabytes(pixels),
                    megabytes(grown), double(grown) / double(pixels));
        files.remove(output);
    }
    printTable(rows);
    return 0;
}
