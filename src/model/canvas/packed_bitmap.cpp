#include "model/canvas/packed_bitmap.h"

#include "model/platform/little_endian.h"

namespace tav {

namespace {

constexpr std::size_t headerSize = 40;
constexpr int largestSide = 4096;
constexpr std::uint32_t plain = 0, rle8 = 1, rle4 = 2, bitFields = 3;

// Walks the codes of a run-length picture: every run and jump must stay inside the picture and the
// codes inside the data. An end-of-bitmap code or the data's end finishes it.
bool runsFit(const std::uint8_t* codes, std::size_t size, int width, int height, bool fourBit) {
    std::size_t at = 0;
    long long x = 0, y = 0;
    while (at + 2 <= size) {
        const int count = codes[at], value = codes[at + 1];
        at += 2;
        if (count > 0) {
            x += count;
            if (x > width || y >= height)
                return false;
            continue;
        }
        switch (value) {
        case 0: // end of line
            x = 0;
            ++y;
            if (y > height)
                return false;
            break;
        case 1: // end of bitmap
            return true;
        case 2: // jump
            if (at + 2 > size)
                return false;
            x += codes[at];
            y += codes[at + 1];
            at += 2;
            if (x > width || y >= height)
                return false;
            break;
        default: { // literal pixels, padded to a 16-bit boundary
            std::size_t bytes =
                fourBit ? (static_cast<std::size_t>(value) + 1) / 2 : static_cast<std::size_t>(value);
            bytes += bytes & 1;
            if (at + bytes > size)
                return false;
            at += bytes;
            x += value;
            if (x > width || y >= height)
                return false;
            break;
        }
        }
    }
    return true;
}

} // namespace

std::optional<PackedBitmap> describePackedBitmap(const std::uint8_t* data, std::size_t size) {
    if (!data || size < headerSize || le::get32(data) != headerSize || le::get16(data + 12) != 1)
        return std::nullopt;
    PackedBitmap b;
    const std::int32_t width = static_cast<std::int32_t>(le::get32(data + 4));
    const std::int32_t height = static_cast<std::int32_t>(le::get32(data + 8));
    b.bitCount = le::get16(data + 14);
    b.compression = le::get32(data + 16);
    const std::uint32_t imageSize = le::get32(data + 20);
    const std::uint32_t coloursUsed = le::get32(data + 32);
    // INT_MIN has no positive counterpart; both sides are bounded well inside 32 bits.
    if (width <= 0 || width > largestSide || height == 0 || height < -largestSide || height > largestSide)
        return std::nullopt;
    b.width = width;
    b.topDown = height < 0;
    b.height = b.topDown ? -height : height;
    switch (b.compression) {
    case plain:
        if (b.bitCount != 1 && b.bitCount != 4 && b.bitCount != 8 && b.bitCount != 16 && b.bitCount != 24 &&
            b.bitCount != 32)
            return std::nullopt;
        break;
    case rle8:
    case rle4:
        // Run-length pictures are stored bottom-up only.
        if (b.bitCount != (b.compression == rle8 ? 8 : 4) || b.topDown)
            return std::nullopt;
        break;
    case bitFields:
        if (b.bitCount != 16 && b.bitCount != 32)
            return std::nullopt;
        break;
    default:
        return std::nullopt;
    }
    std::uint64_t colours = coloursUsed;
    if (b.bitCount <= 8) {
        const std::uint64_t full = std::uint64_t{1} << b.bitCount;
        if (colours == 0)
            colours = full;
        if (colours > full)
            return std::nullopt;
    } else if (colours > 256) {
        return std::nullopt;
    }
    b.colourCount = static_cast<std::size_t>(colours);
    const std::uint64_t table = (b.compression == bitFields ? 12 : 0) + colours * 4;
    if (headerSize + table > size)
        return std::nullopt;
    b.bitsOffset = static_cast<std::size_t>(headerSize + table);
    const std::size_t available = size - b.bitsOffset;
    if (b.compression == rle8 || b.compression == rle4) {
        // Run-length data must state its size (the platform needs it), and that size must fit the block.
        if (imageSize == 0 || imageSize > available)
            return std::nullopt;
        b.bitsSize = imageSize;
        if (!runsFit(data + b.bitsOffset, b.bitsSize, b.width, b.height, b.compression == rle4))
            return std::nullopt;
        return b;
    }
    const std::uint64_t stride = (std::uint64_t(b.width) * b.bitCount + 31) / 32 * 4;
    const std::uint64_t needed = stride * std::uint64_t(b.height);
    if (needed > available)
        return std::nullopt;
    b.bitsSize = static_cast<std::size_t>(needed);
    return b;
}

} // namespace tav
