// The main window of the real program: start map, command line, the open, save and exit flows, and the
// idle enabling of Undo and Redo, driven from outside as a user would.
#include <windows.h>

#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "model/document/map_document.h"
#include "model/document/map_file.h"
#include "model/document/palette_block.h"
#include "model/document/palette_storage.h"
#include "resource.h"
#include "support/dialog_driver.h"
#include "support/map_files.h"
#include "support/dib_canvas.h"
#include "support/program_run.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"
#include "win/platform/handles.h"
#include "win/platform/text.h"
#include "win/platform/win32_file_system.h"

namespace tav::test {
namespace {

struct Size {
    int width = -1;
    int height = -1;
};

Size shownSize(HWND main) {
    BOOL ok = FALSE;
    return {static_cast<int>(GetDlgItemInt(main, IDC_WIDTH_TEXT, &ok, FALSE)),
            static_cast<int>(GetDlgItemInt(main, IDC_HEIGHT_TEXT, &ok, FALSE))};
}

// A left click inside the cell at the view's top-left corner: the current room mark (slot 1) lands there.
void clickFirstVisibleCell(HWND main) {
    HWND view = GetDlgItem(main, IDC_MAP_VIEW);
    const LPARAM point = MAKELPARAM(25 + 17, 25 + 17);
    PostMessageW(view, WM_MOUSEMOVE, 0, point);
    PostMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(view, WM_LBUTTONUP, 0, point);
}

bool enabled(HWND main, int id) {
    return IsWindowEnabled(GetDlgItem(main, id)) != FALSE;
}

// The platform's file dialog of the program, once shown.
HWND fileDialog(ProgramRun& run, HWND main) {
    return waitForProcessWindow(run.processId(), 15000, [main](HWND window) {
        return window != main && (GetDlgItem(window, cmb13) || GetDlgItem(window, edt1));
    });
}

// Types the path into the file name box and presses OK.
void chooseFile(HWND dialog, const FilePath& path) {
    HWND name = GetDlgItem(dialog, cmb13);
    if (!name)
        name = GetDlgItem(dialog, edt1);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(win::widen(path).c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// Opens the path through the open dialog; true once the 7x5 map it holds is shown.
bool openThroughDialog(ProgramRun& run, HWND main, const FilePath& path) {
    PostMessageW(main, WM_COMMAND, IDC_OPEN, 0);
    HWND dialog = fileDialog(run, main);
    if (!dialog)
        return false;
    chooseFile(dialog, path);
    return waitUntil([&] { return shownSize(main).width == 7; });
}

TEST(MainWindowRun, ExitWithUnsavedChangesAsksAndNoKeepsTheWindowOpen) {
    TempFolder folder(u"exit");
    ProgramRun run(folder.path());
    HWND main = run.mainWindow();
    ASSERT_TRUE(main);
    // Undo and Redo follow the journal on every idle pass.
    EXPECT_FALSE(enabled(main, IDC_UNDO));
    EXPECT_FALSE(enabled(main, IDC_REDO));
    clickFirstVisibleCell(main);
    ASSERT_TRUE(waitUntil([&] { return enabled(main, IDC_UNDO); }));
    EXPECT_FALSE(enabled(main, IDC_REDO));
    PostMessageW(main, WM_COMMAND, IDC_UNDO, 0);
    ASSERT_TRUE(waitUntil([&] { return enabled(main, IDC_REDO); }));
    EXPECT_FALSE(enabled(main, IDC_UNDO));
    PostMessageW(main, WM_COMMAND, IDC_REDO, 0);
    ASSERT_TRUE(waitUntil([&] { return enabled(main, IDC_UNDO) && !enabled(main, IDC_REDO); }));

    PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
    HWND question = run.messageBox();
    ASSERT_TRUE(question);
    EXPECT_NE(
        windowText(GetDlgItem(question, IDC_MESSAGE_TEXT)).find(win::widen("保存せずに終わる事になります。")),
        std::wstring::npos);
    PostMessageW(question, WM_COMMAND, IDC_MESSAGE_NO,
                 reinterpret_cast<LPARAM>(GetDlgItem(question, IDC_MESSAGE_NO)));
    EXPECT_FALSE(run.waitForExit(1500));
    EXPECT_TRUE(IsWindow(main));

    // The close box asks the same; "はい" ends the program.
    PostMessageW(main, WM_COMMAND, IDCANCEL, 0);
    question = run.messageBox();
    ASSERT_TRUE(question);
    PostMessageW(question, WM_COMMAND, IDC_MESSAGE_YES,
                 reinterpret_cast<LPARAM>(GetDlgItem(question, IDC_MESSAGE_YES)));
    EXPECT_TRUE(run.waitForExit());
}

TEST(MainWindowRun, CommandLineOpensMedFilesAndSaysWhyAnythingElseFails) {
    TempFolder folder(u"cmd");
    const FilePath med = folder.path() + u"x.med";
    writeMapFile(med);
    ASSERT_TRUE(CopyFileW(win::widen(med).c_str(), win::widen(folder.path() + u"x.map").c_str(), FALSE));

    struct Case {
        const char16_t* name;
        const char* why; // the message's last line, or none when the map opens
    };
    for (const Case& c : {Case{u"x.med", nullptr}, Case{u"x.map", "は不正なフォーマットです。"},
                          Case{u"gone.MED", "指定されたファイルは存在しません。"}}) {
        const FilePath path = folder.path() + c.name;
        SCOPED_TRACE(path.text());
        ProgramRun run(folder.path(), L"\"" + win::widen(path) + L"\"");
        if (c.why) {
            // The message names the file and the reason; the start map follows.
            HWND message = run.messageBox();
            ASSERT_TRUE(message);
            const std::wstring text = windowText(GetDlgItem(message, IDC_MESSAGE_TEXT));
            EXPECT_NE(text.find(win::widen(path)), std::wstring::npos);
            EXPECT_NE(text.find(win::widen(c.why)), std::wstring::npos);
            PostMessageW(message, WM_COMMAND, IDC_MESSAGE_YES,
                         reinterpret_cast<LPARAM>(GetDlgItem(message, IDC_MESSAGE_YES)));
        }
        HWND main = run.mainWindow();
        ASSERT_TRUE(main);
        const Size size = shownSize(main);
        EXPECT_EQ(size.width, c.why ? 31 : 7);
        EXPECT_EQ(size.height, c.why ? 31 : 5);
        // A loaded map is not modified: exit asks nothing.
        PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
        EXPECT_TRUE(run.waitForExit());
    }
}

TEST(MainWindowRun, OpenDialogLoadsTheMapAndRemembersItsFolder) {
    TempFolder folder(u"open");
    const FilePath maps = folder.path() + u"maps\\";
    ASSERT_TRUE(CreateDirectoryW(win::widen(maps).c_str(), nullptr));
    writeMapFile(maps + u"Dungeon.MeD");
    ProgramRun run(folder.path());
    HWND main = run.mainWindow();
    ASSERT_TRUE(main);

    ASSERT_TRUE(openThroughDialog(run, main, maps + u"Dungeon.MeD"));
    EXPECT_EQ(shownSize(main).height, 5);
    // Both bars are sized for the new map: 7x5 fits in the window, so neither scrolls.
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(GetScrollInfo(GetDlgItem(main, IDC_HSCROLL), SB_CTL, &info));
    EXPECT_EQ(info.nMax - static_cast<int>(info.nPage) + 1, 0);

    PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
    ASSERT_TRUE(run.waitForExit());
    EXPECT_NE(readBytes(folder.path() + u"Tavrosin.ini").find("PREPATH=" + maps.text() + "\r\n"),
              std::string::npos);
}

TEST(MainWindowRun, SaveDialogWritesTheEditedMap) {
    TempFolder folder(u"save");
    ProgramRun run(folder.path());
    HWND main = run.mainWindow();
    ASSERT_TRUE(main);
    const int column = GetScrollPos(GetDlgItem(main, IDC_HSCROLL), SB_CTL);
    const int row = GetScrollPos(GetDlgItem(main, IDC_VSCROLL), SB_CTL);
    EXPECT_EQ(column, 10); // the 31x31 start map, centred
    EXPECT_EQ(row, 10);
    clickFirstVisibleCell(main);
    ASSERT_TRUE(waitUntil([&] { return enabled(main, IDC_UNDO); }));

    PostMessageW(main, WM_COMMAND, IDC_SAVE, 0);
    HWND dialog = fileDialog(run, main);
    ASSERT_TRUE(dialog);
    const FilePath path = folder.path() + u"DATA\\saved"; // the extension comes from the dialog
    chooseFile(dialog, path);
    ASSERT_TRUE(waitUntil([&] { return readBytes(path + u".MED").size() == 49832u + 4 * 31 * 31 + 4; }));

    const std::string bytes = readBytes(path + u".MED");
    EXPECT_EQ(bytes.substr(0, 4), "ED00");
    EXPECT_EQ(bytes.substr(49824, 8), std::string("\x1F\0\0\0\x1F\0\0\0", 8));
    // Only the clicked cell holds something: room mark 1.
    const std::size_t clicked = 49832 + 4 * (static_cast<std::size_t>(row) * 31 + column);
    EXPECT_EQ(bytes.substr(clicked, 4), std::string("\0\0\x01\0", 4));
    EXPECT_EQ(bytes.find_first_not_of('\0', 49832), clicked + 2);
    EXPECT_EQ(bytes.find_first_not_of('\0', clicked + 3), std::string::npos);

    // Saved: the modified flag is gone, so exit asks nothing.
    PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
    EXPECT_TRUE(run.waitForExit());
}

// Folder names Windows allows and CP932 cannot all hold: Latin letters, a circled digit, a character
// beyond the Basic Multilingual Plane.
const char16_t* const unusualFolders[] = {u"M\u00FCller \u00C6gir", u"地図 ①", u"maps \U0001F5FA"};

FILETIME lastWrite(const FilePath& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(win::widen(path).c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// Dates the file back, so a save over it shows in its time even when its bytes stay the same.
void ageFile(const FilePath& path) {
    win::FileHandle file(
        CreateFileW(win::widen(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    const FILETIME old{0x10000000, 0x01B00000}; // early 1990s
    SetFileTime(file.get(), nullptr, nullptr, &old);
}

// Saves the open map over its own file through the save dialog, answering the replace question.
void saveOverItself(ProgramRun& run, HWND main, const FilePath& path) {
    ageFile(path);
    const FILETIME before = lastWrite(path);
    PostMessageW(main, WM_COMMAND, IDC_SAVE, 0);
    HWND dialog = fileDialog(run, main);
    ASSERT_TRUE(dialog);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    HWND replace = waitForProcessWindow(run.processId(), 15000, [&](HWND window) {
        return window != dialog && window != main && GetDlgItem(window, IDYES);
    });
    ASSERT_TRUE(replace);
    PostMessageW(replace, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(replace, IDYES)));
    ASSERT_TRUE(waitUntil([&] {
        const FILETIME now = lastWrite(path);
        return CompareFileTime(&before, &now) != 0;
    }));
}

TEST(MainWindowRun, MapsInFoldersOfAnyNameOpenAndSaveOverThemselves) {
    for (const char16_t* name : unusualFolders) {
        TempFolder program(u"anypath");
        const FilePath maps = program.path() + name + u"\\";
        SCOPED_TRACE(maps.text());
        ASSERT_TRUE(CreateDirectoryW(win::widen(maps).c_str(), nullptr));
        const FilePath path = maps + u"map.MED";
        writeMapFile(path);
        const std::string original = readBytes(path);
        ASSERT_FALSE(original.empty());
        const std::string dataFolder = program.path().text() + "DATA\\";
        writeBytes(program.path() + u"Tavrosin.ini", "[SYSTEM]\r\nPREPATH=" + dataFolder + "\r\n");

        {
            ProgramRun run(program.path(), L"\"" + win::widen(path) + L"\"");
            HWND main = run.mainWindow();
            ASSERT_TRUE(main);
            EXPECT_EQ(shownSize(main).width, 7);
            saveOverItself(run, main, path);
            PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
            EXPECT_TRUE(run.waitForExit());
        }
        EXPECT_EQ(readBytes(path), original);
        EXPECT_EQ(readBytes(path + u"bak"), "") << "the backup is gone";

        {
            ProgramRun run(program.path());
            HWND main = run.mainWindow();
            ASSERT_TRUE(main);
            ASSERT_TRUE(openThroughDialog(run, main, path));
            PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
            EXPECT_TRUE(run.waitForExit());
        }
        // The folder is kept only when CP932 can hold its name; otherwise the stored one stays.
        const std::string ini = readBytes(program.path() + u"Tavrosin.ini");
        const std::string expected = maps.storedText().value_or(dataFolder);
        EXPECT_NE(ini.find("PREPATH=" + expected + "\r\n"), std::string::npos) << ini;
    }
}

// The configuration file is CP932 on every system: a Japanese folder stored there is found under any
// locale, the open dialog starts in it, and the file keeps its bytes.
TEST(MainWindowRun, JapaneseLastFolderSurvivesAndTheOpenDialogStartsThere) {
    TempFolder program(u"prepath");
    const FilePath maps = program.path() + u"地図 ①\\";
    ASSERT_TRUE(CreateDirectoryW(win::widen(maps).c_str(), nullptr));
    writeMapFile(maps + u"start.MED");
    const std::string ini = "; hand-written\r\n[SYSTEM]\r\nPREPATH=" + *maps.storedText() + "\r\n";
    writeBytes(program.path() + u"Tavrosin.ini", ini);
    {
        ProgramRun run(program.path());
        HWND main = run.mainWindow();
        ASSERT_TRUE(main);
        ASSERT_TRUE(openThroughDialog(
            run, main, u"start.MED")); // a bare name: found only in the folder the dialog shows
        PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
        EXPECT_TRUE(run.waitForExit());
    }
    EXPECT_EQ(readBytes(program.path() + u"Tavrosin.ini"), ini);
}

void pressKey(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

TEST(MainWindowRun, KeysReachTheViewThroughTheKeyboardSwitchAndTheAccelerators) {
    TempFolder folder(u"keys");
    ProgramRun run(folder.path());
    HWND main = run.mainWindow();
    ASSERT_TRUE(main);
    HWND view = GetDlgItem(main, IDC_MAP_VIEW);
    HWND keyboard = GetDlgItem(main, IDC_KEYBOARD_EDIT);
    // The start state: palette shown, the view focused (so keyboard editing on), normal view, marker Type1.
    EXPECT_EQ(IsDlgButtonChecked(main, IDC_PALETTE_TOGGLE), BST_CHECKED);
    EXPECT_TRUE(waitUntil([&] { return IsDlgButtonChecked(main, IDC_KEYBOARD_EDIT) == BST_CHECKED; }, 3000));
    EXPECT_EQ(IsDlgButtonChecked(main, IDC_VIEW_MODE), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(main, IDC_MARKER_TYPE1), BST_CHECKED);

    // Keyboard editing off: X (room mark into the base cell) is held back from the view.
    SendMessageW(keyboard, BM_SETCHECK, BST_UNCHECKED, 0);
    pressKey(view, 'X');
    EXPECT_FALSE(waitUntil([&] { return enabled(main, IDC_UNDO); }, 700));
    SendMessageW(keyboard, BM_SETCHECK, BST_CHECKED, 0);
    pressKey(view, 'X');
    ASSERT_TRUE(waitUntil([&] { return enabled(main, IDC_UNDO); }));
    PostMessageW(main, WM_COMMAND, IDC_UNDO, 0);
    ASSERT_TRUE(waitUntil([&] { return !enabled(main, IDC_UNDO); }));

    // Delete pressed on a button goes through the main table to the view: the whole map is cleared.
    pressKey(GetDlgItem(main, IDC_SHOW_POSITION), VK_DELETE);
    EXPECT_TRUE(waitUntil([&] { return enabled(main, IDC_UNDO); }));
}

// The window as the screen shows it, saved for a person to look at.
void savePicture(HWND window, const std::string& name) {
    // The other process paints when its queue comes round to it.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    Sleep(300);
    RECT r{};
    GetWindowRect(window, &r);
    DibCanvas canvas(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.dc(), 0, 0, canvas.width(), canvas.height(), screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    const std::string folder = pictureFolder("main");
    if (!folder.empty())
        writePng(folder + name + ".png", canvas.width(), canvas.height(), canvas.snapshot().data());
}

TEST(MainWindowRun, WideViewKeepsTheMiddleCellAndRescalesTheBars) {
    TempFolder folder(u"wide");
    ProgramRun run(folder.path());
    HWND main = run.mainWindow();
    ASSERT_TRUE(main);
    HWND horizontal = GetDlgItem(main, IDC_HSCROLL);
    Sleep(300);
    savePicture(main, "normal");

    // 31 cells, 11 visible, origin 10: cell 15 is in the middle; in wide view 17 are visible.
    SendMessageW(GetDlgItem(main, IDC_VIEW_MODE), BM_SETCHECK, BST_CHECKED, 0);
    PostMessageW(main, WM_COMMAND, IDC_VIEW_MODE, 0);
    ASSERT_TRUE(waitUntil([&] { return GetScrollPos(horizontal, SB_CTL) == 7; }));
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(GetScrollInfo(horizontal, SB_CTL, &info));
    EXPECT_EQ(info.nMax - static_cast<int>(info.nPage) + 1, 14);
    EXPECT_EQ(GetScrollPos(GetDlgItem(main, IDC_VSCROLL), SB_CTL), 7);
    Sleep(300);
    savePicture(main, "wide");

    // The corner buttons step both axes; the bars follow.
    PostMessageW(main, WM_COMMAND, IDC_SCROLL_DOWNRIGHT, 0);
    EXPECT_TRUE(waitUntil([&] { return GetScrollPos(horizontal, SB_CTL) == 8; }));
    EXPECT_EQ(GetScrollPos(GetDlgItem(main, IDC_VSCROLL), SB_CTL), 8);
}

bool clipboardHolds(UINT format) {
    return IsClipboardFormatAvailable(format) != FALSE;
}

void putText(const char* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const std::size_t size = std::strlen(text) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), text, size);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

TEST(MainWindowRun, ExitEmptiesTheClipboardOnlyOfItsOwnBlock) {
    const UINT mapFormat = RegisterClipboardFormatW(L"TAVROSIN-MAP");
    TempFolder folder(u"clip");
    {
        ProgramRun run(folder.path());
        HWND main = run.mainWindow();
        ASSERT_TRUE(main);
        putText("before");
        PostMessageW(main, WM_COMMAND, ID_EDIT_COPY, 0);
        ASSERT_TRUE(waitUntil([&] { return clipboardHolds(mapFormat); }));
        PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
        ASSERT_TRUE(run.waitForExit());
        EXPECT_FALSE(clipboardHolds(mapFormat));
        EXPECT_FALSE(clipboardHolds(CF_TEXT));
    }
    {
        // Something copied elsewhere after the program's block stays when the program ends.
        ProgramRun run(folder.path());
        HWND main = run.mainWindow();
        ASSERT_TRUE(main);
        PostMessageW(main, WM_COMMAND, ID_EDIT_COPY, 0);
        ASSERT_TRUE(waitUntil([&] { return clipboardHolds(mapFormat); }));
        putText("after");
        PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
        ASSERT_TRUE(run.waitForExit());
        EXPECT_TRUE(clipboardHolds(CF_TEXT));
    }
}

// The program's dialog that holds this control, once shown.
HWND dialogWith(ProgramRun& run, HWND main, int controlId) {
    return waitForProcessWindow(run.processId(), 15000, [main, controlId](HWND window) {
        return window != main && GetDlgItem(window, controlId) != nullptr;
    });
}

HWND visiblePage(HWND dialog) {
    HWND page = nullptr;
    while ((page = FindWindowExW(dialog, page, L"#32770", nullptr)))
        if (IsWindowVisible(page))
            return page;
    return nullptr;
}

void press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// An edit's text in another process: WM_GETTEXT, which the system carries across.
std::wstring editText(HWND dialog, int id) {
    wchar_t text[64] = {};
    SendDlgItemMessageW(dialog, id, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
    return text;
}

void setText(HWND dialog, int id, const wchar_t* text) {
    SendDlgItemMessageW(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// The environment settings dialog on its mark history page.
HWND historyPage(ProgramRun& run, HWND main, HWND& dialog) {
    PostMessageW(main, WM_COMMAND, IDC_SETTINGS, 0);
    dialog = dialogWith(run, main, IDC_SETTINGS_TABS);
    if (!dialog)
        return nullptr;
    HWND tabs = GetDlgItem(dialog, IDC_SETTINGS_TABS);
    HWND undoPage = visiblePage(dialog);
    PostMessageW(tabs, WM_KEYDOWN, VK_RIGHT, 1); // as the arrow key on the focused tabs
    HWND page = nullptr;
    waitUntil([&] { return (page = visiblePage(dialog)) && page != undoPage; });
    return page != undoPage ? page : nullptr;
}

// Settings changed in the three dialogs reach the map at once and the configuration file on OK, and the
// next run shows them again.
TEST(MainWindowRun, SettingsDialogsReachTheMapAndTheConfigurationFile) {
    TempFolder folder(u"settings");
    {
        ProgramRun run(folder.path());
        HWND main = run.mainWindow();
        ASSERT_TRUE(main);
        PostMessageW(main, WM_COMMAND, ID_SETTINGS, 0); // the menu command opens the same dialog
        HWND dialog = dialogWith(run, main, IDC_SETTINGS_TABS);
        ASSERT_TRUE(dialog);
        HWND page = visiblePage(dialog);
        ASSERT_TRUE(page);
        EXPECT_EQ(editText(page, IDC_UNDO_DEPTH), L"16");
        setText(page, IDC_UNDO_DEPTH, L"40");
        savePicture(dialog, "environment_undo");
        press(dialog, IDOK);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));

        page = historyPage(run, main, dialog);
        ASSERT_TRUE(page);
        setText(page, IDC_HISTORY_WALLS, L"100");
        SendDlgItemMessageW(page, IDC_HISTORY_FILO, BM_CLICK, 0, 0);
        savePicture(dialog, "environment_history");
        press(dialog, IDOK);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));

        PostMessageW(main, WM_COMMAND, IDC_SIZE_SETTINGS, 0);
        dialog = dialogWith(run, main, IDC_SIZE_WIDTH_SPIN);
        ASSERT_TRUE(dialog);
        savePicture(dialog, "map_size");
        setText(dialog, IDC_SIZE_WIDTH, L"40");
        setText(dialog, IDC_SIZE_HEIGHT, L"20");
        press(dialog, IDOK);
        ASSERT_TRUE(waitUntil([&] { return shownSize(main).width == 40 && shownSize(main).height == 20; }));

        PostMessageW(main, WM_COMMAND, IDC_RULER_SETTINGS, 0);
        dialog = dialogWith(run, main, IDC_RULER_BOTTOM_LEFT);
        ASSERT_TRUE(dialog);
        SendDlgItemMessageW(dialog, IDC_RULER_TOP_LEFT, BM_CLICK, 0, 0);
        savePicture(dialog, "ruler");
        press(dialog, IDCANCEL);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));

        // The new size is an unsaved change.
        PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
        HWND question = run.messageBox();
        ASSERT_TRUE(question);
        press(question, IDC_MESSAGE_YES);
        EXPECT_TRUE(run.waitForExit());
    }
    const std::string ini = readBytes(folder.path() + u"Tavrosin.ini");
    for (const char* line : {"URDOMAX=40\r\n", "HISTORYDMAX=100\r\n", "HISTORYBMAX=64\r\n",
                             "HISTORYADD=1\r\n", "HISTORYOVERLAP=0\r\n"})
        EXPECT_NE(ini.find(line), std::string::npos) << line << ini;

    ProgramRun run(folder.path());
    HWND main = run.mainWindow();
    ASSERT_TRUE(main);
    HWND dialog = nullptr;
    HWND page = historyPage(run, main, dialog);
    ASSERT_TRUE(page);
    EXPECT_EQ(editText(page, IDC_HISTORY_WALLS), L"100");
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_HISTORY_FILO), BST_CHECKED);
    press(dialog, IDCANCEL);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));
    PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
    EXPECT_TRUE(run.waitForExit());
}

// Loads one half of the palette through the load choice.
void loadPaletteHalf(ProgramRun& run, HWND main, HWND palette, int button, int source) {
    press(palette, button);
    HWND choice = dialogWith(run, main, IDC_LOAD_MAP_FILE);
    ASSERT_TRUE(choice);
    SendDlgItemMessageW(choice, source, BM_CLICK, 0, 0);
    press(choice, IDOK);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(choice); }));
}

