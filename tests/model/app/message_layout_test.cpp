#include "model/app/message_layout.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/platform/cp932.h"

namespace tav {
namespace {

using Lines = std::vector<std::string>;

// 8 pixels a byte: single-byte characters 8 wide, double-byte ones 16.
int byteWidth(std::string_view text) {
    return static_cast<int>(text.size()) * 8;
}

Lines wrap(std::string_view text, int maxWidth) {
    return wrapMessageLines(text, maxWidth, byteWidth);
}

TEST(MessageLayout, SplitsAtLineFeedsAndKeepsEmptyLines) {
    EXPECT_EQ(wrap("first\r\n\nthird", 1000), (Lines{"first", "", "third"}));
    EXPECT_EQ(wrap("a\n\n\nb", 1000), (Lines{"a", "", "", "b"}));
    EXPECT_EQ(wrap("", 1000), (Lines{""}));
}

TEST(MessageLayout, BreaksBeforeTheCharacterThatWouldCross) {
    EXPECT_EQ(wrap("abcdefghij", 32), (Lines{"abcd", "efgh", "ij"}));
    EXPECT_EQ(wrap("abcdefghij", 39), (Lines{"abcd", "efgh", "ij"}));
    EXPECT_EQ(wrap("abcdefghij", 40), (Lines{"abcde", "fghij"}));
    EXPECT_EQ(wrap("abcdefghij\r\nxy", 40), (Lines{"abcde", "fghij", "xy"}));
}

TEST(MessageLayout, NeverSplitsADoubleByteCharacter) {
    ASSERT_EQ(std::string("表"), "\x95\x5C"); // the trail byte is a backslash
    // 32 pixels hold "a" and half of the second character: it has to go to the next line whole.
    EXPECT_EQ(wrap("a表表b", 32), (Lines{"a表", "表b"}));
    EXPECT_EQ(wrap("ソソソ", 40), (Lines{"ソソ", "ソ"}));
}

TEST(MessageLayout, KeepsAtLeastOneCharacterPerLine) {
    EXPECT_EQ(wrap("表ab", 4), (Lines{"表", "a", "b"}));
    EXPECT_EQ(wrap("xy", -1), (Lines{"x", "y"}));
}

TEST(MessageLayout, LongDoubleByteLineWrapsIntoWholeCharacters) {
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "表ソ";
    ASSERT_EQ(text.size(), 400u);
    const int maxWidth = 250; // 15 characters and a half
    Lines lines = wrap(text, maxWidth);
    ASSERT_GT(lines.size(), 1u);

    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        EXPECT_EQ(joined.size() % 2, 0u) << "line " << i << " starts inside a character";
        EXPECT_EQ(line.size() % 2, 0u) << "line " << i;
        EXPECT_TRUE(cp932::isLeadByte(static_cast<unsigned char>(line.front()))) << "line " << i;
        EXPECT_LE(byteWidth(line), maxWidth) << "line " << i;
        if (i + 1 < lines.size()) {
            EXPECT_GT(byteWidth(line) + 16, maxWidth) << "line " << i << " could have held one more";
        }
        joined += line;
    }
    EXPECT_EQ(joined, text);
}

} // namespace
} // namespace tav
