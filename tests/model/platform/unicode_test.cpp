#include "model/platform/unicode.h"

#include <string>

#include <gtest/gtest.h>

#include "model/platform/file_path.h"

namespace tav {
namespace {

// Sources are compiled with a CP932 execution character set: narrow literals are CP932 bytes.
TEST(Cp932Codec, DecodesSingleAndDoubleBytesAsWindowsDoes) {
    EXPECT_EQ(unicode::fromCp932("A\\~"), u"A\\~");
    EXPECT_EQ(unicode::fromCp932("表ソ能"), u"表ソ能"); // trail bytes 0x5C
    EXPECT_EQ(unicode::fromCp932("ｷｬﾝｾﾙ"), u"ｷｬﾝｾﾙ");
    EXPECT_EQ(unicode::fromCp932("①～"), u"①～");
    EXPECT_EQ(unicode::fromCp932("\x80\xA0\xFD\xFE\xFF"), u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3");
    // A lone lead byte, a lead before a byte that cannot trail it, an unmapped pair.
    EXPECT_EQ(unicode::fromCp932("a\x81"), u"a\u30FB");
    EXPECT_EQ(unicode::fromCp932("\x81\x20"), u"\u30FB ");
    EXPECT_EQ(unicode::fromCp932("\x85\x40"), u"\u30FB");
}

TEST(Cp932Codec, EncodesWithWindowsChoiceAmongDuplicateCodes) {
    EXPECT_EQ(unicode::toCp932(u"表ソ能ｷ①"), "表ソ能ｷ①");
    EXPECT_EQ(unicode::toCp932(u"\u2170"), "\xFA\x40"); // small roman one: IBM, not NEC-selected
    EXPECT_EQ(unicode::toCp932(u"\u7E8A"), "\xFA\x5C");
    EXPECT_EQ(unicode::toCp932(u"\u2252"), "\x81\xE0"); // standard row before NEC row 13
    EXPECT_EQ(unicode::toCp932(u"\u2160"), "\x87\x54"); // NEC row 13 before IBM
    EXPECT_EQ(unicode::toCp932(u"\uFFE2"), "\x81\xCA");
}

TEST(Cp932Codec, EveryByteSequenceOfWellFormedCharactersSurvivesTheRoundTrip) {
    std::string all;
    for (int byte = 0; byte < 0x100; ++byte) {
        if (!(byte >= 0x81 && byte <= 0x9F) && !(byte >= 0xE0 && byte <= 0xFC))
            all.push_back(static_cast<char>(byte));
    }
    bool complete = false;
    EXPECT_EQ(unicode::toCp932(unicode::fromCp932(all), &complete), all);
    EXPECT_TRUE(complete);
}

TEST(Cp932Codec, CharactersItCannotHoldBecomeOneQuestionMarkEach) {
    bool complete = true;
    EXPECT_EQ(unicode::toCp932(u"M\u00FCller \u00C6gir", &complete), "M?ller ?gir");
    EXPECT_FALSE(complete);
    EXPECT_EQ(unicode::toCp932(u"a\U0001F5FAb"), "a?b"); // a surrogate pair is one character
    EXPECT_EQ(unicode::toCp932(u"a\xD800"
                               u"b"),
              "a?b"); // and a lone surrogate one more
    unicode::toCp932(u"地図 ①", &complete);
    EXPECT_TRUE(complete);
}

TEST(Utf8Codec, RoundTripsEveryUtf16StringIncludingLoneSurrogates) {
    const std::u16string text = u"A\u00E9地\U0001F5FA\xDC00z";
    EXPECT_EQ(unicode::toUtf8(u"\u00E9地\U0001F5FA"), "\xC3\xA9\xE5\x9C\xB0\xF0\x9F\x97\xBA");
    EXPECT_EQ(unicode::fromUtf8(unicode::toUtf8(text)), text);
}

TEST(Utf8Codec, MalformedBytesDecodeToOneReplacementEach) {
    EXPECT_EQ(unicode::fromUtf8("a\xC3"), u"a\uFFFD");                               // cut short
    EXPECT_EQ(unicode::fromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");                       // overlong
    EXPECT_EQ(unicode::fromUtf8("\xF4\x90\x80\x80x"), u"\uFFFD\uFFFD\uFFFD\uFFFDx"); // beyond U+10FFFF
    EXPECT_EQ(unicode::fromUtf8("\xE5\x9C"
                                "a"),
              u"\uFFFD\uFFFDa");
}

TEST(FilePathParts, FolderAndExtensionComeFromTheLastSeparator) {
    const FilePath path(u"C:\\地図 ①\\M\u00FCller.v2\\plan.med");
    EXPECT_EQ(path.folder(), FilePath(u"C:\\地図 ①\\M\u00FCller.v2\\"));
    EXPECT_EQ(path.extension(), u"med");
    EXPECT_TRUE(path.hasExtension("MED"));
    EXPECT_FALSE(FilePath(u"C:\\maps.MED\\plan").hasExtension("MED"));
    EXPECT_FALSE(FilePath(u"C:\\a\\plan.MEDX").hasExtension("MED"));
    EXPECT_EQ(FilePath(u"plan.MED").folder(), FilePath());
    EXPECT_EQ(FilePath(u"D:/maps/plan.MED").folder(), FilePath(u"D:/maps/"));
}

TEST(FilePathText, StoredOnlyWhenCp932HoldsEveryCharacter) {
    EXPECT_EQ(FilePath(u"C:\\地図 ①\\").storedText(), std::optional<std::string>("C:\\地図 ①\\"));
    EXPECT_EQ(FilePath(u"C:\\M\u00FCller\\").storedText(), std::nullopt);
    EXPECT_EQ(FilePath(u"C:\\M\u00FCller\\").text(), "C:\\M?ller\\");
    EXPECT_EQ(FilePath::fromText("D:\\表\\ソ"), FilePath(u"D:\\表\\ソ"));
}

} // namespace
} // namespace tav