MarkPalette startPaletteIn(const TempFolder& folder) {
    const std::string bytes = readBytes(folder.path() + u"Start.mps");
    MarkPalette palette;
    EXPECT_TRUE(
        decodePaletteFile(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                          PaletteKind::start, palette));
    return palette;
}

// A wall mark made in the editor goes into the current slot and, saved as the start palette, is there after a
// restart; the room half of the opened map file's palette comes back after the base one replaced it.
TEST(MainWindowRun, PaletteWindowMakesMarksAndKeepsThemInTheStartPalette) {
    TempFolder folder(u"palette");
    const FilePath mapPath = folder.path() + u"rooms.MED";
    RoomMarkSlot mapRoom;
    mapRoom.registered = true;
    mapRoom.normalImage.pixels.fill(0x40);
    mapRoom.wideImage.pixels.fill(0x80);
    writeMapFile(mapPath, [&](MapDocument& document) { document.palette().rooms[0] = mapRoom; });
    {
        ProgramRun run(folder.path(), L"\"" + win::widen(mapPath) + L"\"");
        HWND main = run.mainWindow();
        ASSERT_TRUE(main);
        HWND palette = dialogWith(run, main, IDC_PALETTE_SAVE_START);
        ASSERT_TRUE(palette);
        savePicture(palette, "palette");

        loadPaletteHalf(run, main, palette, IDC_PALETTE_LOAD_ROOMS, IDC_LOAD_BASE);
        loadPaletteHalf(run, main, palette, IDC_PALETTE_LOAD_ROOMS, IDC_LOAD_MAP_FILE);

        press(palette, IDC_PALETTE_WALL_1 + 2);
        press(palette, IDC_PALETTE_CREATE_WALL);
        HWND editor = dialogWith(run, main, IDC_WALLMARK_PREVIEW_GROUP);
        ASSERT_TRUE(editor);
        HWND shapes = GetDlgItem(editor, IDC_WALLMARK_BACK_SHAPE);
        SendMessageW(shapes, CB_SETCURSEL, 7, 0);
        SendMessageW(editor, WM_COMMAND, MAKEWPARAM(IDC_WALLMARK_BACK_SHAPE, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(shapes));
        savePicture(editor, "wall_mark_editor");
        press(editor, IDOK);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(editor); }));

        // The registered mark went into the history too: the editor's history button lists it.
        EXPECT_EQ(readBytes(folder.path() + u"History.mhd").size(), 32u + 24u);
        press(palette, IDC_PALETTE_CREATE_WALL);
        editor = dialogWith(run, main, IDC_WALLMARK_PREVIEW_GROUP);
        ASSERT_TRUE(editor);
        press(editor, IDC_WALLMARK_HISTORY);
        HWND picker = dialogWith(run, main, IDC_PICKER_LIST);
        ASSERT_TRUE(picker);
        savePicture(picker, "wall_history_picker");
        EXPECT_EQ(SendDlgItemMessageW(picker, IDC_PICKER_LIST, LB_GETCOUNT, 0, 0), 1);
        press(picker, IDCANCEL);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(picker); }));
        press(editor, IDCANCEL);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(editor); }));

        press(palette, IDC_PALETTE_SAVE_START);
        ASSERT_TRUE(waitUntil([&] { return startPaletteIn(folder).walls[2].backShape == 7; }));
        PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
        if (HWND question = run.messageBox(1500))
            press(question, IDC_MESSAGE_YES);
        EXPECT_TRUE(run.waitForExit());
    }
    const MarkPalette saved = startPaletteIn(folder);
    EXPECT_EQ(saved.walls[2].registered, 1);
    EXPECT_EQ(saved.rooms[0], mapRoom) << "the map file's room half";

    // The next run starts from that palette: the editor opened on slot 3 shows the mark.
    ProgramRun run(folder.path());
    HWND main = run.mainWindow();
    ASSERT_TRUE(main);
    HWND palette = dialogWith(run, main, IDC_PALETTE_SAVE_START);
    ASSERT_TRUE(palette);
    press(palette, IDC_PALETTE_WALL_1 + 2);
    press(palette, IDC_PALETTE_CREATE_WALL);
    HWND editor = dialogWith(run, main, IDC_WALLMARK_PREVIEW_GROUP);
    ASSERT_TRUE(editor);
    EXPECT_EQ(SendDlgItemMessageW(editor, IDC_WALLMARK_BACK_SHAPE, CB_GETCURSEL, 0, 0), 7);
    press(editor, IDCANCEL);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(editor); }));
    PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
    EXPECT_TRUE(run.waitForExit());
}

