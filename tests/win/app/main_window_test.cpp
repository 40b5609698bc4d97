// The main window in this process, run by its own message loop: what each idle pass enables and what the
// switches beside the map change.
#include "win/app/main_window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "model/document/map_file.h"
#include "model/document/palette_storage.h"
#include "resource.h"
#include "support/dialog_driver.h"
#include "support/input_driver.h"
#include "support/program_run.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"
#include "win/app/application.h"
#include "win/platform/text.h"
#include "win/platform/win32_file_system.h"

namespace tav::test {
namespace {

void setClipboard(const wchar_t* formatName) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (formatName) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 16);
        std::memset(GlobalLock(memory), 0, 16);
        GlobalUnlock(memory);
        SetClipboardData(RegisterClipboardFormatW(formatName), memory);
    }
    CloseClipboard();
}

bool menuEnabled(HWND window, int id) {
    return !(GetMenuState(GetMenu(window), static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED);
}

using Step = std::function<void(HWND main, MapDocument& document)>;

// Runs the steps one per timer tick inside the window's loop; each tick posts a message, so an idle pass
// runs before the next step. The window is closed after the last step.
struct Steps {
    win::Application* app = nullptr;
    MapDocument* document = nullptr;
    std::vector<Step> steps;
    std::size_t next = 0;
    int retries = 0;
    bool again = false;
};
Steps* running = nullptr;

// Called by a step that finds what it waits for not there yet: it runs again on a later tick.
void tryAgain() {
    running->again = true;
}

void CALLBACK onTick(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND main = running->app->mainWindow();
    if (!main)
        return;
    if (running->next < running->steps.size()) {
        const std::size_t index = running->next++;
        running->steps[index](main, *running->document);
        if (running->again && ++running->retries < 100)
            running->next = index;
        else if (running->again)
            ADD_FAILURE() << "step " << index << " waited in vain";
        running->again = false;
        PostMessageW(main, WM_NULL, 0, 0);
        return;
    }
    // Leave without the question about unsaved edits.
    KillTimer(nullptr, timer);
    running->document->setModified(false);
    PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
}

class MainWindowRunner : public ::testing::Test {
protected:
    void run(std::vector<Step> steps) {
        ASSERT_TRUE(CopyFileW(win::widen(builtProgramFolder() + u"Base.mpb").c_str(),
                              win::widen(folder.path() + u"Base.mpb").c_str(), FALSE));
        win::DrawingResourceCache cache;
        win::Application app(document, cache);
        document.setPalettePaths(folder.path() + u"Start.mps", folder.path() + u"Base.mpb");
        Steps state{&app, &document, std::move(steps)};
        running = &state;
        SetTimer(nullptr, 0, 60, &onTick);
        {
            win::MainWindow window(app, document, FilePath());
            window.run();
        }
        running = nullptr;
        EXPECT_EQ(state.next, state.steps.size()) << "the window ended early";
    }

    TempFolder folder{u"window"};
    MapDocument document;
};

TEST_F(MainWindowRunner, IdlePassesEnablePasteByTheClipboardAndUndoByTheJournal) {
    std::vector<bool> paste;
    std::vector<bool> undo;
    auto record = [&](HWND main) {
        paste.push_back(menuEnabled(main, ID_EDIT_PASTE));
        undo.push_back(menuEnabled(main, ID_EDIT_UNDO));
    };
    run({
        [&](HWND, MapDocument&) { setClipboard(nullptr); },
        [&](HWND main, MapDocument&) {
            record(main);
            setClipboard(L"TAVROSIN-MAP");
        },
        [&](HWND main, MapDocument&) {
            record(main);
            setClipboard(L"TAVROSIN-COMMENT");
            SendMessageW(GetDlgItem(main, IDC_MAP_VIEW), WM_KEYDOWN, 'X', 1); // keyboard editing is on
        },
        [&](HWND main, MapDocument&) {
            record(main);
            setClipboard(L"ANOTHER-FORMAT");
        },
        [&](HWND main, MapDocument&) { record(main); },
    });
    setClipboard(nullptr);
    EXPECT_EQ(paste, (std::vector<bool>{false, true, true, false}));
    EXPECT_EQ(undo, (std::vector<bool>{false, false, true, true}));
    EXPECT_EQ(document.width(), 31);
}

TEST_F(MainWindowRunner, SwitchesSetTheEditMaskAndTheMarkerButtons) {
    auto click = [](HWND main, int id) { SendMessageW(GetDlgItem(main, id), BM_CLICK, 0, 0); };
    auto checked = [](HWND main, int id) { return IsDlgButtonChecked(main, id) == BST_CHECKED; };
    run({
        [&](HWND main, MapDocument& doc) {
            EXPECT_EQ(doc.editMask(), 15);
            click(main, IDC_EDIT_ROOM);
            EXPECT_EQ(doc.editMask(), 15 & ~4);
            click(main, IDC_EDIT_HWALL);
            EXPECT_EQ(doc.editMask(), 15 & ~4 & ~1);
            click(main, IDC_EDIT_ROOM);
            EXPECT_EQ(doc.editMask(), 15 & ~1);
        },
        [&](HWND main, MapDocument&) {
            click(main, IDC_MARKER_HIDE);
            EXPECT_TRUE(checked(main, IDC_MARKER_HIDE));
            EXPECT_FALSE(checked(main, IDC_MARKER_TYPE1));
            EXPECT_FALSE(checked(main, IDC_MARKER_TYPE2));
            click(main, IDC_MARKER_TYPE2);
            EXPECT_FALSE(checked(main, IDC_MARKER_HIDE));
            EXPECT_TRUE(checked(main, IDC_MARKER_TYPE2));
        },
        [&](HWND main, MapDocument& doc) {
            // The view mode button switches the document's scale; the size fields show the map.
            click(main, IDC_VIEW_MODE);
            EXPECT_TRUE(doc.isWide());
            EXPECT_EQ(doc.visibleColumns(), 17);
            click(main, IDC_VIEW_MODE);
            EXPECT_FALSE(doc.isWide());
            BOOL ok = FALSE;
            EXPECT_EQ(GetDlgItemInt(main, IDC_WIDTH_TEXT, &ok, FALSE), 31u);
        },
    });
}

// A map file dropped on the view among other files is opened: the file's cells, its size shown, the file
// remembered as the current one, in a folder whose name CP932 cannot hold.
TEST_F(MainWindowRunner, DroppedMapFileIsOpened) {
    const FilePath maps = folder.path() + u"M\u00FCller \U0001F5FA\\";
    ASSERT_TRUE(CreateDirectoryW(win::widen(maps).c_str(), nullptr));
    const FilePath path = maps + u"dropped.med";
    {
        MapDocument source;
        ASSERT_TRUE(source.resize(7, 5, true));
        bool first = false;
        source.setCell(6, 4, layer::room, 3, first);
        source.setCell(2, 1, layer::horizontalWall, 2, first);
        win::Win32FileSystem files;
        RecordingPrompter prompter;
        PaletteStorage palettes(files, prompter);
        MapFileStorage maps(files, prompter, palettes);
        ASSERT_TRUE(maps.save(source, path));
    }
    run({
        [&](HWND main, MapDocument&) {
            SendMessageW(GetDlgItem(main, IDC_MAP_VIEW), WM_DROPFILES,
                         reinterpret_cast<WPARAM>(
                             makeFileDrop({win::widen(folder.path() + u"notes.txt"), win::widen(path)})),
                         0);
        },
        [&](HWND main, MapDocument& doc) {
            EXPECT_EQ(doc.width(), 7);
            EXPECT_EQ(doc.height(), 5);
            EXPECT_EQ(doc.cell(6, 4).room, 3);
            EXPECT_EQ(doc.cell(2, 1).horizontalWall, 2);
            EXPECT_TRUE(doc.hasFile());
            EXPECT_EQ(doc.currentFileName(), path);
            BOOL ok = FALSE;
            EXPECT_EQ(GetDlgItemInt(main, IDC_WIDTH_TEXT, &ok, FALSE), 7u);
        },
    });
}

// A shown dialog of this thread that holds the control (the main window excepted).
HWND threadDialogWith(HWND main, int controlId) {
    struct Search {
        HWND main;
        int id;
        HWND found;
    } search{main, controlId, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            if (window != s.main && IsWindowVisible(window) && GetDlgItem(window, s.id)) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void press(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// A map dropped over unsaved edits asks first: "いいえ" keeps the edits, "はい" opens the map.
TEST_F(MainWindowRunner, DroppedMapOverUnsavedChangesAsksFirst) {
    const FilePath path = folder.path() + u"other.MED";
    {
        MapDocument source;
        ASSERT_TRUE(source.resize(7, 5, true));
        win::Win32FileSystem files;
        RecordingPrompter prompter;
        PaletteStorage palettes(files, prompter);
        MapFileStorage maps(files, prompter, palettes);
        ASSERT_TRUE(maps.save(source, path));
    }
    auto drop = [&](HWND main, MapDocument&) {
        SendMessageW(GetDlgItem(main, IDC_MAP_VIEW), WM_DROPFILES,
                     reinterpret_cast<WPARAM>(makeFileDrop({win::widen(path)})), 0);
    };
    std::wstring question;
    auto answer = [&](int button) {
        return [&, button](HWND main, MapDocument&) {
            HWND box = threadDialogWith(main, IDC_MESSAGE_NO);
            if (!box)
                return tryAgain();
            question = windowText(GetDlgItem(box, IDC_MESSAGE_TEXT));
            press(box, button);
        };
    };
    run({
        [&](HWND, MapDocument& doc) {
            bool first = true;
            ASSERT_TRUE(doc.setCell(3, 3, layer::room, 5, first));
            ASSERT_TRUE(doc.isModified());
        },
        drop,
        answer(IDC_MESSAGE_NO),
        [&](HWND, MapDocument& doc) {
            EXPECT_NE(question.find(win::widen("現在のデータは無くなる事になります。")), std::wstring::npos);
            EXPECT_EQ(doc.width(), 31);
            EXPECT_EQ(doc.cell(3, 3).room, 5);
            EXPECT_TRUE(doc.isModified());
            EXPECT_FALSE(doc.hasFile());
        },
        drop,
        answer(IDC_MESSAGE_YES),
        [&](HWND, MapDocument& doc) {
            EXPECT_EQ(doc.width(), 7);
            EXPECT_FALSE(doc.isModified());
            EXPECT_EQ(doc.currentFileName(), path);
        },
    });
}

// What the settings dialogs return reaches the document at once.
TEST_F(MainWindowRunner, SettingsDialogsChangeTheDocument) {
    auto open = [](int command) {
        return [command](HWND main, MapDocument&) { PostMessageW(main, WM_COMMAND, command, 0); };
    };
    int depthBefore = 0;
    std::wstring exportWidth;
    bool printOpened = false;
    run({
        [&](HWND, MapDocument& doc) {
            bool first = true;
            ASSERT_TRUE(doc.setCell(30, 0, layer::room, 2, first));
            ASSERT_TRUE(doc.setCell(2, 2, layer::room, 4, first));
            doc.setModified(false);
            depthBefore = doc.undoDepth();
        },
        open(IDC_SETTINGS),
        [&](HWND main, MapDocument&) {
            HWND dialog = threadDialogWith(main, IDC_SETTINGS_TABS);
            if (!dialog)
                return tryAgain();
            HWND page = nullptr; // the shown one: the undo depth
            while ((page = FindWindowExW(dialog, page, L"#32770", nullptr)) && !IsWindowVisible(page)) {
            }
            SendDlgItemMessageW(page, IDC_UNDO_DEPTH, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"3"));
            press(dialog, IDOK);
        },
        [&](HWND, MapDocument& doc) { EXPECT_EQ(doc.undoDepth(), 3); },
        open(IDC_SIZE_SETTINGS),
        [&](HWND main, MapDocument&) {
            HWND dialog = threadDialogWith(main, IDC_SIZE_WIDTH_SPIN);
            if (!dialog)
                return tryAgain();
            SendDlgItemMessageW(dialog, IDC_SIZE_WIDTH, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"20"));
            press(dialog, IDOK);
        },
        [&](HWND main, MapDocument& doc) {
            EXPECT_EQ(doc.width(), 20);
            EXPECT_EQ(doc.height(), 31);
            EXPECT_EQ(doc.cell(2, 2).room, 4) << "overlapping cells are kept";
            EXPECT_TRUE(doc.isModified());
            BOOL ok = FALSE;
            EXPECT_EQ(GetDlgItemInt(main, IDC_WIDTH_TEXT, &ok, FALSE), 20u);
            doc.setModified(false);
        },
        open(IDC_RULER_SETTINGS),
        [&](HWND main, MapDocument&) {
            HWND dialog = threadDialogWith(main, IDC_RULER_BOTTOM_LEFT);
            if (!dialog)
                return tryAgain();
            SendDlgItemMessageW(dialog, IDC_RULER_BOTTOM_LEFT, BM_CLICK, 0, 0);
            SendDlgItemMessageW(dialog, IDC_RULER_X, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"5"));
            press(dialog, IDOK);
        },
        [&](HWND, MapDocument& doc) {
            EXPECT_EQ(doc.getRuler().basePosition, 2);
            EXPECT_EQ(doc.getRuler().columnStart, 5);
            EXPECT_TRUE(doc.isModified());
            doc.setModified(false);
        },
        open(IDC_BACKGROUND_SETTINGS),
        [&](HWND main, MapDocument&) {
            HWND dialog = threadDialogWith(main, IDC_CANDIDATE_GREEN_CHIP);
            if (!dialog)
                return tryAgain();
            HWND fifth = GetDlgItem(dialog, IDC_CANDIDATE_1 + 4);
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_CANDIDATE_1 + 4, STN_CLICKED),
                         reinterpret_cast<LPARAM>(fifth));
            SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(SB_RIGHT, 0),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_CANDIDATE_GREEN_BAR)));
            press(dialog, IDOK);
        },
        [&](HWND main, MapDocument& doc) {
            // Candidate 5 (blue by default) got full green and became the current background.
            EXPECT_EQ(doc.getBackgroundCandidates()[4], 0xFFFF00u);
            EXPECT_TRUE(doc.isModified());
            EXPECT_EQ(SendDlgItemMessageW(main, IDC_BACKGROUND_COMBO, CB_GETCURSEL, 0, 0), 5);
        },
        open(IDC_PRINT),
        [&](HWND main, MapDocument&) {
            // The print dialog, or without a printer the warning that closes it. Looked for by a margin
            // edit: the palette window has a control numbered like the options button.
            HWND dialog = threadDialogWith(main, IDC_PRINT_MARGIN_LEFT);
            HWND warning = threadDialogWith(main, IDC_MESSAGE_NO);
            if (!dialog && !warning)
                return tryAgain();
            printOpened = true;
            press(dialog ? dialog : warning, dialog ? IDCANCEL : IDC_MESSAGE_YES);
        },
        open(ID_FILE_SAVE_IMAGE),
        [&](HWND main, MapDocument&) {
            // The image export shows the size of this map's picture: 20 x 31 cells in normal view.
            HWND dialog = threadDialogWith(main, IDC_EXPORT_FILE_SIZE);
            if (!dialog)
                return tryAgain();
            exportWidth = windowText(GetDlgItem(dialog, IDC_EXPORT_WIDTH));
            press(dialog, IDCANCEL);
        },
    });
    EXPECT_EQ(depthBefore, 16);
    EXPECT_EQ(exportWidth, L"753"); // 20 x 34 + 9 + 40 + 24
    EXPECT_TRUE(printOpened);
}

