#pragma once
// The palette block (background candidates, wall records, room slots) and the palette file around it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/document/picture_converter.h"
#include "model/marks/mark_palette.h"

namespace tav {

namespace palette_layout {
constexpr std::size_t backgroundsSize = 32;
constexpr std::size_t wallsOffset = 32;
constexpr std::size_t wallRecordSize = 24;
constexpr std::size_t wallsSize = wallRecordSize * wallSlotCount; // 480
constexpr std::size_t roomsOffset = wallsOffset + wallsSize;      // 512
constexpr std::size_t roomSlotSize = 2464;
constexpr std::size_t blockSize = roomsOffset + roomSlotSize * roomSlotCount; // 49792
constexpr std::size_t fileHeaderSize = 32;
constexpr std::size_t fileSize = fileHeaderSize + blockSize; // 49824

// Inside a room slot.
constexpr std::size_t infoHeaderSize = 40;
constexpr std::size_t normalPartSize = 4 + infoHeaderSize + RoomPicture<23>::byteSize; // 1700
constexpr std::size_t widePartSize = 4 + infoHeaderSize + RoomPicture<15>::byteSize;   // 764
} // namespace palette_layout
static_assert(palette_layout::blockSize == 49792 && palette_layout::fileSize == 49824);
static_assert(palette_layout::normalPartSize + palette_layout::widePartSize == palette_layout::roomSlotSize);

enum class PaletteKind { base, start }; // magic "PB00" / "PS00"

// Selection bits of a block read; the background candidates are always taken.
namespace palette_select {
constexpr unsigned walls = 1;
constexpr unsigned rooms = 2;
constexpr unsigned all = walls | rooms;
} // namespace palette_select

std::vector<std::uint8_t> encodePaletteBlock(const MarkPalette& palette);
std::vector<std::uint8_t> encodePaletteFile(const MarkPalette& palette, PaletteKind kind);

// Decodes a whole block (exactly blockSize bytes) into out, which is only touched on success. Room slots
// with a non-standard header go through converter; without one they stay empty. Pattern types above 10
// and shape codes above 12, which index drawing tables, read as 0.
bool decodePaletteBlock(std::span<const std::uint8_t> block, MarkPalette& out,
                        PictureConverter* converter = nullptr);
// Decodes a palette file of exactly fileSize bytes with the magic of kind.
bool decodePaletteFile(std::span<const std::uint8_t> file, PaletteKind kind, MarkPalette& out,
                       PictureConverter* converter = nullptr);

// The first roomsOffset bytes of a block: background candidates and wall records.
void decodeBlockHead(const std::uint8_t* head, BackgroundCandidates& backgrounds,
                     std::array<WallMarkRecord, wallSlotCount>& walls);

// One stored wall record (wallRecordSize bytes); shape codes above 12 read as 0.
WallMarkRecord decodeWallRecord(const std::uint8_t* stored);
void encodeWallRecord(const WallMarkRecord& record, std::uint8_t* out);

// One room slot's bytes (fewer than roomSlotSize when the file ended early). Returns the slot, empty when
// either picture is missing or unreadable.
RoomMarkSlot decodeRoomSlot(std::span<const std::uint8_t> slot, PictureConverter* converter);
void encodeRoomSlot(const RoomMarkSlot& slot, std::uint8_t* out); // roomSlotSize bytes

// The standard 40-byte header of a 24-bit Side x Side picture.
std::array<std::uint8_t, palette_layout::infoHeaderSize> standardInfoHeader(int side);

const char* paletteMagic(PaletteKind kind);

} // namespace tav
