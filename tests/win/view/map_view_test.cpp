// The map editing view hosted in a plain parent window and driven with real window messages: cells of the
// document, the private messages the parent receives and pixels of the composed picture.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/view/map_editor.h"
#include "resource.h"
#include "support/dialog_driver.h"
#include "support/dib_canvas.h"
#include "support/input_driver.h"
#include "support/png_writer.h"
#include "support/recording_prompter.h"
#include "win/document/clipboard.h"
#include "win/platform/text.h"
#include "win/view/drawing_resource_cache.h"
#include "win/view/map_view.h"

namespace tav::win {
namespace {

using test::cream;
using test::DibCanvas;
using test::InputLock;
using test::makeFileDrop;

constexpr COLORREF inverted(COLORREF c) {
    return RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c));
}

// What the parent window was told.
struct ParentLog {
    std::vector<LPARAM> scrolls;    // 0xA401 lParam (wParam kept for 20)
    std::vector<DWORD> scrollTimes; // when each came
    std::vector<WPARAM> origins;    // wParam of 0xA401 with lParam 20
    std::vector<WPARAM> focus;      // 0xA402
    std::vector<FilePath> drops;    // 0xA40B
    std::vector<int> buttons;       // WM_COMMAND 12001..12004
};
ParentLog* currentLog = nullptr;

LRESULT CALLBACK parentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (currentLog) {
        switch (message) {
        case view_message::scroll:
            currentLog->scrolls.push_back(lParam);
            currentLog->scrollTimes.push_back(GetTickCount());
            if (lParam == 20)
                currentLog->origins.push_back(wParam);
            return 0;
        case view_message::focus:
            currentLog->focus.push_back(wParam);
            return 0;
        case view_message::openDropped:
            currentLog->drops.push_back(*reinterpret_cast<const FilePath*>(wParam));
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) >= 12001 && LOWORD(wParam) <= 12004)
                currentLog->buttons.push_back(LOWORD(wParam));
            return 0;
        default:
            break;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// One parent for every test: hiding or destroying a shown top-level window makes Wine wait two seconds for
// the X server without a window manager.
HWND makeParent() {
    static HWND shared = nullptr;
    if (shared && IsWindow(shared))
        return shared;
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = parentProcedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MapViewTestParent";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        registered = RegisterClassW(&wc) != 0;
    }
    shared = CreateWindowExW(0, L"MapViewTestParent", L"map view test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                             0, 500, 480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    return shared;
}

LPARAM at(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y)));
}
int mid(int index) {
    return 25 + index * 34 + 17;
}
int edge(int index, int offset) {
    return 25 + index * 34 + offset;
}

// Sets the thread's keyboard state of a few keys for the length of a scope.
class HeldKeys {
public:
    HeldKeys(std::initializer_list<int> keys) {
        GetKeyboardState(saved_);
        BYTE state[256];
        std::memcpy(state, saved_, sizeof state);
        for (int key : keys)
            state[key] = 0x80;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256]{};
};

class MapViewWindow : public ::testing::Test {
protected:
    MapDocument document;
    DrawingResourceCache cache;
    test::RecordingPrompter prompter;
    MapClipboard clipboard{document, prompter};
    ParentLog log;
    HWND parent = nullptr;
    std::unique_ptr<MapView> view;
    HWND window = nullptr;

