// Map files from outside, loaded on an in-memory disk into a document that already holds a map. An input
// that starts with the magic "ED00" is the whole file; any other input is the part after the palette block
// (size, cells, comment areas) behind a fixed valid header and palette, so small inputs reach the map part.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "model/document/map_document.h"
#include "model/document/map_file.h"
#include "model/document/palette_storage.h"
#include "support/map_snapshot.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

namespace {

using namespace tav;

void require(bool condition) {
    if (!condition)
        std::abort();
}

const FilePath folder = u"C:\\maps";
const FilePath input = folder + u"\\input.MED";
const FilePath first = folder + u"\\first.MED";
const FilePath second = folder + u"\\second.MED";

// A 4 x 3 map with cells, a palette mark, a ruler and two comment areas, named and modified.
void buildMap(MapDocument& doc, Prompter& prompter) {
    doc.resize(4, 3, true);
    bool firstChange = true;
    doc.fillRect({0, 0, 3, 2}, layer::background, 2, firstChange, false);
    doc.palette().walls[0].registered = 1;
    doc.palette().rooms[1].registered = true;
    doc.setRuler({1, 2, 1, -1, 1, 0});
    doc.setNewCommentRect({0, 0, 136, 102});
    doc.setCommentText(*doc.addComment(prompter), "before", false);
    doc.addComment(prompter);
    doc.setCurrentFileName(u"C:\\maps\\mine.MED");
    doc.setModified(true);
}

std::vector<std::uint8_t> fileFrom(const std::uint8_t* data, std::size_t size) {
    if (size >= 4 && std::memcmp(data, "ED00", 4) == 0)
        return {data, data + size};
    MarkPalette palette;
    palette.walls[3] = {0x102030, noColour, 0xFF, noColour, 0xFF00, 1, 1, 2, 5};
    const auto header = encodeMapHeader(RulerSettings{});
    std::vector<std::uint8_t> file(header.begin(), header.end());
    const auto block = encodePaletteBlock(palette);
    file.insert(file.end(), block.begin(), block.end());
    file.insert(file.end(), data, data + size);
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    test::MemoryFileSystem files;
    files.addDirectory(folder);
    files.putFile(input, fileFrom(data, size));
    test::RecordingPrompter prompter;
    PaletteStorage palettes(files, prompter);
    MapFileStorage storage(files, prompter, palettes);

    for (bool wide : {false, true}) {
        MapDocument doc;
        buildMap(doc, prompter);
        doc.setViewMode(wide);
        const test::MapSnapshot before = test::MapSnapshot::of(doc);
        if (!storage.load(doc, input, map_select::all)) {
            require(test::MapSnapshot::of(doc) == before);
            continue;
        }
        // What was read saves, reads back the same and saves again byte for byte.
        require(doc.width() >= 1 && doc.width() <= MapDocument::maxSide);
        require(storage.save(doc, first));
        MapDocument again;
        again.setViewMode(wide);
        require(storage.load(again, first, map_select::all));
        doc.setViewMode(wide); // shows every area from its stored position, as the reread ones are
        require(test::MapSnapshot::of(again).sameMap(test::MapSnapshot::of(doc)));
        require(storage.save(again, second));
        require(files.contents(first) == files.contents(second));
    }

    // A palette half leaves the map, its name and its flag alone, whatever the file holds.
    for (unsigned half : {map_select::walls, map_select::rooms}) {
        MapDocument doc;
        buildMap(doc, prompter);
        const test::MapSnapshot before = test::MapSnapshot::of(doc);
        storage.load(doc, input, half);
        test::MapSnapshot after = test::MapSnapshot::of(doc);
        after.ruler = before.ruler;
        after.palette = before.palette;
        require(after == before);
    }
    return 0;
}
