// Packed bitmaps from outside (BMP files after their file header, clipboard pictures): the checker must
// refuse whatever does not fit, and what it accepts must lie inside the block.
#include <cstddef>
#include <cstdint>

#include "model/canvas/packed_bitmap.h"
#include "require.h"

using tav::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bitmap = tav::describePackedBitmap(data, size);
    if (!bitmap)
        return 0;
    require(bitmap->bitsOffset >= 40 && bitmap->bitsOffset <= size);
    require(bitmap->bitsSize <= size - bitmap->bitsOffset);
    require(bitmap->width > 0 && bitmap->width <= 4096 && bitmap->height > 0 && bitmap->height <= 4096);
    // Every byte the platform would be given is read, so one past the block trips AddressSanitizer.
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < bitmap->bitsSize; ++i)
        sum = static_cast<std::uint8_t>(sum + data[bitmap->bitsOffset + i]);
    [[maybe_unused]] static volatile std::uint8_t sink;
    sink = sum;
    return 0;
}