    void SetUp() override {
        currentLog = &log;
        ASSERT_TRUE(document.resize(20, 20, true));
        WallMarkRecord wall;
        wall.lineColor = RGB(255, 0, 0);
        wall.registered = 1;
        wall.lineVisible = 1;
        document.palette().walls[4] = wall;
        parent = makeParent();
        ASSERT_NE(parent, nullptr);
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 8, 5, 40, 40, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MAP_VIEW)),
                        GetModuleHandleW(nullptr), nullptr);
        view = std::make_unique<MapView>(document, cache, clipboard, prompter);
        ASSERT_TRUE(view->create(parent, IDC_MAP_VIEW, RECT{8, 5, 412, 409}));
        window = view->handle();
        view->setCurrentWallMark(5);
        view->setCurrentRoomMark(0);
        view->setCurrentBackground(3);
        SetForegroundWindow(parent);
        pump();
    }
    void TearDown() override {
        view.reset();
        // Other children a test made.
        while (HWND child = GetWindow(parent, GW_CHILD))
            DestroyWindow(child);
        currentLog = nullptr;
    }
    static void pump() {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
    void press(int x, int y, WPARAM keys = 0) {
        SendMessageW(window, WM_MOUSEMOVE, keys, at(x, y));
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | keys, at(x, y));
        SendMessageW(window, WM_LBUTTONUP, keys, at(x, y));
    }
    void key(WPARAM vk, bool repeat = false) {
        SendMessageW(window, WM_KEYDOWN, vk, 1 | (repeat ? (1 << 30) : 0));
        if (!repeat)
            SendMessageW(window, WM_KEYUP, vk, 1 | (1u << 30) | (1u << 31));
    }
    void command(int id) { SendMessageW(window, WM_COMMAND, id, 0); }
    const Cell& cell(int column, int row) const { return document.cell(column, row); }
    void compose(DibCanvas& canvas) { view->paintInto(canvas.dc()); }
};

