#include "model/app/configuration.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "support/memory_file_system.h"
#include "support/memory_settings.h"

namespace tav {
namespace {

using test::MemoryFileSystem;
using test::MemorySettings;

struct IntCase {
    const char* text; // nullptr: the key is absent
    int expected;
};

int readWith(int (*read)(Settings&), const char* section, const char* key, const char* text) {
    MemorySettings settings;
    if (text)
        settings.values[{section, key}] = text;
    return read(settings);
}

TEST(Configuration, UndoDepthDefaultsAndClamps) {
    const std::string longJunk = std::string(300, '7') + "x";
    for (IntCase c : {IntCase{nullptr, 16},
                      {"", 16},
                      {"abc", 16},
                      {"12abc", 16},
                      {"0", 0},
                      {" 40 ", 40},
                      {"65535", 65535},
                      {"65536", 65535},
                      {"-5", 0},
                      {"99999999999999999999", 65535},
                      {"0x20", 32},
                      {"0x123456789", 16},
                      {longJunk.c_str(), 16}})
        EXPECT_EQ(readWith(config::readUndoDepth, "PROPERTY", "URDOMAX", c.text), c.expected)
            << (c.text ? c.text : "(absent)");
}

TEST(Configuration, CacheLimitDefaultsAndClamps) {
    for (IntCase c : {IntCase{nullptr, 10},
                      {"junk", 10},
                      {"0", 1},
                      {"-3", 1},
                      {"65535", 65535},
                      {"65536", 65535},
                      {"250", 250},
                      {"-99999999999", 1}})
        EXPECT_EQ(readWith(config::readCacheLimit, "CONFIG", "GDIMAX", c.text), c.expected)
            << (c.text ? c.text : "(absent)");
}

TEST(Configuration, MapSizeMaxDefaultsAndClamps) {
    for (IntCase c : {IntCase{nullptr, 61},
                      {" ", 61},
                      {"0", 1},
                      {"255", 255},
                      {"256", 255},
                      {"100", 100},
                      {"4294967296", 255}})
        EXPECT_EQ(readWith(config::readMapSizeMax, "CONFIG", "MAPSIZEMAX", c.text), c.expected)
            << (c.text ? c.text : "(absent)");
}

TEST(Configuration, AutosaveIntervalDefaultsToAMinuteAndZeroOrLessIsOff) {
    for (IntCase c : {IntCase{nullptr, 60}, {"", 60}, {"0", 0}, {"-5", 0}, {"15", 15}, {"999999", 86400}})
        EXPECT_EQ(readWith(config::readAutosaveInterval, "AUTOSAVE", "INTERVAL", c.text), c.expected)
            << (c.text ? c.text : "(absent)");
}

TEST(Configuration, StartMapIsAtMostThirtyOneCellsSquare) {
    EXPECT_EQ(config::startMapSide(1), 1);
    EXPECT_EQ(config::startMapSide(20), 20);
    EXPECT_EQ(config::startMapSide(30), 30);
    EXPECT_EQ(config::startMapSide(31), 31);
    EXPECT_EQ(config::startMapSide(32), 31);
    EXPECT_EQ(config::startMapSide(100), 31);
    EXPECT_EQ(config::startMapSide(200), 31);
}

TEST(Configuration, ColourWrittenAsHexReadsBackAsTheSameBits) {
    MemorySettings settings;
    for (std::uint32_t colour : {0xFF000000u, 0xFFFFFFFFu, 0x80000000u, 0x00FF8040u, 0u}) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%08X", colour);
        settings.writeString("COLOR", "LINE", text);
        EXPECT_EQ(static_cast<std::uint32_t>(settings.readInt("COLOR", "LINE", 7)), colour) << text;
    }
}

class LastFolder : public ::testing::Test {
protected:
    void SetUp() override {
        files.addDirectory(u"C:\\Tools\\DATA");
        files.addDirectory(u"D:\\maps\\表");
    }
    FilePath read() { return config::readLastFolder(settings, files, data); }
    MemorySettings settings;
    MemoryFileSystem files;
    const FilePath data = u"C:\\Tools\\DATA\\";
};

TEST_F(LastFolder, UsesTheStoredFolderWhenItExists) {
    config::writeLastFolder(settings, u"D:\\maps\\表\\");
    EXPECT_EQ((settings.values[{"SYSTEM", "PREPATH"}]), "D:\\maps\\表\\"); // CP932 bytes
    EXPECT_EQ(read(), u"D:\\maps\\表\\");
}

TEST_F(LastFolder, AFolderCp932CannotHoldLeavesTheStoredOne) {
    config::writeLastFolder(settings, u"D:\\maps\\表\\");
    config::writeLastFolder(settings, u"D:\\M\u00FCller\\");
    EXPECT_EQ((settings.values[{"SYSTEM", "PREPATH"}]), "D:\\maps\\表\\");
}

TEST_F(LastFolder, FallsBackToTheDataFolder) {
    EXPECT_EQ(read(), data) << "absent";
    settings.values[{"SYSTEM", "PREPATH"}] = "";
    EXPECT_EQ(read(), data) << "empty";
    settings.values[{"SYSTEM", "PREPATH"}] = "E:\\gone\\";
    EXPECT_EQ(read(), data) << "deleted folder";
    files.putFile(u"D:\\maps\\a.MED", "x");
    settings.values[{"SYSTEM", "PREPATH"}] = "D:\\maps\\a.MED";
    EXPECT_EQ(read(), data) << "a file, not a folder";
}

TEST(Configuration, ModuleFolderIsCutAtTheLastRealBackslash) {
    EXPECT_EQ(config::moduleFolderOf(u"C:\\Tools\\Tavrosin.exe"), u"C:\\Tools\\");
    // Both trail bytes below are 0x5C; only the backslash after the folder name is a separator.
    EXPECT_EQ(config::moduleFolderOf(u"C:\\地図表\\ソフト.exe"), u"C:\\地図表\\");
    EXPECT_EQ(config::moduleFolderOf(u"C:\\Tools\\表"), u"C:\\Tools\\");
    EXPECT_EQ(config::moduleFolderOf(u"Tavrosin.exe"), FilePath());
    EXPECT_EQ(config::dataFolderOf(u"C:\\表\\"), u"C:\\表\\DATA\\");
}

TEST(Configuration, HomePageIsBesideTheProgramUnlessItHasAScheme) {
    EXPECT_EQ(config::homePageOf(u"C:\\表\\", u"home\\index.html"), u"C:\\表\\home\\index.html");
    EXPECT_EQ(config::homePageOf(u"C:\\表\\", u"https://example.org/x"), u"https://example.org/x");
}

TEST(Configuration, EnsureDataFolderCreatesItOnlyWhenMissing) {
    MemoryFileSystem files;
    files.addDirectory(u"C:\\表");
    config::ensureDataFolder(files, u"C:\\表\\");
    EXPECT_TRUE(files.isDirectory(u"C:\\表\\DATA"));

    files.putFile(u"C:\\表\\DATA\\Start.mps", "keep");
    config::ensureDataFolder(files, u"C:\\表\\");
    EXPECT_TRUE(files.hasFile(u"C:\\表\\DATA\\Start.mps"));
}

TEST(Configuration, EnsureDataFolderIgnoresAFailure) {
    MemoryFileSystem files;
    files.addDirectory(u"C:\\Tools");
    files.failAt(1, FileCause::accessDenied); // the creation, after the existence check
    config::ensureDataFolder(files, u"C:\\Tools\\");
    EXPECT_FALSE(files.exists(u"C:\\Tools\\DATA"));
}

TEST(Configuration, HistorySettingsReadWithDefaultsAndWriteClamped) {
    MemorySettings settings;
    EXPECT_EQ(config::readHistorySettings(settings), config::HistorySettings{});
    EXPECT_EQ(config::readHistorySettings(settings).wallLimit, 256);
    EXPECT_EQ(config::readHistorySettings(settings).roomLimit, 64);

    // Only 1 turns a flag on; hand-edited limits stay within the dialog's range.
    settings.values[{"PROPERTY", "HISTORYADD"}] = "2";
    settings.values[{"PROPERTY", "HISTORYOVERLAP"}] = "1";
    settings.values[{"PROPERTY", "HISTORYDMAX"}] = "-4";
    settings.values[{"PROPERTY", "HISTORYBMAX"}] = "123456";
    config::HistorySettings read = config::readHistorySettings(settings);
    EXPECT_FALSE(read.keepOldestWhenFull);
    EXPECT_TRUE(read.allowDuplicates);
    EXPECT_EQ(read.wallLimit, 0);
    EXPECT_EQ(read.roomLimit, 9999);

    config::writeHistorySettings(settings, {10000, -1, true, false});
    EXPECT_EQ((settings.values[{"PROPERTY", "HISTORYDMAX"}]), "9999");
    EXPECT_EQ((settings.values[{"PROPERTY", "HISTORYBMAX"}]), "0");
    EXPECT_EQ((settings.values[{"PROPERTY", "HISTORYADD"}]), "1");
    EXPECT_EQ((settings.values[{"PROPERTY", "HISTORYOVERLAP"}]), "0");

    config::writeUndoDepth(settings, 300);
    EXPECT_EQ((settings.values[{"PROPERTY", "URDOMAX"}]), "255");
    EXPECT_EQ(config::readImageUndoDepth(settings), 20);
    settings.values[{"CONFIG", "IMAGEUNDOMAX"}] = "-1";
    EXPECT_EQ(config::readImageUndoDepth(settings), 0);
}

TEST(Configuration, ColourListKeepsItsDefaultsAndRoundTripsAsHex) {
    MemorySettings settings;
    const config::ColourList defaults = config::readColourList(settings);
    EXPECT_EQ(defaults[0], 0x000000u);
    EXPECT_EQ(defaults[4], 0x000080u);
    EXPECT_EQ(defaults[15], 0xFF00FFu);

    config::ColourList colours = defaults;
    colours[0] = 0x123456;
    colours[15] = 0xFFFFFF;
    config::writeColourList(settings, colours);
    EXPECT_EQ((settings.values[{"COLORLIST", "COLOR01"}]), "0x00123456");
    EXPECT_EQ((settings.values[{"COLORLIST", "COLOR16"}]), "0x00FFFFFF");
    EXPECT_EQ(config::readColourList(settings), colours);

    // Junk keeps the default; a top byte never reaches a drawing call.
    settings.values[{"COLORLIST", "COLOR02"}] = "white";
    settings.values[{"COLORLIST", "COLOR03"}] = "0xFF0000FF";
    EXPECT_EQ(config::readColourList(settings)[1], 0xFFFFFFu);
    EXPECT_EQ(config::readColourList(settings)[2], 0x0000FFu);
}

TEST(Configuration, PageTextsStopAtTheProfileBufferWithoutSplittingACharacter) {
    MemorySettings settings;
    EXPECT_EQ(config::readPageTexts(settings), config::PageTexts{});
    config::PageTexts texts;
    texts.header = {"左", "中央", "右"};
    texts.footer = {"", "p", "表"};
    config::writePageTexts(settings, texts);
    EXPECT_EQ((settings.values[{"PRINT", "HEADER02"}]), "中央");
    EXPECT_EQ(config::readPageTexts(settings), texts);

    // 4094 single bytes then a double-byte character that would end at byte 4096.
    settings.values[{"PRINT", "FOOTER01"}] = std::string(4094, 'a') + "表表";
    EXPECT_EQ(config::readPageTexts(settings).footer[0], std::string(4094, 'a'));
}

} // namespace
} // namespace tav
