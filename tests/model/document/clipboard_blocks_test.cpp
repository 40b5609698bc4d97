// The clipboard blocks: layout, round trips, and blocks from other programs that lie about their size.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "grid_checks.h"
#include "model/document/clipboard_blocks.h"
#include "model/document/map_document.h"

namespace tav {
namespace {

using Bytes = std::vector<std::uint8_t>;

// 10 x 8 cells, every byte distinct from its neighbours'.
class MapBlockFromGrid : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(doc.resize(10, 8, true));
        test::fillPattern(doc);
    }
    std::uint8_t at(int column, int row, int layer) const { return doc.cell(column, row).layer(layer); }
    MapDocument doc;
};

TEST_F(MapBlockFromGrid, OneCellIsTenBytesWithItsRightAndBottomWalls) {
    const Bytes bytes = MapBlock::fromGrid(doc.grid(), {4, 2, 4, 2}).encode();
    const Bytes expected = {1,           0,           1,           0,           at(4, 2, 1),
                            at(4, 2, 2), at(4, 2, 3), at(4, 2, 4), at(5, 2, 2), at(4, 3, 1)};
    EXPECT_EQ(bytes, expected);
}

TEST_F(MapBlockFromGrid, EdgesWrapToColumnAndRowZeroAtTheLastColumnAndRow) {
    // Given reversed: columns 8..9, rows 6..7, the map's bottom-right corner.
    const Bytes bytes = MapBlock::fromGrid(doc.grid(), {9, 7, 8, 6}).encode();
    Bytes expected = {2, 0, 2, 0};
    for (int r = 6; r <= 7; ++r)
        for (int c = 8; c <= 9; ++c)
            for (int layer = 1; layer <= 4; ++layer)
                expected.push_back(at(c, r, layer));
    expected.insert(expected.end(), {at(0, 6, 2), at(0, 7, 2)});
    expected.insert(expected.end(), {at(8, 0, 1), at(9, 0, 1)});
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes.size(), map_block::sizeFor(2, 2));
}

TEST_F(MapBlockFromGrid, RoundTripsThroughItsBytes) {
    const MapBlock block = MapBlock::fromGrid(doc.grid(), {3, 1, 9, 4});
    const Bytes bytes = block.encode();
    MapBlock decoded;
    ASSERT_TRUE(MapBlock::decode(bytes, decoded));
    EXPECT_EQ(decoded, block);
    EXPECT_EQ(decoded.encode(), bytes);

    // Clipboard memory may be longer than the block: the tail is not part of it.
    Bytes padded = bytes;
    padded.insert(padded.end(), 13, 0xEE);
    MapBlock fromPadded;
    ASSERT_TRUE(MapBlock::decode(padded, fromPadded));
    EXPECT_EQ(fromPadded, block);
}

TEST(MapBlockDecode, RefusesBlocksShorterThanTheirHeaderPromises) {
    for (auto [w, h] : {std::pair{1, 1}, {3, 2}, {2, 7}, {255, 1}, {1, 255}}) {
        Bytes bytes(map_block::sizeFor(w, h), 0x11);
        bytes[0] = static_cast<std::uint8_t>(w), bytes[1] = static_cast<std::uint8_t>(w >> 8);
        bytes[2] = static_cast<std::uint8_t>(h), bytes[3] = static_cast<std::uint8_t>(h >> 8);
        MapBlock out;
        EXPECT_TRUE(MapBlock::decode(bytes, out)) << w << "x" << h;
        // One byte short is one bottom-edge wall missing.
        bytes.pop_back();
        MapBlock untouched;
        EXPECT_FALSE(MapBlock::decode(bytes, untouched)) << w << "x" << h;
        EXPECT_TRUE(untouched.empty());
    }
    MapBlock out;
    EXPECT_FALSE(MapBlock::decode(Bytes{1, 0, 1}, out));
    EXPECT_FALSE(MapBlock::decode(Bytes{}, out));
}

TEST(MapBlockDecode, RefusesEmptyAndImpossibleSizesBeforeReadingCells) {
    const Bytes plenty(map_block::sizeFor(256, 3), 0);
    for (auto [w, h] : {std::pair{0, 3}, {3, 0}, {256, 1}, {1, 256}, {0xFFFF, 0xFFFF}}) {
        Bytes bytes = plenty;
        bytes[0] = static_cast<std::uint8_t>(w), bytes[1] = static_cast<std::uint8_t>(w >> 8);
        bytes[2] = static_cast<std::uint8_t>(h), bytes[3] = static_cast<std::uint8_t>(h >> 8);
        MapBlock out;
        EXPECT_FALSE(MapBlock::decode(bytes, out)) << w << "x" << h;
    }
}

CommentBlock sampleComment() {
    CommentBlock block;
    block.record = CommentRecord::defaults();
    block.record.left = 40, block.record.top = 50, block.record.right = 130, block.record.bottom = 95;
    block.record.anchorDx = -12, block.record.anchorDy = 77;
    block.record.frameColour = comment::noColour;
    block.record.styleFlags = comment::style::italic;
    block.record.alignment = 0x21;
    block.text = "宝箱\r\n罠あり";
    return block;
}

TEST(CommentBlock, IsTheRecordThenTheTextAndOneZero) {
    const CommentBlock block = sampleComment();
    const Bytes bytes = block.encode();
    const auto record = block.record.encode();
    ASSERT_EQ(bytes.size(), comment::recordSize + block.text.size() + 1);
    EXPECT_TRUE(std::equal(record.begin(), record.end(), bytes.begin()));
    EXPECT_EQ(std::string(bytes.begin() + comment::recordSize, bytes.end() - 1), block.text);
    EXPECT_EQ(bytes.back(), 0);

    CommentBlock decoded;
    ASSERT_TRUE(CommentBlock::decode(bytes, decoded));
    EXPECT_EQ(decoded, block);
}

TEST(CommentBlock, TextEndsAtTheFirstZeroAndMustEndInsideTheBlock) {
    Bytes bytes = sampleComment().encode();
    bytes.insert(bytes.end(), {'x', 'y', 0, 'z'}); // what follows the terminator is not text
    CommentBlock out;
    ASSERT_TRUE(CommentBlock::decode(bytes, out));
    EXPECT_EQ(out.text, sampleComment().text);

    // No zero after the record: the text would run on past the block.
    Bytes unterminated(comment::recordSize, 0);
    unterminated.insert(unterminated.end(), {'a', 'b', 'c'});
    CommentBlock untouched = sampleComment();
    EXPECT_FALSE(CommentBlock::decode(unterminated, untouched));
    EXPECT_EQ(untouched, sampleComment());
    EXPECT_FALSE(CommentBlock::decode(Bytes(comment::recordSize, 0), untouched));
    EXPECT_FALSE(CommentBlock::decode(Bytes(comment::recordSize - 1, 0), untouched));

    // An empty text is just the zero.
    Bytes empty(comment::recordSize + 1, 0);
    ASSERT_TRUE(CommentBlock::decode(empty, out));
    EXPECT_EQ(out.text, "");
}

} // namespace
} // namespace tav
