#pragma once
// What the two map file targets share: the input file on an in-memory disk and the map a document holds
// before the load. An input that starts with the magic "ED00" is the whole file; any other input is the
// part after the palette block (size, cells, comment areas) behind a fixed valid header and palette, so
// small inputs reach the map part.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "model/document/map_document.h"
#include "model/document/map_file.h"
#include "model/platform/little_endian.h"
#include "support/memory_file_system.h"
#include "require.h"

namespace tav::fuzz {

inline const FilePath folder = u"C:\\maps";
inline const FilePath inputPath = folder + u"\\input.MED";

inline bool isWholeFile(const std::uint8_t* data, std::size_t size) {
    return size >= 4 && std::memcmp(data, "ED00", 4) == 0;
}

// The header and palette block put in front of a map part; the same for every input, so made once.
inline const std::vector<std::uint8_t>& fixedPrefix() {
    static const std::vector<std::uint8_t> prefix = [] {
        MarkPalette palette;
        palette.walls[3] = {0x102030, noColour, 0xFF, noColour, 0xFF00, 1, 1, 2, 5};
        const auto header = encodeMapHeader(RulerSettings{});
        std::vector<std::uint8_t> bytes(header.begin(), header.end());
        const auto block = encodePaletteBlock(palette);
        bytes.insert(bytes.end(), block.begin(), block.end());
        return bytes;
    }();
    return prefix;
}

// One disk for all inputs: each input is written over the last one's file, whose buffer is kept, so no
// input pays for allocating and clearing a new 50 KB file.
inline test::MemoryFileSystem& disk() {
    static test::MemoryFileSystem files = [] {
        test::MemoryFileSystem made;
        made.addDirectory(folder);
        return made;
    }();
    return files;
}

// How much of a map part to keep so it holds at most maxAreas comment areas: each area takes its own way
// through the load and the save, so a few dozen reach what hundreds would, at a fraction of the cost. The
// declared count stays, so a count beyond the areas there is still met. Not instrumented: walking further
// here is no new behaviour of the model.
__attribute__((no_sanitize("coverage"))) inline std::size_t keptPart(const std::uint8_t* part,
                                                                     std::size_t size, int maxAreas) {
    namespace ml = map_layout;
    constexpr std::size_t areaHead = comment::recordSize + ml::textLengthSize;
    if (size < 8)
        return size;
    const auto width = static_cast<std::int32_t>(le::get32(part));
    const auto height = static_cast<std::int32_t>(le::get32(part + 4));
    if (width <= 0 || height <= 0 || width > ml::maxSide || height > ml::maxSide)
        return size;
    std::size_t end = 8 + ml::cellSize * std::size_t(width) * std::size_t(height) + ml::countSize;
    for (int i = 0; i < maxAreas; ++i) {
        if (end + areaHead > size)
            return size;
        end += areaHead + (part[end + comment::recordSize] | part[end + comment::recordSize + 1] << 8);
    }
    return std::min(end, size);
}

// Writes the input as the map file, cut after its first maxAreas comment areas.
inline void putInput(test::MemoryFileSystem& files, const std::uint8_t* data, std::size_t size,
                     int maxAreas) {
    FileCause cause = FileCause::none;
    auto file = files.open(inputPath, OpenMode::create, cause);
    require(file != nullptr);
    std::size_t partStart = std::min(size, map_layout::sizeOffset);
    if (!isWholeFile(data, size)) {
        const auto& prefix = fixedPrefix();
        require(file->write(prefix.data(), prefix.size()) == FileCause::none);
        partStart = 0;
    }
    const std::size_t kept = partStart + keptPart(data + partStart, size - partStart, maxAreas);
    require(file->write(data, kept) == FileCause::none);
    require(file->close() == FileCause::none);
}

// A 4 x 3 map with cells, a palette mark, a ruler and two comment areas, named and modified.
inline void buildMap(MapDocument& doc, Prompter& prompter) {
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

} // namespace tav::fuzz
