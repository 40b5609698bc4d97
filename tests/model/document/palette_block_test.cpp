#include "model/document/palette_block.h"

#include <gtest/gtest.h>

#include "palette_samples.h"

namespace tav {
namespace {

namespace pl = palette_layout;
using test::put32;
using test::roomSlotBytes;
using test::samplePalette;
using test::TouchingConverter;

// The stored form built byte by byte, independent of the encoder.
std::vector<std::uint8_t> handBuiltBlock(const MarkPalette& p) {
    std::vector<std::uint8_t> block(pl::blockSize, 0);
    for (int i = 0; i < 8; ++i)
        put32(block.data() + 4 * i, p.backgrounds[i]);
    for (int i = 0; i < 20; ++i) {
        std::uint8_t* w = block.data() + 32 + 24 * i;
        const WallMarkRecord& r = p.walls[i];
        put32(w, r.lineColor);
        put32(w + 4, r.backFrameColor);
        put32(w + 8, r.backFillColor);
        put32(w + 12, r.frontFrameColor);
        put32(w + 16, r.frontFillColor);
        w[20] = r.registered;
        w[21] = r.lineVisible;
        w[22] = r.backShape;
        w[23] = r.frontShape;
    }
    const std::uint8_t normalHeader[40] = {40, 0, 0, 0,  23, 0, 0, 0, 23, 0,    0,
                                           0,  1, 0, 24, 0,  0, 0, 0, 0,  0x78, 0x06};
    const std::uint8_t wideHeader[40] = {40, 0, 0, 0,  15, 0, 0, 0, 15, 0,    0,
                                         0,  1, 0, 24, 0,  0, 0, 0, 0,  0xD0, 0x02};
    for (int i = 0; i < 20; ++i) {
        const RoomMarkSlot& room = p.rooms[i];
        if (!room.registered)
            continue;
        std::uint8_t* s = roomSlotBytes(block, i + 1);
        put32(s, room.normalImage.transparent);
        std::memcpy(s + 4, normalHeader, 40);
        std::memcpy(s + 44, room.normalImage.pixels.data(), 1656);
        put32(s + 1700, room.wideImage.transparent);
        std::memcpy(s + 1704, wideHeader, 40);
        std::memcpy(s + 1744, room.wideImage.pixels.data(), 720);
    }
    return block;
}

TEST(PaletteBlock, StoredLayoutMatchesTheFileFormatBothWays) {
    const MarkPalette palette = samplePalette(3);
    const auto expected = handBuiltBlock(palette);
    EXPECT_EQ(encodePaletteBlock(palette), expected);

    MarkPalette read;
    ASSERT_TRUE(decodePaletteBlock(expected, read));
    EXPECT_EQ(read, palette);
    EXPECT_FALSE(read.rooms[2].registered);
    EXPECT_TRUE(read.rooms[3].registered && read.rooms[19].registered);

    const auto file = encodePaletteFile(palette, PaletteKind::start);
    ASSERT_EQ(file.size(), pl::fileSize);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "PS00");
    EXPECT_TRUE(std::all_of(file.begin() + 4, file.begin() + 32, [](std::uint8_t b) { return b == 0; }));
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), file.begin() + 32));
    const auto baseFile = encodePaletteFile(palette, PaletteKind::base);
    EXPECT_EQ(std::string(baseFile.begin(), baseFile.begin() + 4), "PB00");
}

