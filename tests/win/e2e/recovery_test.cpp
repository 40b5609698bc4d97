// Recovery copies in the real program: a map edited and then ended by force comes back at the next start,
// and saving, a new map, opening a map and a normal exit leave no copy behind.
#include <windows.h>

#include <dlgs.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/document/map_document.h"
#include "model/document/map_file.h"
#include "model/document/palette_storage.h"
#include "resource.h"
#include "support/dialog_driver.h"
#include "support/program_run.h"
#include "support/recording_prompter.h"
#include "support/map_files.h"
#include "support/temp_folder.h"
#include "win/platform/text.h"
#include "win/platform/win32_file_system.h"

namespace tav::test {
namespace {

std::vector<std::wstring> filesIn(const FilePath& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((win::widen(folder) + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// A copy and its record, both whole.
bool copyWritten(const FilePath& folder) {
    const auto names = filesIn(folder);
    return names.size() == 2;
}

void press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// A left click inside the cell at the view's top-left corner: room mark 1 lands there.
void clickFirstVisibleCell(HWND main) {
    HWND view = GetDlgItem(main, IDC_MAP_VIEW);
    const LPARAM point = MAKELPARAM(25 + 17, 25 + 17);
    PostMessageW(view, WM_MOUSEMOVE, 0, point);
    PostMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(view, WM_LBUTTONUP, 0, point);
}

HWND fileDialog(ProgramRun& run, HWND main) {
    return waitForProcessWindow(run.processId(), 15000, [main](HWND window) {
        return window != main && (GetDlgItem(window, cmb13) || GetDlgItem(window, edt1));
    });
}

int shownWidth(HWND main) {
    BOOL ok = FALSE;
    return static_cast<int>(GetDlgItemInt(main, IDC_WIDTH_TEXT, &ok, FALSE));
}

// Answers the program's question that holds the text.
bool answer(ProgramRun& run, const char* text, int button) {
    HWND box = run.messageBox();
    if (!box || windowText(GetDlgItem(box, IDC_MESSAGE_TEXT)).find(win::widen(text)) == std::wstring::npos)
        return false;
    press(box, button);
    return true;
}

class RecoveryRun : public ::testing::Test {
protected:
    TempFolder folder{u"recovery"};
    FilePath copies;
    FilePath map;

    void SetUp() override {
        ASSERT_FALSE(folder.path().empty());
        copies = folder.path() + u"Recovery\\";
        ASSERT_TRUE(CreateDirectoryW(win::widen(folder.path() + u"DATA").c_str(), nullptr));
        map = folder.path() + u"DATA\\castle.MED";
        writeMapFile(map);
        ASSERT_TRUE(writeBytes(folder.path() + u"Tavrosin.ini", "[AUTOSAVE]\r\nINTERVAL=1\r\n"));
    }
};

TEST_F(RecoveryRun, EditsComeBackAfterTheProgramIsEndedByForceAndSaveWritesTheOriginal) {
    {
        ProgramRun run(folder.path(), L"\"" + win::widen(map) + L"\"");
        HWND main = run.mainWindow();
        ASSERT_TRUE(main);
        ASSERT_EQ(shownWidth(main), 7);
        clickFirstVisibleCell(main);
        PostMessageW(main, WM_COMMAND, IDC_CREATE_COMMENT, 0);
        ASSERT_TRUE(waitUntil([&] { return copyWritten(copies); }));
        // Past the interval: the copy holds both edits.
        Sleep(1500);
    } // ended by force

    ProgramRun run(folder.path());
    HWND question = run.messageBox();
    ASSERT_TRUE(question);
    const std::wstring text = windowText(GetDlgItem(question, IDC_MESSAGE_TEXT));
    EXPECT_NE(text.find(win::widen("保存されていない編集内容が見つかりました。")), std::wstring::npos)
        << text;
    EXPECT_NE(text.find(win::widen(map)), std::wstring::npos) << text;
    press(question, IDC_MESSAGE_YES);
    HWND main = run.mainWindow();
    ASSERT_TRUE(main);
    EXPECT_EQ(shownWidth(main), 7);

    // Save starts at the original file; the replace question comes from the platform's dialog.
    PostMessageW(main, WM_COMMAND, IDC_SAVE, 0);
    HWND dialog = fileDialog(run, main);
    ASSERT_TRUE(dialog);
    press(dialog, IDOK);
    HWND replace = waitForProcessWindow(run.processId(), 15000, [&](HWND window) {
        return window != dialog && window != main && GetDlgItem(window, IDYES);
    });
    ASSERT_TRUE(replace);
    press(replace, IDYES);
    ASSERT_TRUE(waitUntil([&] { return filesIn(copies).empty(); })) << "saving drops the copy";

    const std::string bytes = readBytes(map);
    ASSERT_GE(bytes.size(), 49832u + 4 * 35 + 4);
    EXPECT_EQ(bytes.substr(49824, 8), std::string("\x07\0\0\0\x05\0\0\0", 8));
    EXPECT_EQ(bytes.substr(49832, 4), std::string("\0\0\x01\0", 4)) << "the click";
    EXPECT_EQ(bytes.substr(49832 + 4 * (7 + 2), 4), std::string("\0\0\x03\0", 4)) << "what the file held";
    EXPECT_EQ(bytes.substr(49832 + 4 * 35, 4), std::string("\x01\0\0\0", 4)) << "the comment area";

    // Saved: exit asks nothing.
    PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
    EXPECT_TRUE(run.waitForExit());
}

TEST_F(RecoveryRun, NewOpenAndANormalExitLeaveNoCopyBehind) {
    ProgramRun run(folder.path());
    HWND main = run.mainWindow();
    ASSERT_TRUE(main);
    const auto editAndWaitForCopy = [&] {
        clickFirstVisibleCell(main);
        return waitUntil([&] { return copyWritten(copies); });
    };
    const char* discard = "現在のデータは無くなる事になります。";

    ASSERT_TRUE(editAndWaitForCopy());
    PostMessageW(main, WM_COMMAND, ID_FILE_NEW, 0);
    ASSERT_TRUE(answer(run, discard, IDC_MESSAGE_YES));
    EXPECT_TRUE(waitUntil([&] { return filesIn(copies).empty(); })) << "new";

    ASSERT_TRUE(editAndWaitForCopy());
    PostMessageW(main, WM_COMMAND, IDC_OPEN, 0);
    HWND dialog = fileDialog(run, main);
    ASSERT_TRUE(dialog);
    SendMessageW(GetDlgItem(dialog, GetDlgItem(dialog, cmb13) ? cmb13 : edt1), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(win::widen(map).c_str()));
    press(dialog, IDOK);
    ASSERT_TRUE(answer(run, discard, IDC_MESSAGE_YES));
    ASSERT_TRUE(waitUntil([&] { return shownWidth(main) == 7; }));
    EXPECT_TRUE(waitUntil([&] { return filesIn(copies).empty(); })) << "open";

    ASSERT_TRUE(editAndWaitForCopy());
    PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
    ASSERT_TRUE(answer(run, "保存せずに終わる事になります。", IDC_MESSAGE_YES));
    ASSERT_TRUE(run.waitForExit());
    EXPECT_TRUE(filesIn(copies).empty()) << "exit";
}

} // namespace
} // namespace tav::test