HWND paletteWindow(HWND main) {
    return threadDialogWith(main, IDC_PALETTE_SAVE_START);
}

// The palette window beside the map: its choices paint, its button and close box show and hide it, F2
// moves the focus to it and back.
TEST_F(MainWindowRunner, PaletteWindowChoosesWhatTheMapIsPaintedWith) {
    HWND palette = nullptr;
    auto clickPalette = [&](int id) {
        SendMessageW(palette, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(palette, id)));
    };
    auto checked = [](HWND main) { return IsDlgButtonChecked(main, IDC_PALETTE_TOGGLE) == BST_CHECKED; };
    int roomsOfFour = 0;
    int wallsOfSix = 0;
    run({
        [&](HWND main, MapDocument&) {
            palette = paletteWindow(main);
            ASSERT_TRUE(palette);
            EXPECT_TRUE(checked(main));
            clickPalette(IDC_PALETTE_ROOM_1 + 3);
            clickPalette(IDC_PALETTE_WALL_1 + 5);
        },
        [&](HWND main, MapDocument&) {
            // Inside the first visible cell, then on its top edge.
            HWND view = GetDlgItem(main, IDC_MAP_VIEW);
            for (LPARAM point : {MAKELPARAM(25 + 17, 25 + 17), MAKELPARAM(25 + 17, 25 + 1)}) {
                SendMessageW(view, WM_MOUSEMOVE, 0, point);
                SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, point);
                SendMessageW(view, WM_LBUTTONUP, 0, point);
            }
        },
        [&](HWND, MapDocument& doc) {
            for (int row = 0; row < doc.height(); ++row) {
                for (int column = 0; column < doc.width(); ++column) {
                    roomsOfFour += doc.cell(column, row).room == 4;
                    wallsOfSix += doc.cell(column, row).horizontalWall == 6;
                }
            }
        },
        [&](HWND main, MapDocument&) { PostMessageW(GetDlgItem(main, IDC_MAP_VIEW), WM_KEYDOWN, VK_F2, 1); },
        [&](HWND, MapDocument&) {
            EXPECT_TRUE(IsChild(palette, GetFocus())) << "F2 in the map";
            PostMessageW(GetFocus(), WM_KEYDOWN, VK_F2, 1);
        },
        [&](HWND main, MapDocument&) {
            EXPECT_EQ(GetFocus(), GetDlgItem(main, IDC_MAP_VIEW)) << "F2 in the palette";
            clickPalette(IDC_CLOSE);
        },
        [&](HWND main, MapDocument&) {
            EXPECT_FALSE(IsWindowVisible(palette));
            EXPECT_FALSE(checked(main)) << "the button follows the close box";
            SendDlgItemMessageW(main, IDC_PALETTE_TOGGLE, BM_CLICK, 0, 0);
            EXPECT_TRUE(IsWindowVisible(palette));
            SendDlgItemMessageW(main, IDC_PALETTE_TOGGLE, BM_CLICK, 0, 0);
            EXPECT_FALSE(IsWindowVisible(palette));
        },
    });
    EXPECT_EQ(roomsOfFour, 1);
    EXPECT_EQ(wallsOfSix, 1);
}

} // namespace
} // namespace tav::test
