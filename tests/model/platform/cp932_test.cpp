#include "model/platform/cp932.h"

#include <string>

#include <gtest/gtest.h>

namespace tav {
namespace {

TEST(Cp932Text, LeadByteAtTheEndCountsAsOneByte) {
    const std::string cut = "a\x95"; // a text cut after a lead byte
    EXPECT_EQ(cp932::charLength(cut, 1), 1u);
    EXPECT_EQ(cp932::charLength("表", 0), 2u);
}

TEST(Cp932Text, CaseIsIgnoredOnlyForSingleByteLetters) {
    EXPECT_TRUE(cp932::equalsIgnoreCase("Start.MPS", "start.mps"));
    EXPECT_TRUE(cp932::equalsIgnoreCase("表a", "表A"));
    EXPECT_FALSE(cp932::equalsIgnoreCase("\x82\x61", "\x82\x41")); // different characters, not cases
    EXPECT_FALSE(cp932::equalsIgnoreCase("abc", "abcd"));
    EXPECT_FALSE(cp932::equalsIgnoreCase("a[", "A{"));
}

TEST(Cp932Text, FormatReplacesOnlyTheFirstPlaceholder) {
    EXPECT_EQ(cp932::formatWith("%s を保存しますか", "C:\\表.MED"), "C:\\表.MED を保存しますか");
    EXPECT_EQ(cp932::formatWith("<%s|%s>", "%s"), "<%s|%s>");
    EXPECT_EQ(cp932::formatWith("no placeholder %", "x"), "no placeholder %");
}

} // namespace
} // namespace tav
