#include "win/document/halftone_picture_converter.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/document/palette_block.h"

namespace tav::win {
namespace {

struct Bgr {
    std::uint8_t b, g, r;
    bool operator==(const Bgr&) const = default;
};

template <int Side> Bgr pixelAt(const RoomPicture<Side>& picture, int x, int yFromTop) {
    const std::uint8_t* p = picture.pixels.data() + (Side - 1 - yFromTop) * picture.stride + x * 3;
    return {p[0], p[1], p[2]};
}

// 46x46, 24 bits, bottom-up: red top left, green top right, blue bottom left, white bottom right.
TEST(HalftonePictureConverter, HalvesA46PixelSquareKeepingQuadrantsAndRowOrder) {
    const int side = 46;
    const std::size_t stride = (side * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> bits(stride * side);
    const Bgr red{0, 0, 255}, green{0, 255, 0}, blue{255, 0, 0}, white{255, 255, 255};
    for (int row = 0; row < side; ++row) { // row 0 is the bottom
        for (int x = 0; x < side; ++x) {
            const bool top = row >= side / 2, left = x < side / 2;
            const Bgr c = top ? (left ? red : green) : (left ? blue : white);
            std::uint8_t* p = bits.data() + row * stride + x * 3;
            p[0] = c.b, p[1] = c.g, p[2] = c.r;
        }
    }
    StoredBitmap source;
    source.width = side;
    source.height = side;
    source.bitCount = 24;
    source.bits = bits.data();
    source.stride = stride;

    RoomPicture<23> out;
    HalftonePictureConverter converter;
    ASSERT_TRUE(converter.convert(source, out));
    // Away from the seams every pixel is its quadrant's colour, however the stretch samples.
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 23; ++x) {
            if (x == 11 || y == 11)
                continue;
            const Bgr expected = y < 11 ? (x < 11 ? red : green) : (x < 11 ? blue : white);
            ASSERT_EQ(pixelAt(out, x, y), expected) << x << "," << y;
        }
    }
    // Row padding bytes stay zero.
    EXPECT_EQ(out.pixels[69], 0);
    EXPECT_EQ(out.pixels[71], 0);
}

TEST(HalftonePictureConverter, OnePaletteEntryFillsTheWidePicture) {
    const std::uint8_t colours[8] = {0x10, 0x20, 0x30, 0, 0xAA, 0xBB, 0xCC, 0}; // blue, green, red, 0
    const std::uint8_t bits[4] = {0x00, 0, 0, 0};                               // 1-bit: index 0
    StoredBitmap source;
    source.width = 1;
    source.height = 1;
    source.bitCount = 1;
    source.colours = colours;
    source.colourCount = 2;
    source.bits = bits;
    source.stride = 4;
    RoomPicture<15> out;
    HalftonePictureConverter converter;
    ASSERT_TRUE(converter.convert(source, out));
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x)
            ASSERT_EQ(pixelAt(out, x, y), (Bgr{0x10, 0x20, 0x30})) << x << "," << y;
}

// A stored 8-bit slot read through the block decoder: 1:1, so every pixel is its palette colour exactly.
TEST(HalftonePictureConverter, ReadsAnEightBitSlotThroughTheDecoder) {
    std::vector<std::uint8_t> slot(palette_layout::roomSlotSize, 0);
    encodeRoomSlot(RoomMarkSlot{true, {}, {}}, slot.data());
    std::uint8_t* header = slot.data() + 4;
    header[14] = 8;
    header[32] = 23; // 23 colours, then 23 rows of 24 bytes
    std::uint8_t* table = header + 40;
    for (int i = 0; i < 23; ++i) {
        table[i * 4] = static_cast<std::uint8_t>(i * 10);
        table[i * 4 + 1] = static_cast<std::uint8_t>(255 - i);
        table[i * 4 + 2] = static_cast<std::uint8_t>(i * 3);
    }
    std::uint8_t* rows = table + 23 * 4;
    for (int row = 0; row < 23; ++row)
        for (int x = 0; x < 23; ++x)
            rows[row * 24 + x] = static_cast<std::uint8_t>((x + row) % 23);

    HalftonePictureConverter converter;
    const RoomMarkSlot read = decodeRoomSlot(slot, &converter);
    ASSERT_TRUE(read.registered);
    for (int row = 0; row < 23; ++row) {
        for (int x = 0; x < 23; ++x) {
            const int i = (x + row) % 23;
            const std::uint8_t* p = read.normalImage.pixels.data() + row * 72 + x * 3;
            ASSERT_EQ((Bgr{p[0], p[1], p[2]}),
                      (Bgr{static_cast<std::uint8_t>(i * 10), static_cast<std::uint8_t>(255 - i),
                           static_cast<std::uint8_t>(i * 3)}))
                << x << "," << row;
        }
    }
}

} // namespace
} // namespace tav::win
