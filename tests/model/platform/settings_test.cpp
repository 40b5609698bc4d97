#include "model/platform/settings.h"

#include <climits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "support/memory_settings.h"

namespace tav {
namespace {

TEST(ParseProfileInt, DecimalWithSignAndBlanks) {
    EXPECT_EQ(parseProfileInt("42"), 42);
    EXPECT_EQ(parseProfileInt(" \t-17\r\n"), -17);
    EXPECT_EQ(parseProfileInt("+8"), 8);
    EXPECT_EQ(parseProfileInt("007"), 7);
    EXPECT_EQ(parseProfileInt("0"), 0);
}

TEST(ParseProfileInt, DecimalBeyondThirtyTwoBitsSaturates) {
    EXPECT_EQ(parseProfileInt("2147483647"), INT_MAX);
    EXPECT_EQ(parseProfileInt("2147483648"), INT_MAX);
    EXPECT_EQ(parseProfileInt("-2147483648"), INT_MIN);
    EXPECT_EQ(parseProfileInt("-2147483649"), INT_MIN);
    EXPECT_EQ(parseProfileInt(std::string(500, '9')), INT_MAX);
    EXPECT_EQ(parseProfileInt("-" + std::string(500, '9')), INT_MIN);
}

TEST(ParseProfileInt, HexKeepsTheBitPattern) {
    EXPECT_EQ(parseProfileInt("0x1F"), 31);
    EXPECT_EQ(parseProfileInt("0XfF"), 255);
    EXPECT_EQ(parseProfileInt("0xFF000000"), static_cast<int>(0xFF000000u));
    EXPECT_EQ(parseProfileInt("0xFFFFFFFF"), -1);
    EXPECT_EQ(parseProfileInt("0x00000000"), 0);
}

TEST(ParseProfileInt, AnythingMalformedGivesNothing) {
    for (const char* text : {"", "   ", "-", "+", "abc", "12abc", "1 2", "1.5", "0x", "0xG1", "0x123456789",
                             "-0x10", "0x-1", "- 5", "１２"})
        EXPECT_EQ(parseProfileInt(text), std::nullopt) << text;
}

TEST(SettingsReadInt, FallsBackAndClamps) {
    test::MemorySettings settings;
    EXPECT_EQ(settings.readInt("S", "K", 5), 5);
    EXPECT_EQ(settings.readInt("S", "K", 5, 10, 20), 10) << "the fallback is clamped too";
    settings.values[{"S", "K"}] = "oops";
    EXPECT_EQ(settings.readInt("S", "K", 5), 5);
    settings.values[{"S", "K"}] = "-300";
    EXPECT_EQ(settings.readInt("S", "K", 5, -100, 100), -100);
    settings.values[{"S", "K"}] = "300";
    EXPECT_EQ(settings.readInt("S", "K", 5, -100, 100), 100);
}

TEST(SettingsReadInt, WrittenNumbersReadBack) {
    test::MemorySettings settings;
    for (int value : {0, -1, 65535, INT_MIN, INT_MAX}) {
        ASSERT_TRUE(settings.writeInt("S", "K", value));
        EXPECT_EQ(settings.readInt("S", "K", 3), value);
    }
}

} // namespace
} // namespace tav
