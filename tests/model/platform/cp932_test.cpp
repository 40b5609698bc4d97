#include "model/platform/cp932.h"

#include <string>

#include <gtest/gtest.h>

namespace tav {
namespace {

// 表 and ソ end in 0x5C, Ｂ (0x82 0x61) ends in 'a'.
TEST(Cp932Path, TrailBytesAreNeverBackslashes) {
    ASSERT_EQ(std::string("ソ"), "\x83\x5C");
    EXPECT_EQ(cp932::lastBackslash("表"), std::string_view::npos);
    EXPECT_EQ(cp932::lastBackslash("a\\表ソ"), 1u);
    EXPECT_EQ(cp932::lastBackslash("\\\\"), 1u);
    EXPECT_EQ(cp932::folderOf("D:\\表\\ソ"), "D:\\表\\");
    EXPECT_EQ(cp932::folderOf("ソ.MED"), "");
    EXPECT_EQ(cp932::folderOf("C:\\"), "C:\\");
}

TEST(Cp932Path, LeadByteAtTheEndCountsAsOneByte) {
    const std::string cut = "C:\\a\\\x95"; // a name cut after a lead byte
    EXPECT_EQ(cp932::charLength(cut, cut.size() - 1), 1u);
    EXPECT_EQ(cp932::folderOf(cut), "C:\\a\\");
}

TEST(Cp932Path, ExtensionComesFromTheFileNamePart) {
    EXPECT_EQ(cp932::extensionOf("C:\\maps\\表.MED"), "MED");
    EXPECT_EQ(cp932::extensionOf("C:\\maps.old\\file"), "");
    EXPECT_EQ(cp932::extensionOf("a.tar.gz"), "gz");
    EXPECT_EQ(cp932::extensionOf("C:\\ソ\\x."), "");
    EXPECT_EQ(cp932::extensionOf("C:\\dir\\地図.表"), "表");
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
