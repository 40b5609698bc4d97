// Start-up of the real program in a program folder of its own: configuration, folders, and the
// last folder written back at exit.
#include <gtest/gtest.h>

#include "resource.h"
#include "support/dialog_driver.h"
#include "support/program_run.h"
#include "support/temp_folder.h"
#include "win/platform/text.h"

namespace tav::test {
namespace {

struct RunResult {
    bool shown = false;
    int width = -1;
    int height = -1;
    bool exited = false;
};

// Starts the program, reads the map size it shows, and closes it with its exit button.
RunResult runOnce(const FilePath& folder) {
    RunResult result;
    ProgramRun run(folder);
    HWND main = run.mainWindow();
    result.shown = main != nullptr;
    if (!main)
        return result;
    BOOL ok = FALSE;
    result.width = static_cast<int>(GetDlgItemInt(main, IDC_WIDTH_TEXT, &ok, FALSE));
    result.height = static_cast<int>(GetDlgItemInt(main, IDC_HEIGHT_TEXT, &ok, FALSE));
    PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
    result.exited = run.waitForExit();
    return result;
}

bool isFolder(const FilePath& path) {
    DWORD attributes = GetFileAttributesW(win::widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(Startup, FirstRunMakesDataFolderAndWritesOnlyTheLastFolder) {
    TempFolder folder(u"first");
    RunResult run = runOnce(folder.path());
    ASSERT_TRUE(run.shown);
    EXPECT_EQ(run.width, 31);
    EXPECT_EQ(run.height, 31);
    EXPECT_TRUE(run.exited);
    EXPECT_TRUE(isFolder(folder.path() + u"DATA"));
    EXPECT_EQ(readBytes(folder.path() + u"Tavrosin.ini"),
              "[SYSTEM]\r\nPREPATH=" + folder.path().text() + "DATA\\\r\n");
}

TEST(Startup, MapSizeLimitGivesTheStartMapSide) {
    TempFolder folder(u"size");
    writeBytes(folder.path() + u"Tavrosin.ini", "[CONFIG]\r\nMAPSIZEMAX=20\r\n");
    RunResult small = runOnce(folder.path());
    EXPECT_EQ(small.width, 20);
    EXPECT_EQ(small.height, 20);
    writeBytes(folder.path() + u"Tavrosin.ini", "[CONFIG]\r\nMAPSIZEMAX=200\r\n");
    RunResult large = runOnce(folder.path());
    EXPECT_EQ(large.width, 31);
    // Only PREPATH is added; the hand-written key stays.
    EXPECT_NE(readBytes(folder.path() + u"Tavrosin.ini").find("MAPSIZEMAX=200"), std::string::npos);
}

TEST(Startup, GarbageConfigurationFallsBackToDefaults) {
    TempFolder folder(u"garbage");
    std::string ini =
        "[PROPERTY]\r\nURDOMAX=abc\r\n[CONFIG]\r\nGDIMAX=-5\r\nMAPSIZEMAX=99999999999999999999\r\n"
        "[SYSTEM]\r\nPREPATH=" +
        std::string(6000, 'x') + "\r\n";
    writeBytes(folder.path() + u"Tavrosin.ini", ini);
    RunResult run = runOnce(folder.path());
    ASSERT_TRUE(run.shown);
    EXPECT_EQ(run.width, 31);
    EXPECT_TRUE(run.exited);
    EXPECT_NE(
        readBytes(folder.path() + u"Tavrosin.ini").find("PREPATH=" + folder.path().text() + "DATA\\\r\n"),
        std::string::npos);

    writeBytes(folder.path() + u"Tavrosin.ini", "[CONFIG]\r\nMAPSIZEMAX=-3\r\n");
    RunResult negative = runOnce(folder.path());
    EXPECT_EQ(negative.width, 1);
}

TEST(Startup, LastFolderNamingNoFolderGivesData) {
    TempFolder folder(u"gone");
    writeBytes(folder.path() + u"Tavrosin.ini",
               "[SYSTEM]\r\nPREPATH=" + folder.path().text() + "deleted\r\n");
    runOnce(folder.path());
    EXPECT_EQ(readBytes(folder.path() + u"Tavrosin.ini"),
              "[SYSTEM]\r\nPREPATH=" + folder.path().text() + "DATA\\\r\n");
}

TEST(Startup, JapaneseFoldersSurvive) {
    // The program folder itself has a name whose CP932 bytes hold 0x5C trail bytes.
    TempFolder outer(u"jp");
    const FilePath programFolder = outer.path() + u"表ソ\\";
    if (!CreateDirectoryW(win::widen(programFolder).c_str(), nullptr))
        GTEST_SKIP() << "this file system cannot hold Japanese names (an ASCII-only locale under Wine)";
    const FilePath maps = outer.path() + u"地図表\\";
    ASSERT_TRUE(CreateDirectoryW(win::widen(maps).c_str(), nullptr));
    // A Unicode profile keeps the characters whatever the system code page is.
    std::wstring ini = L"\xFEFF[SYSTEM]\r\nPREPATH=" + win::widen(maps) + L"\r\n";
    writeBytes(programFolder + u"Tavrosin.ini",
               std::string(reinterpret_cast<const char*>(ini.data()), ini.size() * sizeof(wchar_t)));
    RunResult run = runOnce(programFolder);
    ASSERT_TRUE(run.shown);
    EXPECT_TRUE(run.exited);
    EXPECT_TRUE(isFolder(programFolder + u"DATA"));
    std::string written = readBytes(programFolder + u"Tavrosin.ini");
    std::wstring expected = L"PREPATH=" + win::widen(maps);
    EXPECT_NE(
        std::wstring(reinterpret_cast<const wchar_t*>(written.data()), written.size() / 2).find(expected),
        std::wstring::npos);
}

} // namespace
} // namespace tav::test
