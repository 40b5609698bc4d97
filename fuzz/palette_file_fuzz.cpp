// Palette files from outside: the bytes are served as the start and the base palette to the real loaders
// on an in-memory disk, and to the block decoders directly.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "model/document/map_document.h"
#include "model/document/palette_storage.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"
#include "require.h"
#include "touching_converter.h"

namespace {

using namespace tav;

using fuzz::require;
using fuzz::TouchingConverter;

const FilePath folder = u"C:\\Tavrosin";
const FilePath startPath = folder + u"\\Start.mps";
const FilePath basePath = folder + u"\\Base.mpb";

// One disk for all inputs: each input is written over the last one's files, whose buffers are kept, so no
// input pays for allocating and copying new 50 KB files.
test::MemoryFileSystem& disk() {
    static test::MemoryFileSystem files = [] {
        test::MemoryFileSystem made;
        made.addDirectory(folder);
        return made;
    }();
    return files;
}

// Writes the bytes as the file, with magic (when given) in place of their first four.
void put(test::MemoryFileSystem& files, const FilePath& path, const std::uint8_t* data, std::size_t size,
         const char* magic = nullptr) {
    FileCause cause = FileCause::none;
    auto file = files.open(path, OpenMode::create, cause);
    require(file != nullptr);
    std::size_t from = 0;
    if (magic && size >= 4) {
        require(file->write(magic, 4) == FileCause::none);
        from = 4;
    }
    require(file->write(data + from, size - from) == FileCause::none);
    require(file->close() == FileCause::none);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    test::MemoryFileSystem& files = disk();
    test::RecordingPrompter prompter;
    TouchingConverter converter;
    PaletteStorage storage(files, prompter, &converter);

    // As the start palette. A malformed one is made again from the base palette: the same bytes with the
    // base magic, so the making and the reading of the new file are reached too.
    put(files, startPath, data, size);
    put(files, basePath, data, size, "PB00");
    MapDocument document;
    document.setPalettePaths(startPath, basePath);
    const MarkPalette before = document.palette();
    if (storage.loadStartPalette(document, palette_select::all)) {
        // A palette that was read is written and read back unchanged.
        require(storage.saveStartPalette(document));
        MapDocument again;
        again.setPalettePaths(startPath, basePath);
        require(storage.loadStartPalette(again, palette_select::all));
        require(again.palette() == document.palette());
    } else {
        require(document.palette() == before);
    }

    // As the base palette, taking the wall marks only: the room slots must stay.
    put(files, basePath, data, size);
    MapDocument walls;
    walls.setPalettePaths(startPath, basePath);
    walls.palette().rooms[0].registered = true;
    const auto rooms = walls.palette().rooms;
    storage.loadBasePalette(walls, palette_select::walls);
    require(walls.palette().rooms == rooms);

    // The decoders on buffers of exactly the given size. A whole slot is copied into a buffer of exactly
    // one slot, kept across inputs, so a read past it still trips AddressSanitizer.
    MarkPalette palette;
    decodePaletteFile(std::span(data, size), PaletteKind::start, palette, &converter);
    if (size >= palette_layout::blockSize)
        decodePaletteBlock(std::span(data, palette_layout::blockSize), palette, &converter);
    static std::vector<std::uint8_t> wholeSlot(palette_layout::roomSlotSize);
    const std::size_t firstSlot = palette_layout::fileHeaderSize + palette_layout::roomsOffset;
    for (std::size_t offset = firstSlot; offset < size && offset < palette_layout::fileSize;
         offset += palette_layout::roomSlotSize) {
        if (size - offset >= palette_layout::roomSlotSize) {
            std::memcpy(wholeSlot.data(), data + offset, wholeSlot.size());
            decodeRoomSlot(wholeSlot, &converter);
        } else {
            const std::vector<std::uint8_t> partSlot(data + offset, data + size);
            decodeRoomSlot(partSlot, &converter);
        }
    }
    return 0;
}
