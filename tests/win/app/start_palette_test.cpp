// The start palette as the real program makes it at start-up from the shipped base palette.
#include <gtest/gtest.h>

#include "resource.h"
#include "support/dialog_driver.h"
#include "support/program_run.h"
#include "support/temp_folder.h"
#include "win/platform/text.h"

namespace tav::test {
namespace {

// Starts the program, waits for its main window and closes it.
bool startAndClose(const FilePath& folder) {
    ProgramRun run(folder);
    HWND main = run.mainWindow();
    if (!main)
        return false;
    PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
    return run.waitForExit();
}

std::string expectedStart(const std::string& base) {
    std::string start = base;
    if (start.size() >= 4)
        start.replace(0, 4, "PS00");
    return start;
}

TEST(StartPalette, MissingStartPaletteIsMadeFromTheBase) {
    TempFolder folder(u"start");
    ASSERT_TRUE(startAndClose(folder.path()));
    std::string base = readBytes(folder.path() + u"Base.mpb");
    ASSERT_EQ(base.size(), 49824u);
    EXPECT_EQ(base.substr(0, 4), "PB00");
    EXPECT_EQ(readBytes(folder.path() + u"Start.mps"), expectedStart(base));
}

TEST(StartPalette, ReadOnlyBaseGivesAWritableStartPalette) {
    TempFolder folder(u"readonly");
    std::string base = readBytes(builtProgramFolder() + u"Base.mpb");
    ASSERT_TRUE(writeBytes(folder.path() + u"Base.mpb", base));
    SetFileAttributesW(win::widen(folder.path() + u"Base.mpb").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(startAndClose(folder.path()));
    DWORD attributes = GetFileAttributesW(win::widen(folder.path() + u"Start.mps").c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(attributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(readBytes(folder.path() + u"Start.mps"), expectedStart(base));
    SetFileAttributesW(win::widen(folder.path() + u"Base.mpb").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(StartPalette, StartPaletteOfTheWrongLengthIsRebuilt) {
    TempFolder folder(u"length");
    std::string base = readBytes(builtProgramFolder() + u"Base.mpb");
    ASSERT_TRUE(writeBytes(folder.path() + u"Base.mpb", base));
    for (std::string wrong : {expectedStart(base).substr(0, base.size() - 1), expectedStart(base) + "x"}) {
        ASSERT_TRUE(writeBytes(folder.path() + u"Start.mps", wrong));
        ASSERT_TRUE(startAndClose(folder.path()));
        EXPECT_EQ(readBytes(folder.path() + u"Start.mps"), expectedStart(base)) << wrong.size();
    }
}

TEST(StartPalette, WithoutAnyPaletteTheProgramSaysSoAndEnds) {
    TempFolder folder(u"none");
    ProgramRun run(folder.path(), L"", false);
    HWND message = run.messageBox();
    ASSERT_NE(message, nullptr);
    std::wstring text = windowText(GetDlgItem(message, IDC_MESSAGE_TEXT));
    EXPECT_NE(text.find(win::widen(folder.path() + u"Base.mpb")), std::wstring::npos);
    PostMessageW(message, WM_COMMAND, IDC_MESSAGE_YES, 0);
    EXPECT_TRUE(run.waitForExit());
    EXPECT_EQ(run.mainWindow(0), nullptr);
}

} // namespace
} // namespace tav::test
