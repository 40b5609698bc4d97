#include "model/canvas/packed_bitmap.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/platform/little_endian.h"

namespace tav {
namespace {

// A packed bitmap: a 40-byte header, colours, then data bytes.
std::vector<std::uint8_t> packed(int width, int height, int bits, std::uint32_t compression,
                                 std::uint32_t colours, std::size_t tableEntries,
                                 const std::vector<std::uint8_t>& data, std::uint32_t imageSize = 0) {
    std::vector<std::uint8_t> b(40 + tableEntries * 4);
    le::put32(b.data(), 40);
    le::put32(b.data() + 4, static_cast<std::uint32_t>(width));
    le::put32(b.data() + 8, static_cast<std::uint32_t>(height));
    b[12] = 1;
    b[14] = static_cast<std::uint8_t>(bits);
    le::put32(b.data() + 16, compression);
    le::put32(b.data() + 20, imageSize);
    le::put32(b.data() + 32, colours);
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

bool accepted(const std::vector<std::uint8_t>& b) {
    return describePackedBitmap(b.data(), b.size()).has_value();
}

TEST(PackedBitmap, PlainAndTopDownPicturesNeedAllTheirRows) {
    const auto good = packed(2, 2, 24, 0, 0, 0, std::vector<std::uint8_t>(16)); // rows of 6 + 2 bytes
    const auto description = describePackedBitmap(good.data(), good.size());
    ASSERT_TRUE(description);
    EXPECT_EQ(description->bitsOffset, 40u);
    EXPECT_EQ(description->bitsSize, 16u);
    EXPECT_TRUE(accepted(packed(2, -2, 24, 0, 0, 0, std::vector<std::uint8_t>(16)))) << "top-down";
    EXPECT_FALSE(accepted(packed(2, 2, 24, 0, 0, 0, std::vector<std::uint8_t>(15)))) << "a byte short";
    EXPECT_FALSE(
        accepted(packed(3, static_cast<int>(0x80000000u), 24, 0, 0, 0, std::vector<std::uint8_t>(16))));
    EXPECT_FALSE(accepted(packed(5000, 1, 1, 0, 0, 2, std::vector<std::uint8_t>(700))));
    EXPECT_FALSE(accepted(packed(2, 2, 8, 0, 257, 257, std::vector<std::uint8_t>(8))))
        << "colours beyond 2^8";
    EXPECT_TRUE(accepted(packed(2, 2, 4, 0, 0, 16, std::vector<std::uint8_t>(8))));
    EXPECT_FALSE(accepted(packed(2, 2, 4, 0, 0, 15, std::vector<std::uint8_t>(8))))
        << "the full table is missing";
    EXPECT_TRUE(accepted(packed(2, 1, 16, 3, 0, 3, std::vector<std::uint8_t>(4)))) << "bit fields";
    EXPECT_FALSE(accepted(packed(2, 1, 24, 3, 0, 3, std::vector<std::uint8_t>(8))));
    auto core = good;
    core[0] = 12;
    EXPECT_FALSE(accepted(core)) << "a core header";
}

TEST(PackedBitmap, RunLengthCodesMustStayInsideThePicture) {
    // 4 x 2, RLE8: a run of 4, end of line, literal 3 pixels (padded), end of bitmap.
    const std::vector<std::uint8_t> runs = {4, 9, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1};
    auto rle8 = [](int width, int height, const std::vector<std::uint8_t>& codes) {
        return packed(width, height, 8, 1, 0, 256, codes, static_cast<std::uint32_t>(codes.size()));
    };
    EXPECT_TRUE(accepted(rle8(4, 2, runs)));
    EXPECT_FALSE(accepted(packed(4, 2, 8, 1, 0, 256, runs))) << "no stated size";
    EXPECT_FALSE(accepted(rle8(4, 2, {5, 9, 0, 1}))) << "a run past the right edge";
    EXPECT_FALSE(accepted(rle8(4, 2, {0, 2, 1, 5, 0, 1}))) << "a jump below the picture";
    EXPECT_FALSE(accepted(rle8(4, 2, {0, 3, 1, 2}))) << "literal pixels past the data";
    EXPECT_FALSE(accepted(packed(4, 2, 8, 1, 0, 256, runs, 4000))) << "a stated size past the block";
    EXPECT_FALSE(accepted(rle8(4, -2, runs))) << "run-length pictures are bottom-up";
    // RLE4 counts pixels, two to a byte.
    const std::vector<std::uint8_t> four = {0, 4, 0x12, 0x34, 0, 1};
    EXPECT_TRUE(accepted(packed(4, 1, 4, 2, 0, 16, four, 6)));
    EXPECT_FALSE(accepted(packed(3, 1, 4, 2, 0, 16, four, 6)));
}

} // namespace
} // namespace tav
