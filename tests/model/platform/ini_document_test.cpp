#include "model/platform/ini_document.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace tav {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

IniDocument docOf(std::string_view text) {
    return IniDocument(std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::string textOf(const IniDocument& doc) {
    return {doc.bytes().begin(), doc.bytes().end()};
}

std::vector<std::uint8_t> utf16(std::u16string_view text, bool bigEndian) {
    std::vector<std::uint8_t> bytes;
    for (char16_t unit : text) {
        const auto high = static_cast<std::uint8_t>(unit >> 8);
        const auto low = static_cast<std::uint8_t>(unit & 0xFF);
        bytes.push_back(bigEndian ? high : low);
        bytes.push_back(bigEndian ? low : high);
    }
    return bytes;
}

// Sources are compiled with a CP932 execution character set: narrow literals are CP932 bytes.
TEST(IniDocumentRead, KeysAreFoundOnlyInsideTheirSection) {
    const IniDocument doc =
        docOf("top=0\r\n; note=1\r\n[View]\r\nZoom = 2 \r\n\tGrid\t=\ton\t\r\nbare line\r\n"
              "Empty=\r\nSum=a=b\r\n  ;Zoom=3\r\n[Other]\r\nSkipped=4\r\n");
    EXPECT_EQ(doc.read("View", "Zoom"), "2");
    EXPECT_EQ(doc.read("View", "Grid"), "on");
    EXPECT_EQ(doc.read("View", "Empty"), "");
    EXPECT_EQ(doc.read("View", "Sum"), "a=b");
    EXPECT_EQ(doc.read("View", "top"), std::nullopt) << "lines before the first section belong to none";
    EXPECT_EQ(doc.read("View", "bare line"), std::nullopt);
    EXPECT_EQ(doc.read("View", "Skipped"), std::nullopt);
    EXPECT_EQ(doc.read("Other", "Zoom"), std::nullopt);
    EXPECT_EQ(doc.read("Missing", "Zoom"), std::nullopt);
    EXPECT_EQ(doc.read("", "Zoom"), std::nullopt);
    EXPECT_EQ(doc.read("View", ""), std::nullopt);
}

TEST(IniDocumentRead, SectionLinesRunToTheLastBracket) {
    const IniDocument doc = docOf("  [ A ] b ]  \nk=1\n[open\nj=2\n[ ]\nk=3\n");
    EXPECT_EQ(doc.read("A ] b", "k"), "1");
    EXPECT_EQ(doc.read("A ] b", "j"), "2") << "a '[' line that never closes is no section";
    EXPECT_EQ(doc.read("open", "j"), std::nullopt);
}

TEST(IniDocumentRead, NamesIgnoreOnlyAsciiLetterCase) {
    const IniDocument doc = docOf("[Window]\r\nLeftEdge=10\r\nア=katakana\r\nＢ=wide\r\n");
    EXPECT_EQ(doc.read("WINDOW", "leftedge"), "10");
    EXPECT_EQ(doc.read(" window\t", " LEFTEDGE "), "10");
    EXPECT_EQ(doc.read("Window", "ア"), "katakana");
    // Trail bytes 'A' and 'a': these are different characters.
    EXPECT_EQ(doc.read("Window", "ヂ"), std::nullopt);
    EXPECT_EQ(doc.read("Window", "\x82\x41"), std::nullopt);
    EXPECT_EQ(doc.read("Window", "ｂ"), std::nullopt);
}

TEST(IniDocumentRead, TrailBytesAreNeverLayout) {
    // 0x5C, '[' and ']' as second bytes of 表, ソ, ゼ and ゾ.
    const IniDocument doc = docOf("[表示]\nフォルダ=C:\\地図\\ソフト\\\n[ゼ]\nk=1\n[未完ゾ\nj=2\n");
    EXPECT_EQ(doc.read("表示", "フォルダ"), "C:\\地図\\ソフト\\");
    EXPECT_EQ(doc.read("ゼ", "k"), "1");
    EXPECT_EQ(doc.read("ゼ", "j"), "2") << "the ']' inside ゾ closes nothing";
    EXPECT_EQ(doc.read("未完\x83", "j"), std::nullopt);
}

TEST(IniDocumentRead, LoneLeadByteLeavesLineEndsAndEqualSignsAlone) {
    const IniDocument doc = docOf("[S]\r\nk=a\x81\r\nj\x81=2\r\n");
    EXPECT_EQ(doc.read("S", "k"), "a\x81");
    EXPECT_EQ(doc.read("S", "j\x81"), "2");
}

TEST(IniDocumentRead, EveryLineEndEndsALine) {
    const IniDocument doc = docOf("[S]\ra=1\r\r\nb=2\n\n\rc=3\r\n[T]\rd=4");
    EXPECT_EQ(doc.read("S", "a"), "1");
    EXPECT_EQ(doc.read("S", "b"), "2");
    EXPECT_EQ(doc.read("S", "c"), "3");
    EXPECT_EQ(doc.read("T", "d"), "4");
}

TEST(IniDocumentRead, FirstSectionAndFirstKeyWin) {
    const IniDocument doc = docOf("[S]\nk=first\nK=second\n[s]\nk=third\nlater=5\n");
    EXPECT_EQ(doc.read("S", "k"), "first");
    EXPECT_EQ(doc.read("S", "later"), std::nullopt) << "a repeated section is not searched";
}

TEST(IniDocumentRead, MatchingQuotesAroundTheValueAreDropped) {
    const IniDocument doc = docOf("[Q]\na= \"two words\" \nb='x'\nc=\"x'\nd=\"\ne=\"\"\nf=\" padded \"\n"
                                  "g=\"地図\"\nh=say \"hi\"\n");
    EXPECT_EQ(doc.read("Q", "a"), "two words");
    EXPECT_EQ(doc.read("Q", "b"), "x");
    EXPECT_EQ(doc.read("Q", "c"), "\"x'");
    EXPECT_EQ(doc.read("Q", "d"), "\"");
    EXPECT_EQ(doc.read("Q", "e"), "");
    EXPECT_EQ(doc.read("Q", "f"), " padded ");
    EXPECT_EQ(doc.read("Q", "g"), "地図");
    EXPECT_EQ(doc.read("Q", "h"), "say \"hi\"");
}

TEST(IniDocumentRead, LongValuesAreCutBetweenCharacters) {
    const std::string fits(4095, 'a');
    const std::string halfway = std::string(4094, 'a') + "地図";
    const IniDocument doc = docOf("[L]\nfits=" + fits + "\nlong=" + fits + "bcd\nhalfway=" + halfway + "\n");
    EXPECT_EQ(doc.read("L", "fits"), fits);
    EXPECT_EQ(doc.read("L", "long"), fits);
    EXPECT_EQ(doc.read("L", "halfway"), std::string(4094, 'a'));

    std::u16string wide = u"\uFEFF[L]\r\nk=";
    wide.append(3000, u'地');
    const std::optional<std::string> value = IniDocument(utf16(wide, false)).read("L", "k");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->size(), 4094u);
    EXPECT_EQ(value->substr(4092), "地");
}

TEST(IniDocumentWrite, ChangingAKeyKeepsEveryOtherByte) {
    const std::string before = "; top comment\r\n\r\n[Other]\nFolder=keep\n\n[Main]\r  ;Folder=old\r\n"
                               "garbage \x01\x02\xFF\r  FoLdEr  =  old value  \r\nfolder=duplicate\n\0tail"s;
    IniDocument doc = docOf(before);
    ASSERT_TRUE(doc.write("main", "FOLDER", "C:\\地図\\表"));
    EXPECT_EQ(textOf(doc), "; top comment\r\n\r\n[Other]\nFolder=keep\n\n[Main]\r  ;Folder=old\r\n"
                           "garbage \x01\x02\xFF\rFoLdEr=C:\\地図\\表\r\nfolder=duplicate\n\0tail"s);
    EXPECT_EQ(doc.read("Main", "folder"), "C:\\地図\\表");
    EXPECT_EQ(doc.read("Other", "Folder"), "keep");

    const std::vector<std::uint8_t> once = doc.bytes();
    ASSERT_TRUE(doc.write("Main", "Folder", "C:\\地図\\表"));
    EXPECT_EQ(doc.bytes(), once) << "the same value again changes nothing";
}

TEST(IniDocumentWrite, NewKeyGoesAfterTheSectionsLastNonBlankLine) {
    IniDocument doc = docOf("[A]\r\nx=1\r\n\r\n \t\r\n[B]\r\n; end of B\r\n\r\n[C]\r\n[A]\r\n");
    ASSERT_TRUE(doc.write("A", "y", "2"));
    ASSERT_TRUE(doc.write("B", "z", "3"));
    ASSERT_TRUE(doc.write("C", "w", "4"));
    EXPECT_EQ(textOf(doc),
              "[A]\r\nx=1\r\ny=2\r\n\r\n \t\r\n[B]\r\n; end of B\r\nz=3\r\n\r\n[C]\r\nw=4\r\n[A]\r\n");
    EXPECT_EQ(doc.read("A", "y"), "2");
}

TEST(IniDocumentWrite, NewLinesCopyTheFirstLineEnd) {
    IniDocument unix = docOf("[A]\nx=1");
    ASSERT_TRUE(unix.write("A", "y", "2"));
    ASSERT_TRUE(unix.write("B", "z", "3"));
    EXPECT_EQ(textOf(unix), "[A]\nx=1\ny=2\n[B]\nz=3\n");

    IniDocument old = docOf("[A]\rx=1\r\n");
    ASSERT_TRUE(old.write("B", "z", "3"));
    EXPECT_EQ(textOf(old), "[A]\rx=1\r\n[B]\rz=3\r");
    EXPECT_EQ(old.read("B", "z"), "3");

    IniDocument oneLine = docOf("no line end");
    ASSERT_TRUE(oneLine.write("表示", "色", "赤"));
    EXPECT_EQ(textOf(oneLine), "no line end\r\n[表示]\r\n色=赤\r\n");

    IniDocument empty;
    EXPECT_EQ(empty.read("S", "K"), std::nullopt); // no bytes at all, not even a data pointer
    ASSERT_TRUE(empty.write(" S ", " K ", "v"));
    EXPECT_EQ(textOf(empty), "[S]\r\nK=v\r\n");
}

TEST(IniDocumentWrite, NamesThatCannotBeReadBackAreRefused) {
    const std::string before = "[S]\nk=1\n";
    IniDocument doc = docOf(before);
    EXPECT_FALSE(doc.write("", "k", "v"));
    EXPECT_FALSE(doc.write(" \t", "k", "v"));
    EXPECT_FALSE(doc.write("S", "", "v"));
    EXPECT_FALSE(doc.write("a]b", "k", "v"));
    EXPECT_FALSE(doc.write("a\rb", "k", "v"));
    EXPECT_FALSE(doc.write("S", "a=b", "v"));
    EXPECT_FALSE(doc.write("S", "a\nb", "v"));
    EXPECT_FALSE(doc.write("S", "k", "two\r\nlines"));
    EXPECT_FALSE(doc.write("S", "k", "cr\r"));
    EXPECT_FALSE(doc.write("S", ";k", "v")) << "a comment";
    EXPECT_FALSE(doc.write("S", " [k", "v]")) << "a section line";
    EXPECT_FALSE(doc.write("half\x81", "k", "v")) << "the lead byte would take the ']'";
    EXPECT_EQ(textOf(doc), before);

    // Only real characters count: these second bytes are ']' and '['.
    ASSERT_TRUE(doc.write("ゾ", "ゼ", "1"));
    EXPECT_EQ(doc.read("ゾ", "ゼ"), "1");
    ASSERT_TRUE(doc.write("S", "k;[x]", "a=b;c\x81"));
    EXPECT_EQ(doc.read("S", "k;[x]"), "a=b;c\x81");
}

TEST(IniDocumentWrite, LargeAndBrokenFilesStayWhole) {
    std::string garbage(1 << 20, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 7919) % 251 + 1); // no CR or LF: one long line
    for (char& c : garbage) {
        if (c == '\r' || c == '\n')
            c = '[';
    }
    IniDocument doc = docOf(garbage);
    EXPECT_EQ(doc.read("S", "k"), std::nullopt);
    ASSERT_TRUE(doc.write("S", "k", "v"));
    EXPECT_EQ(textOf(doc).substr(0, garbage.size()), garbage);
    EXPECT_EQ(doc.read("S", "k"), "v");

    std::string many = "[S]\n";
    for (int i = 0; i < 50000; ++i)
        many += "key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    IniDocument big = docOf(many);
    EXPECT_EQ(big.read("S", "KEY49999"), "49999");
    ASSERT_TRUE(big.write("S", "key49999", "last"));
    ASSERT_TRUE(big.write("S", "new", "1"));
    EXPECT_EQ(textOf(big), many.substr(0, many.size() - 6) + "last\nnew=1\n");
}