TEST_F(MapViewWindow, ReplacesThePlaceholderAndWantsEveryKey) {
    EXPECT_EQ(GetDlgItem(parent, IDC_MAP_VIEW), window);
    wchar_t name[64]{};
    GetClassNameW(window, name, 64);
    EXPECT_STREQ(name, L"TavrosinMapView");
    RECT r{};
    GetClientRect(window, &r);
    EXPECT_EQ(r.right, 404);
    EXPECT_EQ(r.bottom, 404);
    EXPECT_TRUE(SendMessageW(window, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST_F(MapViewWindow, LeftPressesPaintWallsAndCellsAndTakeTheFocus) {
    press(mid(2), edge(3, 2));  // top edge of (2, 3)
    press(edge(4, 31), mid(1)); // right edge of (4, 1)
    press(mid(6), mid(6));
    EXPECT_EQ(cell(2, 3).horizontalWall, 5);
    EXPECT_EQ(cell(5, 1).verticalWall, 5);
    EXPECT_EQ(cell(6, 6).background, 3);
    EXPECT_EQ(view->basePoint().x, 6);
    EXPECT_EQ(GetFocus(), window);
    ASSERT_FALSE(log.focus.empty());
    EXPECT_EQ(log.focus.front(), 1u);
    // Ctrl: no edit.
    view->setCurrentWallMark(9);
    press(mid(2), edge(3, 2), MK_CONTROL);
    EXPECT_EQ(cell(2, 3).horizontalWall, 5);
    // A disabled layer is left alone.
    document.setEditMask(layer::bit(layer::background), 0);
    view->setCurrentBackground(4);
    press(mid(7), mid(7));
    EXPECT_EQ(cell(7, 7).background, 0);
}

TEST_F(MapViewWindow, FocusLossIsReported) {
    SetFocus(window);
    HWND other = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 420, 10, 40, 20, parent, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetFocus(other);
    ASSERT_GE(log.focus.size(), 2u);
    EXPECT_EQ(log.focus.back(), 0u);
}

TEST_F(MapViewWindow, ShiftExtendsLettersFillAndSOnTheLastColumnWraps) {
    press(mid(3), mid(4));
    press(mid(4), mid(4), MK_SHIFT);
    EXPECT_EQ(view->currentPoint().x, 4);
    key('Z');
    EXPECT_EQ(cell(3, 5).horizontalWall, 5);
    EXPECT_EQ(cell(4, 5).horizontalWall, 5);
    EXPECT_EQ(cell(2, 5).horizontalWall, 0);
    EXPECT_EQ(cell(5, 5).horizontalWall, 0);
    key('C');
    EXPECT_EQ(cell(3, 4).background, 3);
    EXPECT_EQ(cell(4, 4).background, 3);
    // The last column: S sets column 0's vertical wall.
    view->setScrollOrigin(9, 0, false, true);
    press(mid(10), mid(2));
    EXPECT_EQ(view->basePoint().x, 19);
    key('S');
    EXPECT_EQ(cell(0, 2).verticalWall, 5);
}

TEST_F(MapViewWindow, HeldCtrlZUndoesOneStepAndTheAcceleratorSaysTheSame) {
    press(mid(1), mid(1));
    press(mid(2), mid(2));
    press(mid(3), mid(3));
    {
        HeldKeys ctrl{VK_CONTROL};
        key('Z');
        EXPECT_EQ(cell(3, 3).background, 0);
        SendMessageW(window, WM_KEYDOWN, 'Z', 1 | (1 << 30));
        SendMessageW(window, WM_KEYDOWN, 'Z', 1 | (1 << 30));
        EXPECT_EQ(cell(2, 2).background, 3);
        // Through the message loop's hook: a repeated key is consumed and changes nothing.
        MSG repeated{window, WM_KEYDOWN, 'Z', 1 | (1 << 30), 0, {}};
        EXPECT_TRUE(view->translateAccelerator(repeated));
        pump();
        EXPECT_EQ(cell(2, 2).background, 3);
        MSG fresh{window, WM_KEYUP, 'Z', 1, 0, {}};
        view->translateAccelerator(fresh);
        MSG again{window, WM_KEYDOWN, 'Z', 1, 0, {}};
        EXPECT_TRUE(view->translateAccelerator(again));
        pump();
        EXPECT_EQ(cell(2, 2).background, 0);
    }
    command(ID_EDIT_REDO);
    EXPECT_EQ(cell(2, 2).background, 3);
}

TEST_F(MapViewWindow, DeleteWithoutSelectionClearsTheMapAndOneUndoRestoresIt) {
    for (int i = 0; i < 6; ++i)
        press(mid(i), mid(i));
    key(VK_ESCAPE);
    key(VK_DELETE);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(cell(i, i).background, 0);
    command(ID_EDIT_UNDO);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(cell(i, i).background, 3);
}

// While the message loop waits, the view draws the next pages ahead; a page scroll then only shows one.
TEST_F(MapViewWindow, WaitingForInputDrawsThePagesAhead) {
    view->setScrollOrigin(5, 5, false, true);
    const int before = view->scrollsDrawnAhead();
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 400) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        pump();
    }
    view->setScrollOrigin(5, 5 + 10, false, true);
    EXPECT_EQ(view->scrollsDrawnAhead(), before + 1);
    // The way back is the image shown before.
    view->setScrollOrigin(5, 5, false, true);
    EXPECT_EQ(view->scrollsDrawnAhead(), before + 2);
}

TEST_F(MapViewWindow, CursorKeysAndPagesAskTheParentToScroll) {
    press(mid(10), mid(10));
    key(VK_RIGHT);
    view->setScrollOrigin(1, 0, false, true); // as the main window answers
    key(VK_DOWN);
    key(VK_PRIOR);
    key(VK_NEXT);
    key(VK_HOME);
    key(VK_END);
    EXPECT_EQ(log.scrolls, (std::vector<LPARAM>{2, 3, 5, 7, 8, 6}));
    EXPECT_EQ(view->basePoint().x, 11);
    EXPECT_EQ(view->basePoint().y, 11);
    // With the base point out of view the view centres on it and says where it went.
    view->setScrollOrigin(0, 0, false, true);
    view->setScrollOrigin(0, 0, false, true);
    log.scrolls.clear();
    key(VK_LEFT);
    ASSERT_EQ(log.origins.size(), 1u);
    EXPECT_EQ(view->scrollColumn(), 5);
    EXPECT_EQ(view->scrollRow(), 6);
    EXPECT_EQ(log.origins[0], (WPARAM(6) << 16 | 5));
}

TEST_F(MapViewWindow, SelectionDragAutoScrollsThroughTheParent) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at(mid(5), mid(5)));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, at(401, mid(5)));
    EXPECT_EQ(view->currentPoint().x, 10);
    SendMessageW(window, WM_TIMER, 4096, 0);
    EXPECT_EQ(log.scrolls, (std::vector<LPARAM>{2}));
    EXPECT_EQ(view->currentPoint().x, 11);
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, at(401, 401));
    SendMessageW(window, WM_TIMER, 4096, 0);
    EXPECT_EQ(log.buttons, (std::vector<int>{12004}));
    SendMessageW(window, WM_LBUTTONUP, 0, at(401, 401));
    SendMessageW(window, WM_TIMER, 4096, 0);
    EXPECT_EQ(log.scrolls.size(), 1u);
    EXPECT_EQ(log.buttons.size(), 1u);
}

