#include "model/output/export_command.h"

#include <gtest/gtest.h>

namespace tav {
namespace {

CommandLine parse(std::vector<std::u16string> words) {
    std::vector<FilePath> arguments;
    for (auto& w : words)
        arguments.emplace_back(std::move(w));
    return parseCommandLine(arguments);
}

TEST(CommandLine, AMapNameOrNothingOpensAndQuestionMarkAsksForUsage) {
    EXPECT_EQ(parse({}).kind, CommandLine::Kind::open);
    const CommandLine open = parse({u"C:\\maps\\a.med"});
    EXPECT_EQ(open.kind, CommandLine::Kind::open);
    EXPECT_EQ(open.file, FilePath(u"C:\\maps\\a.med"));
    EXPECT_EQ(parse({u"/?"}).kind, CommandLine::Kind::usage);
    EXPECT_EQ(parse({u"/EXPORT", u"a.bmp", u"/?"}).kind, CommandLine::Kind::usage);
    EXPECT_FALSE(commandLineUsage().empty());
}

TEST(CommandLine, ExportTakesTheDialogsDefaultsAndTheFormatFromTheExtension) {
    CommandLine line = parse({u"/export", u"out.BMP", u"a.med"});
    ASSERT_EQ(line.kind, CommandLine::Kind::exportImage);
    EXPECT_EQ(line.output, FilePath(u"out.BMP"));
    EXPECT_EQ(line.file, FilePath(u"a.med"));
    EXPECT_EQ(line.options, ExportOptions{});

    line = parse({u"/Export", u"o.png", u"a.med"});
    EXPECT_EQ(line.options.format, ImageFormat::png);
    EXPECT_EQ(parse({u"/export", u"o.jpg", u"a.med"}).options.format, ImageFormat::jpeg);
    EXPECT_EQ(parse({u"/export", u"o.Jpeg", u"a.med"}).options.format, ImageFormat::jpeg);
    EXPECT_EQ(parse({u"/export", u"o.gif", u"a.med"}).kind, CommandLine::Kind::bad);
}

TEST(CommandLine, OptionsChangeTheDefaults) {
    CommandLine line = parse({u"/export", u"/wide", u"o.bmp", u"/rulers:tB", u"a.med", u"/bits:8",
                              u"/scale:150", u"/METHOD:bilinear"});
    ASSERT_EQ(line.kind, CommandLine::Kind::exportImage) << line.error;
    EXPECT_TRUE(line.options.wide);
    EXPECT_TRUE(line.options.topBand && line.options.bottomBand);
    EXPECT_FALSE(line.options.leftBand || line.options.rightBand);
    EXPECT_EQ(line.options.bits, 8);
    EXPECT_EQ(line.options.percent, 100); // clamped as the edit does
    EXPECT_EQ(line.options.method, ScaleMethod::bilinear);
    EXPECT_EQ(line.file, FilePath(u"a.med"));

    line = parse({u"/export", u"o.bmp", u"a.med", u"/rulers:", u"/scale:7", u"/method:nearest"});
    EXPECT_FALSE(line.options.topBand || line.options.leftBand || line.options.rightBand ||
                 line.options.bottomBand);
    EXPECT_EQ(line.options.percent, 25);
    EXPECT_EQ(line.options.method, ScaleMethod::nearest);
}

TEST(CommandLine, PrintTakesExactlyOneMap) {
    const CommandLine line = parse({u"/P", u"C:\\maps\\a.med"});
    EXPECT_EQ(line.kind, CommandLine::Kind::print);
    EXPECT_EQ(line.file, FilePath(u"C:\\maps\\a.med"));
    for (const auto& words : std::vector<std::vector<std::u16string>>{
             {u"/p"}, {u"/p", u"a.med", u"b.med"}, {u"/p", u"/wide"}, {u"/p", u""}}) {
        const CommandLine bad = parse(words);
        EXPECT_EQ(bad.kind, CommandLine::Kind::bad) << words.size();
        EXPECT_FALSE(bad.error.empty());
    }
}

TEST(CommandLine, WrongWordsAreRefusedWithAReason) {
    for (const auto& words : std::vector<std::vector<std::u16string>>{
             {u"/export"},
             {u"/export", u"o.bmp"},
             {u"/export", u"o.bmp", u"a.med", u"b.med"},
             {u"/export", u"o.bmp", u"a.med", u"/bits:12"},
             {u"/export", u"o.bmp", u"a.med", u"/bits:x"},
             {u"/export", u"o.bmp", u"a.med", u"/scale:"},
             {u"/export", u"o.bmp", u"a.med", u"/rulers:TX"},
             {u"/export", u"o.bmp", u"a.med", u"/method:cubic"},
             {u"/export", u"o.bmp", u"a.med", u"/wider"},
         }) {
        const CommandLine line = parse(words);
        EXPECT_EQ(line.kind, CommandLine::Kind::bad) << words.size();
        EXPECT_FALSE(line.error.empty());
    }
}

} // namespace
} // namespace tav
