#pragma once
// Checking a packed bitmap from outside (a BMP file after its file header, or the clipboard) before the
// platform is given it: every field against the bytes really there.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace tav {

struct PackedBitmap {
    int width = 0;
    int height = 0; // rows; topDown tells their order
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = 0; // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields
    std::size_t colourCount = 0;
    std::size_t bitsOffset = 0; // from the start of the block
    std::size_t bitsSize = 0;
};

// Only the 40-byte header is taken. Nothing when a field does not fit the block: sizes beyond 4096 pixels,
// colour tables beyond what the depth holds, pixel data past the end, run-length data without its size or
// with codes leaving the picture.
std::optional<PackedBitmap> describePackedBitmap(const std::uint8_t* data, std::size_t size);

} // namespace tav
