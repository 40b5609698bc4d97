#include "win/platform/win32_file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/temp_folder.h"
#include "model/platform/ini_file_settings.h"

namespace tav::win {
namespace {

TEST(Win32FileSystem, FailuresCarryThePlatformCause) {
    test::TempFolder folder(u"fs");
    Win32FileSystem files;
    FileCause cause = FileCause::none;
    EXPECT_EQ(files.open(folder.path() + u"missing.MED", OpenMode::read, cause), nullptr);
    EXPECT_EQ(cause, FileCause::fileNotFound);
    EXPECT_EQ(files.open(folder.path() + u"no\\such\\folder\\a.MED", OpenMode::create, cause), nullptr);
    EXPECT_EQ(cause, FileCause::badPath);

    const FilePath locked = folder.path() + u"locked.MED";
    ASSERT_TRUE(test::writeBytes(locked, "old"));
    ASSERT_EQ(files.setAttributes(locked, attr::readOnly), FileCause::none);
    EXPECT_EQ(files.open(locked, OpenMode::create, cause), nullptr);
    EXPECT_EQ(cause, FileCause::accessDenied);
    EXPECT_EQ(test::readBytes(locked), "old");
    EXPECT_EQ(files.remove(locked), FileCause::accessDenied);
    EXPECT_EQ(files.copy(folder.path() + u"locked.MED", locked, false), FileCause::accessDenied);
    EXPECT_TRUE(test::writeBytes(folder.path() + u"other", "x"));
    EXPECT_EQ(files.move(folder.path() + u"other", locked), FileCause::accessDenied);
    EXPECT_EQ(test::readBytes(locked), "old");
    files.setAttributes(locked, attr::archive);
}

TEST(Win32FileSystem, WritesReadsAndReplaces) {
    test::TempFolder folder(u"表fs");
    if (folder.path().empty())
        GTEST_SKIP() << "this file system cannot hold Japanese names (an ASCII-only locale under Wine)";
    Win32FileSystem files;
    const FilePath path = folder.path() + u"地図ソ.MED";
    FileCause cause = FileCause::generic;
    auto file = files.open(path, OpenMode::create, cause);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->write("abcdef", 6), FileCause::none);
    EXPECT_EQ(file->setLength(4), FileCause::none);
    EXPECT_EQ(file->flush(), FileCause::none);
    std::uint64_t size = 0;
    EXPECT_EQ(file->length(size), FileCause::none);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(file->seek(1), FileCause::none);
    char buffer[8] = {};
    EXPECT_EQ(file->readExact(buffer, 3), FileCause::none);
    EXPECT_EQ(std::string(buffer, 3), "bcd");
    EXPECT_EQ(file->readExact(buffer, 1), FileCause::endOfFile);
    EXPECT_EQ(file->close(), FileCause::none);

    EXPECT_TRUE(files.exists(path));
    EXPECT_TRUE(files.isDirectory(folder.path()));
    EXPECT_FALSE(files.isDirectory(path));
    EXPECT_EQ(files.copy(path, path + u"bak", true), FileCause::none);
    EXPECT_EQ(files.copy(path, path + u"bak", true), FileCause::accessDenied);
    test::writeBytes(path, "new");
    EXPECT_EQ(files.move(path + u"bak", path), FileCause::none);
    EXPECT_EQ(test::readBytes(path), "abcd");
    EXPECT_FALSE(files.exists(path + u"bak"));
    EXPECT_EQ(files.remove(path), FileCause::none);
    EXPECT_EQ(files.remove(path), FileCause::fileNotFound);
    EXPECT_EQ(files.createDirectory(folder.path() + u"DATA"), FileCause::none);
    EXPECT_TRUE(files.isDirectory(folder.path() + u"DATA\\"));
}

// The configuration file on the real disk holds CP932 whatever the system's code page is.
TEST(Win32FileSystem, ListsTheFilesOfAFolderButNotItsFolders) {
    test::TempFolder folder(u"list");
    Win32FileSystem files;
    std::vector<std::u16string> names{u"stale"};
    EXPECT_EQ(files.listFiles(folder.path(), names), FileCause::none);
    EXPECT_TRUE(names.empty());
    ASSERT_TRUE(test::writeBytes(folder.path() + u"a.own", "1"));
    ASSERT_TRUE(test::writeBytes(folder.path() + u"M\u00FCller.MED", "2"));
    ASSERT_EQ(files.createDirectory(folder.path() + u"sub"), FileCause::none);
    EXPECT_EQ(files.listFiles(folder.path(), names), FileCause::none);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"M\u00FCller.MED", u"a.own"}));
    EXPECT_NE(files.listFiles(folder.path() + u"missing\\", names), FileCause::none);
    EXPECT_TRUE(names.empty());
}

TEST(ConfigurationFile, TellsAbsentFromEmptyAndKeepsCp932Text) {
    test::TempFolder folder(u"ini");
    Win32FileSystem files;
    IniFileSettings settings(files, folder.path() + u"Tavrosin.ini");
    EXPECT_FALSE(settings.readString("PRINT", "HEADER01").has_value());
    EXPECT_EQ(settings.readInt("PROPERTY", "URDOMAX", 16), 16);
    ASSERT_TRUE(settings.writeString("PRINT", "HEADER01", ""));
    EXPECT_EQ(settings.readString("PRINT", "HEADER01"), std::optional<std::string>(""));
    ASSERT_TRUE(settings.writeInt("PROPERTY", "URDOMAX", -7));
    EXPECT_EQ(settings.readInt("PROPERTY", "URDOMAX", 16), -7);
    ASSERT_TRUE(settings.writeString("COLORLIST", "COLOR01", "0xFF000000"));
    EXPECT_EQ(static_cast<unsigned>(settings.readInt("COLORLIST", "COLOR01", 0)), 0xFF000000u);
    ASSERT_TRUE(settings.writeString("PRINT", "FOOTER01", "表ソ 1"));
    EXPECT_NE(test::readBytes(folder.path() + u"Tavrosin.ini").find("\r\nFOOTER01=\x95\x5C\x83\x5C 1\r\n"),
              std::string::npos);
    EXPECT_FALSE(files.exists(folder.path() + u"Tavrosin.ini.tmp"));
}

} // namespace
} // namespace tav::win