TEST_F(MapViewWindow, DroppedMapFileIsHandedToTheParent) {
    SendMessageW(window, WM_DROPFILES,
                 reinterpret_cast<WPARAM>(
                     makeFileDrop({L"C:\\maps\\notes.txt", L"C:\\M\u00FCller \U0001F5FA\\cave.med"})),
                 0);
    ASSERT_EQ(log.drops.size(), 1u);
    EXPECT_EQ(log.drops[0], u"C:\\M\u00FCller \U0001F5FA\\cave.med"); // a name CP932 cannot hold
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(makeFileDrop({L"C:\\a.txt", L"C:\\b.medx"})),
                 0);
    EXPECT_EQ(log.drops.size(), 1u);
}

TEST_F(MapViewWindow, MapPopupEnablesUndoByTheJournal) {
    std::vector<UINT> undoStates;
    int chosen = 0;
    view->setPopupHook([&](HMENU menu, int submenu) {
        EXPECT_EQ(submenu, 0);
        undoStates.push_back(GetMenuState(menu, ID_EDIT_UNDO, MF_BYCOMMAND) & MF_GRAYED);
        undoStates.push_back(GetMenuState(menu, ID_EDIT_REDO, MF_BYCOMMAND) & MF_GRAYED);
        return chosen;
    });
    SendMessageW(window, WM_RBUTTONUP, 0, at(mid(3), mid(3)));
    press(mid(4), mid(4));
    chosen = ID_EDIT_UNDO;
    SendMessageW(window, WM_RBUTTONUP, 0, at(mid(3), mid(3)));
    EXPECT_EQ(cell(4, 4).background, 0);
    EXPECT_EQ(undoStates, (std::vector<UINT>{MF_GRAYED, MF_GRAYED, 0, MF_GRAYED}));
    // Off the grid no menu shows.
    SendMessageW(window, WM_RBUTTONUP, 0, at(5, 5));
    EXPECT_EQ(undoStates.size(), 4u);
}

