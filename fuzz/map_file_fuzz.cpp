// Map files from outside, loaded on an in-memory disk into a document that already holds a map, in both
// view modes and for each palette half. Whether what was read saves and reads back the same is checked
// by map_round_trip_fuzz.
#include <array>
#include <cstdint>

#include "map_fuzz_input.h"
#include "model/document/palette_storage.h"
#include "support/map_snapshot.h"
#include "support/recording_prompter.h"

namespace {

using namespace tav;
using fuzz::require;

constexpr int maxAreas = 64;

// The map every load starts from, per view mode. buildMap is deterministic, so it is taken once.
const test::MapSnapshot& builtMap(bool wide) {
    static const std::array<test::MapSnapshot, 2> snapshots = [] {
        std::array<test::MapSnapshot, 2> made;
        for (bool mode : {false, true}) {
            test::RecordingPrompter prompter;
            MapDocument doc;
            fuzz::buildMap(doc, prompter);
            doc.setViewMode(mode);
            made[mode] = test::MapSnapshot::of(doc);
        }
        return made;
    }();
    return snapshots[wide];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    test::MemoryFileSystem& files = fuzz::disk();
    fuzz::putInput(files, data, size, maxAreas);
    test::RecordingPrompter prompter;
    PaletteStorage palettes(files, prompter);
    MapFileStorage storage(files, prompter, palettes);

    for (bool wide : {false, true}) {
        MapDocument doc;
        fuzz::buildMap(doc, prompter);
        doc.setViewMode(wide);
        if (storage.load(doc, fuzz::inputPath, map_select::all))
            require(doc.width() >= 1 && doc.width() <= MapDocument::maxSide);
        else
            require(test::MapSnapshot::of(doc) == builtMap(wide));
    }

    // A palette half leaves the map, its name and its flag alone, whatever the file holds. A half load
    // reads no further than the palette block, which is the fixed one for every map part: that one is
    // checked once.
    static bool fixedPaletteChecked = false;
    if (!fuzz::isWholeFile(data, size)) {
        if (fixedPaletteChecked)
            return 0;
        fixedPaletteChecked = true;
    }
    const test::MapSnapshot& before = builtMap(false);
    for (unsigned half : {map_select::walls, map_select::rooms}) {
        MapDocument doc;
        fuzz::buildMap(doc, prompter);
        storage.load(doc, fuzz::inputPath, half);
        test::MapSnapshot after = test::MapSnapshot::of(doc);
        after.ruler = before.ruler;
        after.palette = before.palette;
        require(after == before);
    }
    return 0;
}
