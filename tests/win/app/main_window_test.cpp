// The main window in this process, run by its own message loop: what each idle pass enables.
#include "win/app/main_window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "resource.h"
#include "support/program_run.h"
#include "support/temp_folder.h"
#include "win/app/application.h"
#include "win/platform/text.h"

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

// Each timer tick checks what the previous idle pass left and sets up the next one.
struct IdleRun {
    win::Application* app = nullptr;
    MapDocument* document = nullptr;
    int step = 0;
    std::vector<bool> paste;
    std::vector<bool> undo;
};
IdleRun* current = nullptr;

void CALLBACK onTick(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND main = current->app->mainWindow();
    if (!main)
        return;
    if (current->step > 0) {
        current->paste.push_back(menuEnabled(main, ID_EDIT_PASTE));
        current->undo.push_back(menuEnabled(main, ID_EDIT_UNDO));
    }
    switch (current->step++) {
    case 0:
        setClipboard(nullptr);
        break;
    case 1:
        setClipboard(L"TAVROSIN-MAP");
        break;
    case 2:
        setClipboard(L"TAVROSIN-COMMENT");
        SendMessageW(GetDlgItem(main, IDC_MAP_VIEW), WM_KEYDOWN, 'X', 1); // keyboard editing is on
        break;
    case 3:
        setClipboard(L"ANOTHER-FORMAT");
        break;
    default:
        // Leave without the question about the unsaved edit.
        KillTimer(nullptr, timer);
        current->document->setModified(false);
        PostMessageW(main, WM_COMMAND, IDC_EXIT, 0);
        return;
    }
    PostMessageW(main, WM_NULL, 0, 0); // a message, so an idle pass follows
}

TEST(MainWindow, IdlePassesEnablePasteByTheClipboardAndUndoByTheJournal) {
    TempFolder folder("idle");
    ASSERT_TRUE(CopyFileW(win::widen(builtProgramFolder() + "Base.mpb").c_str(),
                          win::widen(folder.path() + "Base.mpb").c_str(), FALSE));
    win::DrawingResourceCache cache;
    MapDocument document;
    win::Application app(document, cache);
    document.setPalettePaths(folder.path() + "Start.mps", folder.path() + "Base.mpb");
    IdleRun run;
    run.app = &app;
    run.document = &document;
    current = &run;
    SetTimer(nullptr, 0, 60, &onTick);
    {
        win::MainWindow window(app, document, "");
        window.run();
    }
    current = nullptr;
    setClipboard(nullptr);

    EXPECT_EQ(run.paste, (std::vector<bool>{false, true, true, false}));
    EXPECT_EQ(run.undo, (std::vector<bool>{false, false, true, true}));
    EXPECT_EQ(document.width(), 31);
}

} // namespace
} // namespace tav::test
