#pragma once
// The map file ("ED00"): ruler, palette block, cell grid and comment areas, and the save and load of the
// map document through the file seam.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/comments/comment_area.h"
#include "model/document/cell.h"
#include "model/document/palette_block.h"
#include "model/document/ruler.h"
#include "model/platform/file_system.h"
#include "model/platform/prompter.h"

namespace tav {

class MapDocument;
class PaletteStorage;

namespace map_layout {
constexpr std::size_t rulerOffset = 8;
constexpr std::size_t headerSize = 32;
constexpr std::size_t paletteOffset = headerSize;
constexpr std::size_t sizeOffset = paletteOffset + palette_layout::blockSize; // 49824
constexpr std::size_t smallestFile = sizeOffset;
constexpr std::size_t cellsOffset = sizeOffset + 8;
constexpr std::size_t cellSize = 4;
constexpr std::size_t countSize = 4;
constexpr std::size_t textLengthSize = 2;
constexpr std::size_t maxTextLength = 0xFFFF;
// Positions of comment areas keep an 8-bit cell index, so no map side beyond this can be held.
constexpr int maxSide = comment::maxCells;
} // namespace map_layout
static_assert(map_layout::sizeOffset == 49824);

// Part selection of a load: the palette halves and the map.
namespace map_select {
constexpr unsigned walls = palette_select::walls;
constexpr unsigned rooms = palette_select::rooms;
constexpr unsigned map = 4;
constexpr unsigned all = walls | rooms | map;
} // namespace map_select

// The 32 header bytes: magic, ruler, zeros.
std::array<std::uint8_t, map_layout::headerSize> encodeMapHeader(const RulerSettings& ruler);
// False when the magic is not "ED00"; otherwise the ruler of the header.
bool decodeMapHeader(const std::uint8_t* header, RulerSettings& ruler);
// Everything after the palette block: size, cells, comment count and comment areas.
std::vector<std::uint8_t> encodeMapPart(const CellGrid& grid, const CommentList& comments);
// A whole map file of the document, as save writes it; empty when the document has no grid.
std::vector<std::uint8_t> encodeMapFile(const MapDocument& document);
// The same into out, replacing what it held: a buffer kept between calls is not allocated again, which
// for the largest maps costs more than making the file.
void encodeMapFile(const MapDocument& document, std::vector<std::uint8_t>& out);
// The text as stored: at most maxTextLength bytes, never ending in half a double-byte character.
std::string_view storedCommentText(std::string_view text);

// Saves and loads map files. Each operation shows its own warning on failure and returns false; a call
// made while the same operation runs (from a nested message loop) does nothing and reports success.
class MapFileStorage {
public:
    MapFileStorage(FileSystem& files, Prompter& prompter, PaletteStorage& palettes)
        : files_(files), prompter_(prompter), palettes_(palettes) {}

    // Writes the whole document to path, keeping the old file as path + "bak" until the new one is on the
    // disk. On success the path becomes the document's file name and the modified flag is cleared.
    bool save(MapDocument& document, const FilePath& path);
    // Reads the parts of map_select: the ruler and background candidates always, the palette halves asked
    // for, and with map the grid and comment areas. The document changes only when the load succeeds;
    // only a load of the map renames the document and clears its modified flag.
    bool load(MapDocument& document, const FilePath& path, unsigned selection);

private:
    struct Loaded;
    enum class Outcome { done, badFormat, paletteFailed, fileError, outOfMemory };
    Outcome read(File& file, const MapDocument& document, unsigned selection, Loaded& loaded,
                 FileCause& cause);
    void warn(const std::string& text);

    FileSystem& files_;
    Prompter& prompter_;
    PaletteStorage& palettes_;
    bool saving_ = false;
    bool loading_ = false;
};

} // namespace tav
