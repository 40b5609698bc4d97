#include "model/document/palette_block.h"

#include <algorithm>
#include <cstring>

#include "model/platform/little_endian.h"

namespace tav {

namespace pl = palette_layout;

namespace {

using le::get16;
using le::get32;
using le::getSigned32;
using le::put32;

constexpr std::uint32_t biRgb = 0;
constexpr std::uint32_t biBitFields = 3;
constexpr std::uint8_t maxShape = 12;
constexpr std::uint32_t maxPatternType = 10;

// Pattern types and shape codes index drawing tables, so values a file cannot mean are dropped here.
std::uint32_t sanitizeBackground(std::uint32_t word) {
    return (word >> 24) > maxPatternType ? word & 0x00FFFFFF : word;
}

} // namespace

WallMarkRecord decodeWallRecord(const std::uint8_t* p) {
    WallMarkRecord r;
    r.lineColor = get32(p);
    r.backFrameColor = get32(p + 4);
    r.backFillColor = get32(p + 8);
    r.frontFrameColor = get32(p + 12);
    r.frontFillColor = get32(p + 16);
    r.registered = p[20];
    r.lineVisible = p[21];
    r.backShape = p[22] <= maxShape ? p[22] : 0;
    r.frontShape = p[23] <= maxShape ? p[23] : 0;
    return r;
}

void encodeWallRecord(const WallMarkRecord& r, std::uint8_t* p) {
    put32(p, r.lineColor);
    put32(p + 4, r.backFrameColor);
    put32(p + 8, r.backFillColor);
    put32(p + 12, r.frontFrameColor);
    put32(p + 16, r.frontFillColor);
    p[20] = r.registered;
    p[21] = r.lineVisible;
    p[22] = r.backShape;
    p[23] = r.frontShape;
}

namespace {

// One picture part of a slot: transparent colour, header, pixel area. False leaves the slot empty.
template <int Side>
bool decodePicture(const std::uint8_t* part, RoomPicture<Side>& out, PictureConverter* converter) {
    const std::uint8_t* header = part + 4;
    if (get32(header) != pl::infoHeaderSize || getSigned32(header + 4) != Side ||
        getSigned32(header + 8) != Side)
        return false;
    const std::uint8_t* area = header + pl::infoHeaderSize;
    const auto standard = standardInfoHeader(Side);
    if (std::memcmp(header, standard.data(), standard.size()) == 0) {
        std::memcpy(out.pixels.data(), area, out.pixels.size());
    } else {
        StoredBitmap stored;
        if (!converter || !describeStoredBitmap(header, RoomPicture<Side>::byteSize, stored) ||
            !converter->convert(stored, out))
            return false;
    }
    out.transparent = get32(part);
    return true;
}

} // namespace

void decodeBlockHead(const std::uint8_t* head, BackgroundCandidates& backgrounds,
                     std::array<WallMarkRecord, wallSlotCount>& walls) {
    for (int i = 0; i < backgroundCandidateCount; ++i)
        backgrounds[i] = sanitizeBackground(get32(head + 4 * i));
    for (int i = 0; i < wallSlotCount; ++i)
        walls[i] = decodeWallRecord(head + pl::wallsOffset + pl::wallRecordSize * i);
}

std::array<std::uint8_t, pl::infoHeaderSize> standardInfoHeader(int side) {
    std::array<std::uint8_t, pl::infoHeaderSize> h{};
    const std::uint32_t stride = (side * 3 + 3) / 4 * 4;
    put32(h.data(), pl::infoHeaderSize);
    put32(h.data() + 4, side);
    put32(h.data() + 8, side);
    h[12] = 1;  // planes
    h[14] = 24; // bits per pixel
    put32(h.data() + 20, stride * side);
    return h;
}

const char* paletteMagic(PaletteKind kind) {
    return kind == PaletteKind::base ? "PB00" : "PS00";
}

bool describeStoredBitmap(const std::uint8_t* header, std::size_t areaSize, StoredBitmap& out) {
    if (get32(header) != pl::infoHeaderSize || get16(header + 12) != 1)
        return false;
    const std::int32_t width = getSigned32(header + 4);
    const std::int32_t height = getSigned32(header + 8);
    const int bitCount = get16(header + 14);
    const std::uint32_t compression = get32(header + 16);
    const std::uint32_t coloursUsed = get32(header + 32);
    // Top-down (negative height) bitmaps are left out: the slots only ever held bottom-up ones.
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096)
        return false;
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        if (compression != biRgb)
            return false;
        break;
    case 16:
    case 32:
        if (compression != biRgb && compression != biBitFields)
            return false;
        break;
    default:
        return false;
    }
    std::uint64_t colourCount = coloursUsed;
    if (bitCount <= 8) {
        const std::uint64_t full = std::uint64_t(1) << bitCount;
        if (colourCount == 0)
            colourCount = full;
        if (colourCount > full)
            return false;
    } else if (colourCount > 256) {
        return false;
    }
    const bool bitFields = compression == biBitFields;
    const std::uint64_t tableBytes = (bitFields ? 12 : 0) + colourCount * 4;
    const std::uint64_t stride = (std::uint64_t(width) * bitCount + 31) / 32 * 4;
    const std::uint64_t bitsBytes = stride * std::uint64_t(height);
    if (tableBytes + bitsBytes > areaSize)
        return false;

    const std::uint8_t* table = header + pl::infoHeaderSize;
    out = StoredBitmap{};
    out.width = width;
    out.height = height;
    out.bitCount = bitCount;
    out.bitFields = bitFields;
    if (bitFields) {
        for (int i = 0; i < 3; ++i)
            out.masks[i] = get32(table + 4 * i);
        table += 12;
    }
    out.colours = colourCount ? table : nullptr;
    out.colourCount = static_cast<std::size_t>(colourCount);
    out.bits = table + colourCount * 4;
    out.stride = static_cast<std::size_t>(stride);
    return true;
}

