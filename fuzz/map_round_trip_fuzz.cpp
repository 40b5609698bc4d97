// Map files from outside, loaded on an in-memory disk in both view modes: what was read saves, reads back
// the same and saves again byte for byte. Files that fail to load are map_file_fuzz's concern.
#include <cstdint>
#include <string>
#include <vector>

#include "map_fuzz_input.h"
#include "model/document/palette_storage.h"
#include "support/map_snapshot.h"
#include "support/recording_prompter.h"

namespace {

using namespace tav;
using fuzz::require;

const FilePath first = fuzz::folder + u"\\first.MED";
const FilePath second = fuzz::folder + u"\\second.MED";

// An area costs the round trip several loads and saves, so fewer are kept than map_file_fuzz keeps.
constexpr int maxAreas = 16;
// Without comment areas the cells are copied byte for byte whatever the map's size, and tiny inputs
// declare 255 x 255 maps whose missing cells read as zeros; beyond this size they repeat a smaller map.
constexpr std::size_t maxPlainCells = 64 * 64;

// The file's bytes, into a buffer kept across inputs.
void readFile(test::MemoryFileSystem& files, const FilePath& path, std::vector<std::uint8_t>& out) {
    FileCause cause = FileCause::none;
    auto file = files.open(path, OpenMode::read, cause);
    require(file != nullptr);
    std::uint64_t length = 0;
    require(file->length(length) == FileCause::none);
    out.resize(static_cast<std::size_t>(length));
    require(file->readExact(out.data(), out.size()) == FileCause::none);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    test::MemoryFileSystem& files = fuzz::disk();
    fuzz::putInput(files, data, size, maxAreas);
    test::RecordingPrompter prompter;
    PaletteStorage palettes(files, prompter);
    MapFileStorage storage(files, prompter, palettes);
    static std::vector<std::uint8_t> firstBytes, secondBytes;
    // The normal view's saves make new files; the wide view's save over them, keeping a backup meanwhile.
    files.remove(first);
    files.remove(second);

    for (bool wide : {false, true}) {
        MapDocument doc;
        fuzz::buildMap(doc, prompter);
        doc.setViewMode(wide);
        if (!storage.load(doc, fuzz::inputPath, map_select::all))
            return 0;
        const bool plain = doc.comments().empty();
        if (plain && doc.grid().cells().size() > maxPlainCells)
            return 0;

        require(storage.save(doc, first));
        MapDocument again;
        again.setViewMode(wide);
        require(storage.load(again, first, map_select::all));
        doc.setViewMode(wide); // shows every area from its stored position, as the reread ones are
        require(test::MapSnapshot::of(again).sameMap(test::MapSnapshot::of(doc)));
        require(storage.save(again, second));
        readFile(files, first, firstBytes);
        readFile(files, second, secondBytes);
        require(firstBytes == secondBytes);

        // The view mode only places comment areas: without any, the wide one would repeat this one.
        if (plain)
            break;
    }
    return 0;
}