// A room mark painted in its editor lands in the current slot and in the room history, and the editor's
// colour pattern is in the configuration once it has closed.
TEST(MainWindowRun, RoomEditorRegistersIntoTheSlotAndTheHistory) {
    TempFolder folder(u"rooms");
    ProgramRun run(folder.path());
    HWND main = run.mainWindow();
    ASSERT_TRUE(main);
    HWND palette = dialogWith(run, main, IDC_PALETTE_SAVE_START);
    ASSERT_TRUE(palette);
    press(palette, IDC_PALETTE_ROOM_1 + 6);
    press(palette, IDC_PALETTE_CREATE_ROOM);
    HWND editor = dialogWith(run, main, IDC_ROOMMARK_WIDE_CANVAS);
    ASSERT_TRUE(editor);
    // A black line across row 11 of the 23x23 picture.
    HWND canvas = GetDlgItem(editor, IDC_ROOMMARK_NORMAL_CANVAS);
    for (int x = 0; x < 23; ++x) {
        const LPARAM at = MAKELPARAM(x * 12 + 6, 11 * 12 + 6);
        SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(canvas, WM_LBUTTONUP, 0, at);
    }
    savePicture(editor, "room_mark_editor");
    press(editor, IDOK);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(editor); }));
    EXPECT_EQ(readBytes(folder.path() + u"History.mhb").size(), 32u + 2464u);
    EXPECT_NE(readBytes(folder.path() + u"Tavrosin.ini").find("COLOR16=0x00FF00FF"), std::string::npos);

    // The start palette holds a mark of its own in that slot: wait for the line across it.
    auto saved = [&] {
        const RoomMarkSlot slot = startPaletteIn(folder).rooms[6];
        const auto row11 = slot.normalImage.pixels.begin() + (22 - 11) * RoomPicture<23>::stride;
        return slot.registered && std::all_of(row11, row11 + 3 * 23, [](std::uint8_t b) { return b == 0; });
    };
    press(palette, IDC_PALETTE_SAVE_START);
    EXPECT_TRUE(waitUntil(saved));
    PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
    if (HWND question = run.messageBox(1500))
        press(question, IDC_MESSAGE_YES);
    EXPECT_TRUE(run.waitForExit());
}

} // namespace
} // namespace tav::test