RoomMarkSlot decodeRoomSlot(std::span<const std::uint8_t> slot, PictureConverter* converter) {
    RoomMarkSlot mark;
    if (slot.size() < pl::roomSlotSize || !decodePicture(slot.data(), mark.normalImage, converter) ||
        !decodePicture(slot.data() + pl::normalPartSize, mark.wideImage, converter))
        return RoomMarkSlot{};
    mark.registered = true;
    return mark;
}

void encodeRoomSlot(const RoomMarkSlot& slot, std::uint8_t* out) {
    std::memset(out, 0, pl::roomSlotSize);
    if (!slot.registered)
        return;
    put32(out, slot.normalImage.transparent);
    const auto normalHeader = standardInfoHeader(23);
    std::memcpy(out + 4, normalHeader.data(), normalHeader.size());
    std::memcpy(out + 44, slot.normalImage.pixels.data(), slot.normalImage.pixels.size());
    std::uint8_t* wide = out + pl::normalPartSize;
    put32(wide, slot.wideImage.transparent);
    const auto wideHeader = standardInfoHeader(15);
    std::memcpy(wide + 4, wideHeader.data(), wideHeader.size());
    std::memcpy(wide + 44, slot.wideImage.pixels.data(), slot.wideImage.pixels.size());
}

std::vector<std::uint8_t> encodePaletteBlock(const MarkPalette& palette) {
    std::vector<std::uint8_t> block(pl::blockSize);
    for (int i = 0; i < backgroundCandidateCount; ++i)
        put32(block.data() + 4 * i, palette.backgrounds[i]);
    for (int i = 0; i < wallSlotCount; ++i)
        encodeWallRecord(palette.walls[i], block.data() + pl::wallsOffset + pl::wallRecordSize * i);
    for (int i = 0; i < roomSlotCount; ++i)
        encodeRoomSlot(palette.rooms[i], block.data() + pl::roomsOffset + pl::roomSlotSize * i);
    return block;
}

std::vector<std::uint8_t> encodePaletteFile(const MarkPalette& palette, PaletteKind kind) {
    std::vector<std::uint8_t> file(pl::fileHeaderSize);
    std::memcpy(file.data(), paletteMagic(kind), 4);
    const auto block = encodePaletteBlock(palette);
    file.insert(file.end(), block.begin(), block.end());
    return file;
}

bool decodePaletteBlock(std::span<const std::uint8_t> block, MarkPalette& out, PictureConverter* converter) {
    if (block.size() != pl::blockSize)
        return false;
    MarkPalette palette;
    decodeBlockHead(block.data(), palette.backgrounds, palette.walls);
    for (int i = 0; i < roomSlotCount; ++i)
        palette.rooms[i] = decodeRoomSlot(
            block.subspan(pl::roomsOffset + pl::roomSlotSize * i, pl::roomSlotSize), converter);
    out = palette;
    return true;
}

bool decodePaletteFile(std::span<const std::uint8_t> file, PaletteKind kind, MarkPalette& out,
                       PictureConverter* converter) {
    if (file.size() != pl::fileSize || std::memcmp(file.data(), paletteMagic(kind), 4) != 0)
        return false;
    return decodePaletteBlock(file.subspan(pl::fileHeaderSize), out, converter);
}

} // namespace tav