TEST(IniDocumentEncoding, ByteOrderMarksChooseTheEncoding) {
    EXPECT_EQ(IniDocument().encoding(), IniDocument::Encoding::cp932);
    EXPECT_EQ(docOf("\xFF\xFE").encoding(), IniDocument::Encoding::utf16le);
    EXPECT_EQ(docOf("\xFE\xFF[").encoding(), IniDocument::Encoding::utf16be);
    EXPECT_EQ(docOf("\xEF\xBB\xBF").encoding(), IniDocument::Encoding::utf8Bom);
    EXPECT_EQ(docOf("\xEF\xBB").encoding(), IniDocument::Encoding::cp932);
    EXPECT_EQ(docOf("\xFF").encoding(), IniDocument::Encoding::cp932);
}

TEST(IniDocumentEncoding, Utf16FilesAreReadAndWrittenInTheirByteOrder) {
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        // U+0A0D and U+0D0A hold a CR and an LF byte but are no line ends.
        IniDocument doc(utf16(
            u"\uFEFF[表示]\r\nColor = 赤 \r\nName=M\u00FCller\u0A0D\u0D0A\r\n\r\n[Next]\r\n", bigEndian));
        EXPECT_EQ(doc.encoding(),
                  bigEndian ? IniDocument::Encoding::utf16be : IniDocument::Encoding::utf16le);
        EXPECT_EQ(doc.read("表示", "color"), "赤");
        EXPECT_EQ(doc.read("表示", "name"), "M?ller??");
        ASSERT_TRUE(doc.write("表示", "COLOR", "青"));
        ASSERT_TRUE(doc.write("表示", "地図", "C:\\地図"));
        ASSERT_TRUE(doc.write("新\x81", "k", "v")) << "the lone lead byte is one character here";
        EXPECT_EQ(doc.bytes(), utf16(u"\uFEFF[表示]\r\nColor=青\r\nName=M\u00FCller\u0A0D\u0D0A\r\n"
                                     u"地図=C:\\地図\r\n\r\n[Next]\r\n[新\u30FB]\r\nk=v\r\n",
                                     bigEndian));
        EXPECT_EQ(doc.read("表示", "地図"), "C:\\地図");
        EXPECT_EQ(doc.read("新\x81", "k"), "v");
    }
}