TEST_F(MapViewWindow, CommentPopupAndInPlaceEditing) {
    CommentArea* area = document.addComment(prompter);
    ASSERT_NE(area, nullptr);
    ASSERT_TRUE(area->setFrame({34, 34, 154, 114}));
    view->rerender();
    int submenu = -1;
    view->setPopupHook([&](HMENU, int which) {
        submenu = which;
        return 0;
    });
    SendMessageW(window, WM_RBUTTONUP, 0, at(25 + 90, 25 + 70));
    EXPECT_EQ(submenu, 1);
    // Press, release, double-click: the editor opens over the text.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at(25 + 90, 25 + 70));
    SendMessageW(window, WM_LBUTTONUP, 0, at(25 + 90, 25 + 70));
    SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at(25 + 90, 25 + 70));
    ASSERT_TRUE(view->editingInPlace());
    EXPECT_TRUE(IsWindowVisible(view->inPlaceEditor()));
    // The whole text rectangle, 3 pixels in, is for the text: the text wraps where it is drawn.
    RECT client{};
    GetClientRect(view->inPlaceEditor(), &client);
    EXPECT_EQ(client.right, area->textRect().width() - 6);
    // Delete and cursor keys reaching the view while the text is typed stay with the text.
    if (GetFocus() == view->inPlaceEditor()) {
        EXPECT_TRUE(view->onCommand(ID_EDIT_DELETE));
        EXPECT_TRUE(view->onCommand(ID_VIEW_LEFT));
        EXPECT_TRUE(view->editingInPlace());
        EXPECT_EQ(document.commentCount(), 1);
    }
    SetWindowTextW(view->inPlaceEditor(), L"line one\r\nline two");
    // Esc from the editor goes through the view's hook.
    MSG escape{view->inPlaceEditor(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    EXPECT_TRUE(view->translateAccelerator(escape));
    EXPECT_FALSE(view->editingInPlace());
    EXPECT_FALSE(IsWindowVisible(view->inPlaceEditor()));
    ASSERT_EQ(document.commentCount(), 1);
    EXPECT_EQ(document.commentAt(0)->text(), "line one\r\nline two");
    command(ID_EDIT_UNDO);
    EXPECT_EQ(document.commentAt(0)->text(), "ダブルクリックでコメントを編集できます");
    // Esc typed into the editor itself, without any message loop hook, finishes it too.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at(25 + 90, 25 + 70));
    SendMessageW(window, WM_LBUTTONUP, 0, at(25 + 90, 25 + 70));
    SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at(25 + 90, 25 + 70));
    ASSERT_TRUE(view->editingInPlace());
    EXPECT_TRUE(SendMessageW(view->inPlaceEditor(), WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
    SetWindowTextW(view->inPlaceEditor(), L"typed");
    SendMessageW(view->inPlaceEditor(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_FALSE(view->editingInPlace());
    EXPECT_EQ(document.commentAt(0)->text(), "typed");
}

TEST_F(MapViewWindow, FormatCommandEditsTheActiveAreaInItsDialog) {
    CommentArea* area = document.addComment(prompter);
    ASSERT_NE(area, nullptr);
    ASSERT_TRUE(area->setFrame({34, 34, 154, 114}));
    document.setUndoDepth(16);
    view->rerender();
    DibCanvas before(404, 404);
    compose(before);
    ASSERT_EQ(before.at(25 + 34, 25 + 70), RGB(0, 0, 0)) << "the frame's left side";
    view->setPopupHook([](HMENU, int) { return ID_COMMENT_FORMAT; });
    HWND owner = nullptr;
    ASSERT_TRUE(
        test::driveModal([&] { SendMessageW(window, WM_RBUTTONUP, 0, at(25 + 90, 25 + 70)); },
                         [&](HWND dialog) {
                             owner = GetWindow(dialog, GW_OWNER);
                             HWND look = nullptr;
                             for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
                                 if (GetDlgItem(c, IDC_CLOOK_RED_BAR))
                                     look = c;
                             ASSERT_NE(look, nullptr);
                             HWND styles = GetDlgItem(look, IDC_CLOOK_FRAME_STYLE);
                             SendMessageW(styles, CB_SETCURSEL, comment::frame::none, 0);
                             SendMessageW(look, WM_COMMAND, MAKEWPARAM(IDC_CLOOK_FRAME_STYLE, CBN_SELCHANGE),
                                          reinterpret_cast<LPARAM>(styles));
                             test::click(dialog, IDOK);
                         }));
    EXPECT_EQ(owner, parent) << "owned by the view's top-level window";
    EXPECT_EQ(area->frameStyle(), comment::frame::none);
    DibCanvas after(404, 404);
    compose(after);
    EXPECT_NE(after.at(25 + 34, 25 + 70), RGB(0, 0, 0)) << "drawn again without its frame";
    command(ID_EDIT_UNDO);
    EXPECT_EQ(document.commentAt(0)->frameStyle(), comment::frame::rectangle);
    EXPECT_FALSE(document.canUndo()) << "one step";
}

TEST_F(MapViewWindow, CornerHoleIsCutOutOfTheWindow) {
    view->cutCornerHole(RECT{0, 0, 22, 22});
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 5, 5));
    EXPECT_TRUE(PtInRegion(region, 100, 100));
    DeleteObject(region);
}

TEST_F(MapViewWindow, CompositeInvertsSelectionMarkerAndHoverButNotCommentAreas) {
    press(mid(1), mid(1), MK_CONTROL); // Ctrl: select without painting
    press(mid(3), mid(2), MK_SHIFT | MK_CONTROL);
    SendMessageW(window, WM_MOUSEMOVE, 0, at(mid(6), edge(6, 2))); // top edge of (6, 6)
    DibCanvas canvas(404, 404);
    compose(canvas);
    // Selection (1,1)-(3,2): cell interiors inverted.
    EXPECT_EQ(canvas.at(edge(2, 3), edge(2, 3)), inverted(cream));
    EXPECT_EQ(canvas.at(edge(3, 30), edge(1, 30)), inverted(cream));
    EXPECT_EQ(canvas.at(edge(4, 3), edge(1, 3)), cream);
    // Marker style 0 in the base cell (inverted twice: cream again), its rim only by the selection.
    EXPECT_EQ(canvas.at(mid(1), mid(1)), cream);
    EXPECT_EQ(canvas.at(edge(1, 3), edge(1, 3)), inverted(cream));
    // The hover bar over the top edge of (6, 6).
    EXPECT_EQ(canvas.at(mid(6), edge(6, 1)), inverted(cream));
    EXPECT_EQ(canvas.at(mid(6), edge(6, 4)), cream);
    const std::string folder = test::pictureFolder("view");
    if (!folder.empty()) {
        auto pixels = canvas.snapshot();
        test::writePng(folder + "selection_and_hover.png", 404, 404, pixels.data());
    }
    // Style 1: bands through the base column and row.
    view->setMarkerStyle(1);
    compose(canvas);
    EXPECT_EQ(canvas.at(mid(1), edge(8, 17)), inverted(cream));
    EXPECT_EQ(canvas.at(edge(8, 17), mid(1)), inverted(cream));
    if (!folder.empty()) {
        auto pixels = canvas.snapshot();
        test::writePng(folder + "marker_bands.png", 404, 404, pixels.data());
    }
    view->setMarkerStyle(2);

    // A comment area over the selection keeps its own pixels.
    CommentArea* area = document.addComment(prompter);
    ASSERT_TRUE(area->setFrame({34 + 2, 34 + 2, 34 + 60, 34 + 50}));
    view->rerender();
    SendMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1); // deselects nothing of the comment; selection collapses
    press(mid(1), mid(8), MK_CONTROL);
    press(mid(3), mid(2), MK_SHIFT | MK_CONTROL);
    compose(canvas);
    EXPECT_EQ(canvas.at(25 + 34 + 30, 25 + 34 + 30), RGB(255, 255, 255));
    EXPECT_EQ(canvas.at(edge(3, 20), edge(3, 20)), inverted(cream));
    if (!folder.empty()) {
        auto pixels = canvas.snapshot();
        test::writePng(folder + "selection_under_comment.png", 404, 404, pixels.data());
    }
}

TEST_F(MapViewWindow, HeldDragBeyondTheRightEdgeScrollsEvery256msThenEvery128ms) {
    InputLock lock;
    // The real cursor waits where the drag goes, so that the moves it makes (confining it, say) agree.
    POINT beyond{401, mid(5)};
    ClientToScreen(window, &beyond);
    SetCursorPos(beyond.x, beyond.y);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, at(mid(5), mid(5)));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, at(401, mid(5)));
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 2600) {
        pump();
        Sleep(5);
    }
    SendMessageW(window, WM_LBUTTONUP, 0, at(401, mid(5)));
    // The map has 20 columns: the current point stops at the last one while the requests go on.
    EXPECT_EQ(view->currentPoint().x, 19);
    ASSERT_GE(log.scrollTimes.size(), 9u);
    EXPECT_EQ(log.scrolls[0], 2);
    // Five ticks 256 ms apart, the sixth restarts the timer at 128 ms.
    for (std::size_t i = 1; i < 5; ++i)
        EXPECT_GE(log.scrollTimes[i] - log.scrollTimes[i - 1], 200u) << i;
    for (std::size_t i = 7; i < log.scrollTimes.size(); ++i)
        EXPECT_LE(log.scrollTimes[i] - log.scrollTimes[i - 1], 200u) << i;
    const std::size_t ticks = log.scrolls.size();
    pump();
    Sleep(300);
    pump();
    EXPECT_EQ(log.scrolls.size(), ticks); // released: no more ticks
}

