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
};
Steps* running = nullptr;

void CALLBACK onTick(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND main = running->app->mainWindow();
    if (!main)
        return;
    if (running->next < running->steps.size()) {
        running->steps[running->next++](main, *running->document);
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

} // namespace
} // namespace tav::test