TEST(IniDocumentEncoding, OddLastByteOfUtf16StaysLast) {
    std::vector<std::uint8_t> bytes = utf16(u"\uFEFF[A]\nx=1", false);
    bytes.push_back(0x0A);
    IniDocument doc(bytes);
    EXPECT_EQ(doc.read("A", "x"), "1");
    ASSERT_TRUE(doc.write("A", "y", "2"));
    std::vector<std::uint8_t> expected = utf16(u"\uFEFF[A]\nx=1\ny=2\n", false);
    expected.push_back(0x0A);
    EXPECT_EQ(doc.bytes(), expected);
}

TEST(IniDocumentEncoding, Utf8FilesAreReadAndWrittenInUtf8) {
    // 表示, 色 and 赤 in UTF-8, then a byte that is no UTF-8.
    IniDocument doc(docOf("\xEF\xBB\xBF[\xE8\xA1\xA8\xE7\xA4\xBA]\n\xE8\x89\xB2=\xE8\xB5\xA4\nbad=\xFF\n"));
    EXPECT_EQ(doc.read("表示", "色"), "赤");
    EXPECT_EQ(doc.read("表示", "bad"), "?");
    ASSERT_TRUE(doc.write("表示", "色", "地図"));
    ASSERT_TRUE(doc.write("表示", "x", "\x81"));
    EXPECT_EQ(textOf(doc), "\xEF\xBB\xBF[\xE8\xA1\xA8\xE7\xA4\xBA]\n\xE8\x89\xB2=\xE5\x9C\xB0\xE5\x9B\xB3\n"
                           "bad=\xFF\nx=\xE3\x83\xBB\n");
    EXPECT_EQ(doc.read("表示", "色"), "地図");
}

} // namespace
} // namespace tav