TEST(PaletteBlock, EmptyRoomSlotsAreZeroBytes) {
    const auto block = encodePaletteBlock(MarkPalette{});
    EXPECT_EQ(block[8], 0xFF); // candidate 3 is 0x0000FF
    EXPECT_EQ(block[32 + 20], 0) << "wall slot 1 unregistered";
    EXPECT_TRUE(std::all_of(block.begin() + 512, block.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(PaletteBlock, FileDecodingChecksSizeAndMagicAndLeavesOutAloneOnFailure) {
    const MarkPalette palette = samplePalette(2);
    auto file = encodePaletteFile(palette, PaletteKind::base);
    MarkPalette out = samplePalette(9);
    const MarkPalette before = out;

    EXPECT_FALSE(decodePaletteFile(file, PaletteKind::start, out));
    auto longer = file;
    longer.push_back(0);
    EXPECT_FALSE(decodePaletteFile(longer, PaletteKind::base, out));
    EXPECT_FALSE(decodePaletteFile(std::span(file).first(file.size() - 1), PaletteKind::base, out));
    file[3] = '1';
    EXPECT_FALSE(decodePaletteFile(file, PaletteKind::base, out));
    EXPECT_EQ(out, before);

    file[3] = '0';
    ASSERT_TRUE(decodePaletteFile(file, PaletteKind::base, out));
    EXPECT_EQ(out, palette);
}

TEST(PaletteBlock, CodesOutsideTheDrawingTablesAreDropped) {
    MarkPalette palette;
    palette.backgrounds[0] = 0x0B123456; // pattern 11 does not exist
    palette.backgrounds[1] = 0x0A123456;
    palette.walls[0] = test::sampleWall(1);
    palette.walls[0].backShape = 13;
    palette.walls[0].frontShape = 255;
    palette.walls[1] = test::sampleWall(2);
    palette.walls[1].backShape = 12;
    MarkPalette read;
    ASSERT_TRUE(decodePaletteBlock(encodePaletteBlock(palette), read));
    EXPECT_EQ(read.backgrounds[0], 0x00123456u);
    EXPECT_EQ(read.backgrounds[1], 0x0A123456u);
    EXPECT_EQ(read.walls[0].backShape, 0);
    EXPECT_EQ(read.walls[0].frontShape, 0);
    EXPECT_EQ(read.walls[0].lineColor, palette.walls[0].lineColor);
    EXPECT_EQ(read.walls[1].backShape, 12);
}

// One stored slot, in a buffer of exactly its size so an overrun is caught by the sanitizers.
class RoomSlotBytes : public ::testing::Test {
protected:
    void SetUp() override {
        encodeRoomSlot(test::sampleRoom(5), slot.data());
        original = slot;
    }
    std::uint8_t* normalHeader() { return slot.data() + 4; }
    std::uint8_t* wideHeader() { return slot.data() + 1704; }
    RoomMarkSlot decode() { return decodeRoomSlot(slot, &converter); }

    std::vector<std::uint8_t> slot = std::vector<std::uint8_t>(pl::roomSlotSize);
    std::vector<std::uint8_t> original;
    TouchingConverter converter;
};

TEST_F(RoomSlotBytes, StandardHeadersAreCopiedWithoutTheConverter) {
    EXPECT_EQ(decode(), test::sampleRoom(5));
    EXPECT_TRUE(converter.calls.empty());
}

TEST_F(RoomSlotBytes, EitherPictureMissingLeavesTheSlotEmpty) {
    struct Case {
        const char* name;
        std::size_t offset;
        std::uint32_t value;
    };
    for (const Case& c :
         {Case{"normal header size", 4, 41}, Case{"normal width", 8, 22},
          Case{"normal height", 12, static_cast<std::uint32_t>(-23)}, Case{"wide header size", 1704, 0},
          Case{"wide width", 1708, 23}, Case{"wide height", 1712, 16}}) {
        slot = original;
        put32(slot.data() + c.offset, c.value);
        EXPECT_EQ(decode(), RoomMarkSlot{}) << c.name;
    }
    EXPECT_TRUE(converter.calls.empty());
    EXPECT_EQ(decodeRoomSlot(std::span(original).first(pl::roomSlotSize - 1), &converter), RoomMarkSlot{});
}

TEST_F(RoomSlotBytes, OtherDrawableHeadersGoThroughTheConverterWithinTheSlot) {
    struct Case {
        const char* name;
        std::uint16_t bitCount;
        std::uint32_t compression, coloursUsed;
        std::size_t colourCount, tableBytes, stride;
    };
    for (const Case& c :
         {Case{"8-bit, full table", 8, 0, 0, 256, 1024, 24}, Case{"4-bit, 3 colours", 4, 0, 3, 3, 12, 12},
          Case{"1-bit", 1, 0, 0, 2, 8, 4}, Case{"16-bit bit fields", 16, 3, 0, 0, 12, 48}}) {
        slot = original;
        normalHeader()[14] = static_cast<std::uint8_t>(c.bitCount);
        put32(normalHeader() + 16, c.compression);
        put32(normalHeader() + 32, c.coloursUsed);
        converter.calls.clear();
        const RoomMarkSlot read = decode();
        ASSERT_EQ(converter.calls.size(), 1u) << c.name;
        const StoredBitmap& s = converter.calls[0];
        EXPECT_EQ(s.width, 23);
        EXPECT_EQ(s.height, 23);
        EXPECT_EQ(s.bitCount, c.bitCount) << c.name;
        EXPECT_EQ(s.colourCount, c.colourCount) << c.name;
        EXPECT_EQ(s.bits, slot.data() + 44 + c.tableBytes) << c.name;
        EXPECT_EQ(s.stride, c.stride) << c.name;
        EXPECT_LE(s.bits + s.stride * 23, slot.data() + 1700) << c.name;
        EXPECT_TRUE(read.registered) << c.name;
        EXPECT_EQ(read.wideImage, test::sampleRoom(5).wideImage) << c.name;
    }
    // Only the resolution differs from the standard header: still converted.
    slot = original;
    put32(normalHeader() + 24, 2835);
    converter.calls.clear();
    EXPECT_TRUE(decode().registered);
    EXPECT_EQ(converter.calls.size(), 1u);

    converter.answer = false;
    EXPECT_EQ(decode(), RoomMarkSlot{});
    EXPECT_EQ(decodeRoomSlot(slot, nullptr), RoomMarkSlot{});
}

TEST_F(RoomSlotBytes, LyingHeadersNeverReachTheConverter) {
    struct Case {
        const char* name;
        std::size_t offset;
        std::uint32_t value;
    };
    // Offsets within the normal picture's header.
    for (const Case& c :
         {Case{"two planes", 12, 0x00180002}, Case{"7 bits", 14, 0x00000007},
          Case{"32 bits do not fit", 14, 0x00000020}, Case{"run-length", 16, 1}, Case{"JPEG", 16, 4},
          Case{"bit fields at 24 bits", 16, 3}, Case{"24 bits leave no room for a table", 32, 1},
          Case{"huge colour count", 32, 0xFFFFFFFF}}) {
        slot = original;
        put32(normalHeader() + c.offset, c.value);
        converter.calls.clear();
        EXPECT_EQ(decode(), RoomMarkSlot{}) << c.name;
        EXPECT_TRUE(converter.calls.empty()) << c.name;
    }
    slot = original;
    normalHeader()[14] = 8;
    put32(normalHeader() + 32, 257);
    EXPECT_EQ(decode(), RoomMarkSlot{}) << "257 colours at 8 bits";
    // A full 8-bit table plus rows does not fit the 720 bytes of the wide picture.
    slot = original;
    wideHeader()[14] = 8;
    EXPECT_EQ(decode(), RoomMarkSlot{});
    EXPECT_TRUE(converter.calls.empty());
}

TEST(StoredBitmapDescription, AcceptsOtherSizesOnlyWhenTheRowsFit) {
    std::vector<std::uint8_t> bytes(40 + 100);
    put32(bytes.data(), 40);
    put32(bytes.data() + 4, 10);
    put32(bytes.data() + 8, 10);
    bytes[12] = 1;
    bytes[14] = 24;
    StoredBitmap s;
    EXPECT_FALSE(describeStoredBitmap(bytes.data(), 100, s)); // 32 x 10 = 320 bytes
    EXPECT_TRUE(describeStoredBitmap(bytes.data(), 320, s));
    EXPECT_EQ(s.stride, 32u);
    put32(bytes.data() + 4, 0x7FFFFFFF);
    EXPECT_FALSE(describeStoredBitmap(bytes.data(), 1u << 30, s));
    put32(bytes.data() + 4, 10);
    put32(bytes.data() + 8, 0);
    EXPECT_FALSE(describeStoredBitmap(bytes.data(), 320, s));
}

} // namespace
} // namespace tav