TEST_F(MapViewWindow, WideViewEdgeZoneAndCommentCursors) {
    document.setViewMode(true);
    view->rerender();
    // 6 pixels inside a 22-pixel cell is the cell.
    press(25 + 22 + 6, 25 + 22 + 6);
    EXPECT_EQ(cell(1, 1).background, 3);
    EXPECT_EQ(cell(1, 1).verticalWall, 0);
    EXPECT_EQ(cell(1, 1).horizontalWall, 0);
    press(25 + 44 + 4, 25 + 22 + 11);
    EXPECT_EQ(cell(2, 1).verticalWall, 5);
    document.setViewMode(false);
    view->rerender();
    // Over a comment area the cursor is the one its part asks for.
    CommentArea* area = document.addComment(prompter);
    ASSERT_TRUE(area->setFrame({34, 34, 154, 114}));
    view->rerender();
    SendMessageW(window, WM_MOUSEMOVE, 0, at(25 + 90, 25 + 70));
    EXPECT_EQ(view->editor().commentCursor(), CommentCursor::move);
    EXPECT_TRUE(view->editor().hover().none());
    EXPECT_EQ(SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    SendMessageW(window, WM_MOUSEMOVE, 0, at(mid(8), mid(8)));
    EXPECT_EQ(view->editor().commentCursor(), CommentCursor::none);
}

TEST_F(MapViewWindow, CommentDragMovesTheAreaAndAutoScrolls) {
    CommentArea* area = document.addComment(prompter);
    ASSERT_TRUE(area->setFrame({34, 34, 154, 114}));
    view->rerender();
    const PixelRect before = area->frame();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at(25 + 90, 25 + 70));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, at(25 + 100, 25 + 90));
    DibCanvas canvas(404, 404);
    compose(canvas); // the drag feedback shows
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, at(25 + 110, 402));
    SendMessageW(window, WM_TIMER, 4097, 0);
    EXPECT_EQ(log.scrolls, (std::vector<LPARAM>{3}));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, at(25 + 110, 25 + 90));
    SendMessageW(window, WM_LBUTTONUP, 0, at(25 + 110, 25 + 90));
    EXPECT_EQ(area->frame(), before.offset(20, 20));
    command(ID_EDIT_UNDO);
    ASSERT_EQ(document.commentCount(), 1);
    EXPECT_EQ(document.commentAt(0)->frame(), before);
}

TEST_F(MapViewWindow, MovesWithoutTheHeldButtonDragNothing) {
    // A move reported with the button up during a press (the real pointer elsewhere, pulled into the
    // confinement) neither carries a new comment area away nor stretches the selection.
    CommentArea* area = document.addComment(prompter);
    ASSERT_TRUE(area->setFrame({34, 34, 154, 114}));
    view->rerender();
    const PixelRect before = area->frame();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at(25 + 90, 25 + 70));
    SendMessageW(window, WM_MOUSEMOVE, 0, at(390, 390));
    SendMessageW(window, WM_LBUTTONUP, 0, at(25 + 90, 25 + 70));
    EXPECT_EQ(area->frame(), before);
    SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at(25 + 90, 25 + 70));
    EXPECT_TRUE(view->editingInPlace());
    SendMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1);

    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, at(mid(8), mid(8)));
    SendMessageW(window, WM_MOUSEMOVE, 0, at(mid(10), mid(10)));
    SendMessageW(window, WM_LBUTTONUP, 0, at(mid(10), mid(10)));
    EXPECT_EQ(view->currentPoint().x, view->basePoint().x);
    EXPECT_EQ(view->currentPoint().y, view->basePoint().y);
}

TEST_F(MapViewWindow, MouseLeaveDropsTheHover) {
    SendMessageW(window, WM_MOUSEMOVE, 0, at(mid(6), edge(6, 2)));
    EXPECT_FALSE(view->editor().hover().none());
    SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(view->editor().hover().none());
}

TEST_F(MapViewWindow, CutAndPasteSelectTheBlock) {
    ASSERT_TRUE(clipboard.registerFormats());
    press(mid(1), mid(1));
    press(mid(2), mid(2), MK_SHIFT);
    command(ID_EDIT_CUT);
    EXPECT_EQ(cell(1, 1).background, 0);
    press(mid(6), mid(5), MK_CONTROL);
    command(ID_EDIT_PASTE);
    EXPECT_EQ(cell(6, 5).background, 3);
    EXPECT_EQ(cell(7, 6).background, 3);
    EXPECT_EQ(view->currentPoint().x, 7);
    EXPECT_EQ(view->currentPoint().y, 6);
}

TEST(MapViewRobustness, MessagesBeforeAMapExistsAndAfterEverything) {
    MapDocument document; // no cells yet
    DrawingResourceCache cache;
    test::RecordingPrompter prompter;
    MapClipboard clipboard(document, prompter);
    ParentLog log;
    currentLog = &log;
    HWND parent = makeParent();
    {
        MapView view(document, cache, clipboard, prompter);
        ASSERT_TRUE(view.create(parent, IDC_MAP_VIEW, RECT{8, 5, 412, 409}));
        HWND w = view.handle();
        const UINT mouse[] = {WM_MOUSEMOVE,     WM_LBUTTONDOWN, WM_LBUTTONUP,
                              WM_LBUTTONDBLCLK, WM_RBUTTONUP,   WM_MOUSELEAVE};
        for (UINT m : mouse)
            for (int p : {-50, 0, 24, 100, 398, 403, 5000})
                SendMessageW(w, m, 0, at(p, p));
        for (int k : {int('W'), int('Z'), int('A'), int('S'), int('X'), int('C'), VK_UP, VK_DOWN, VK_LEFT,
                      VK_RIGHT, VK_DELETE, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_HOME, VK_END})
            SendMessageW(w, WM_KEYDOWN, k, 1);
        for (int id = 32771; id <= 32800; ++id)
            SendMessageW(w, WM_COMMAND, id, 0);
        SendMessageW(w, WM_TIMER, 4096, 0);
        SendMessageW(w, WM_TIMER, 4097, 0);
        DibCanvas canvas(404, 404);
        view.paintInto(canvas.dc());
        UpdateWindow(w);
        // Then a map appears and is clicked at its far corner while dragging out of the window.
        ASSERT_TRUE(document.resize(255, 255, true));
        view.centreOn(254, 254);
        SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at(390, 390));
        SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, at(5000, -5000));
        SendMessageW(w, WM_TIMER, 4096, 0);
        SendMessageW(w, WM_LBUTTONUP, 0, at(5000, -5000));
        view.setScrollOrigin(1000, 1000, true, true);
        EXPECT_EQ(view.scrollColumn(), 244);
        EXPECT_EQ(view.basePoint().x, 249);
    }
    currentLog = nullptr;
}

} // namespace
} // namespace tav::win
