// Two running copies of the program exchange cells and a comment area through the system clipboard: what
// one copies with Ctrl+C the other pastes with Ctrl+V, typed for real into each window in turn. What the
// receiving copy then holds is read back by having it copy its pasted block, decoded here.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "model/document/clipboard_blocks.h"
#include "resource.h"
#include "support/dialog_driver.h"
#include "support/input_driver.h"
#include "support/program_run.h"
#include "support/temp_folder.h"
#include "win/platform/text.h"

namespace tav::test {
namespace {

// View pixels of the visible cell index (normal view, pitch 34): its middle, and a point on its top or left
// edge.
int mid(int index) {
    return 25 + index * 34 + 17;
}
int onEdge(int index) {
    return 25 + index * 34 + 3;
}

UINT formatOf(const char* name) {
    return RegisterClipboardFormatW(win::widen(name).c_str());
}

// The block of this format on the clipboard, empty when there is none.
std::vector<std::uint8_t> clipboardBlock(UINT format) {
    std::vector<std::uint8_t> bytes;
    if (!waitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 3000))
        return bytes;
    if (HANDLE data = GetClipboardData(format)) {
        if (const void* memory = GlobalLock(data)) {
            bytes.resize(GlobalSize(data));
            std::memcpy(bytes.data(), memory, bytes.size());
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return bytes;
}

// Types the chords into the window and waits for the clipboard to change after the last of them; the
// block of the format then on it.
std::vector<std::uint8_t>
typeAndTakeBlock(HWND window, std::initializer_list<std::initializer_list<WORD>> chords, UINT format) {
    const DWORD before = GetClipboardSequenceNumber();
    for (const auto& chord : chords)
        if (!typeChord(window, chord))
            return {};
    std::vector<std::uint8_t> bytes;
    waitUntil([&] {
        if (GetClipboardSequenceNumber() == before)
            return false;
        bytes = clipboardBlock(format);
        return !bytes.empty();
    });
    return bytes;
}

// Two copies side by side, each from its own program folder, so neither hides the other; they take the
// clipboard, the keyboard and the pointer for themselves.
struct TwoCopies {
    InputLock lock;
    TempFolder folderA{u"clipa"};
    TempFolder folderB{u"clipb"};
    ProgramRun a{folderA.path()};
    ProgramRun b{folderB.path()};
    HWND mainA = a.mainWindow();
    HWND mainB = b.mainWindow();
    HWND viewA = GetDlgItem(mainA, IDC_MAP_VIEW);
    HWND viewB = GetDlgItem(mainB, IDC_MAP_VIEW);

    bool ready() {
        if (!mainA || !mainB || !viewA || !viewB)
            return false;
        SetWindowPos(mainA, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(mainB, nullptr, 640, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        parkPointer(viewA, mid(2), mid(2));
        return true;
    }
};

Cell cell(std::uint8_t horizontal, std::uint8_t vertical, std::uint8_t room, std::uint8_t background) {
    return Cell{horizontal, vertical, room, background};
}

TEST(TwoRunningCopies, CellsCopiedInOneCopyPasteIntoAnother) {
    TwoCopies copies;
    ASSERT_TRUE(copies.ready());
    const UINT mapFormat = formatOf(clipboard_format::mapName);

    // In A (31x31 start map scrolled to 10,10): background 3 chosen as a user would in the chooser, then
    // two rooms clicked in and four walls on the edges of and just beyond the block (visible cells 1..3).
    HWND combo = GetDlgItem(copies.mainA, IDC_BACKGROUND_COMBO);
    SendMessageW(combo, CB_SETCURSEL, 3, 0);
    SendMessageW(copies.mainA, WM_COMMAND, MAKEWPARAM(IDC_BACKGROUND_COMBO, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    sendClick(copies.viewA, mid(1), mid(1));
    sendClick(copies.viewA, mid(3), mid(2));
    sendClick(copies.viewA, mid(2), onEdge(1)); // top of (2, 1)
    sendClick(copies.viewA, onEdge(1), mid(3)); // left of (1, 3)
    sendClick(copies.viewA, onEdge(4), mid(2)); // left of (4, 2): the block's right edge
    sendClick(copies.viewA, mid(3), onEdge(4)); // top of (3, 4): the block's bottom edge
    // Ctrl keeps the press from editing; the drag selects the block.
    sendDrag(copies.viewA, mid(1), mid(1), mid(3), mid(3), MK_CONTROL);

    MapBlock fromA;
    ASSERT_TRUE(MapBlock::decode(typeAndTakeBlock(copies.mainA, {{VK_CONTROL, 'C'}}, mapFormat), fromA));
    ASSERT_EQ(fromA.width(), 3);
    ASSERT_EQ(fromA.height(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            Cell expected;
            if ((c == 0 && r == 0) || (c == 2 && r == 1))
                expected = cell(0, 0, 1, 3);
            if (c == 1 && r == 0)
                expected.horizontalWall = 1;
            if (c == 0 && r == 2)
                expected.verticalWall = 1;
            EXPECT_EQ(fromA.cell(c, r), expected) << c << "," << r;
        }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(fromA.rightEdge(i), i == 1 ? 1 : 0) << i;
        EXPECT_EQ(fromA.bottomEdge(i), i == 2 ? 1 : 0) << i;
    }

    // In B (untouched): a Ctrl-click puts the base point on visible cell (5, 6), Ctrl+V pastes there and
    // selects the pasted block, Ctrl+C puts that block on the clipboard.
    parkPointer(copies.viewB, mid(5), mid(6));
    sendClick(copies.viewB, mid(5), mid(6), MK_CONTROL);
    MapBlock fromB;
    ASSERT_TRUE(MapBlock::decode(
        typeAndTakeBlock(copies.mainB, {{VK_CONTROL, 'V'}, {VK_CONTROL, 'C'}}, mapFormat), fromB));
    EXPECT_EQ(fromB, fromA);
}

TEST(TwoRunningCopies, CommentAreaCopiedInOneCopyPastesIntoAnother) {
    TwoCopies copies;
    ASSERT_TRUE(copies.ready());
    const UINT commentFormat = formatOf(clipboard_format::commentName);
    const std::string text = "宝箱の部屋 B2";

    // In A: a new comment area (in the middle of the view) gets its text typed in place and is selected.
    HWND create = GetDlgItem(copies.mainA, IDC_CREATE_COMMENT);
    PostMessageW(copies.mainA, WM_COMMAND, MAKEWPARAM(IDC_CREATE_COMMENT, BN_CLICKED),
                 reinterpret_cast<LPARAM>(create));
    ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(GetDlgItem(copies.mainA, IDC_UNDO)) != FALSE; }));
    const int centre = 25 + 11 * 34 / 2;
    parkPointer(copies.viewA, centre, centre);
    sendDoubleClick(copies.viewA, centre, centre);
    HWND editor = FindWindowExW(copies.viewA, nullptr, L"Edit", nullptr);
    ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(editor) != FALSE; }));
    SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(win::widen(text).c_str()));
    sendClick(copies.viewA, centre, centre); // stores the text, keeps the area selected

    CommentBlock fromA;
    ASSERT_TRUE(
        CommentBlock::decode(typeAndTakeBlock(copies.mainA, {{VK_CONTROL, 'C'}}, commentFormat), fromA));
    EXPECT_EQ(fromA.text, text);

    // In B: pasted at its scroll origin and selected, then copied back.
    const int column = GetScrollPos(GetDlgItem(copies.mainB, IDC_HSCROLL), SB_CTL);
    const int row = GetScrollPos(GetDlgItem(copies.mainB, IDC_VSCROLL), SB_CTL);
    CommentBlock fromB;
    ASSERT_TRUE(CommentBlock::decode(
        typeAndTakeBlock(copies.mainB, {{VK_CONTROL, 'V'}, {VK_CONTROL, 'C'}}, commentFormat), fromB));
    EXPECT_EQ(fromB.text, text);
    // Everything but the frame's place is A's.
    CommentBlock expected = fromA;
    expected.record.left = column * 35 + 17;
    expected.record.top = row * 35 + 17;
    expected.record.right = expected.record.left + (fromA.record.right - fromA.record.left);
    expected.record.bottom = expected.record.top + (fromA.record.bottom - fromA.record.top);
    EXPECT_EQ(fromB, expected);
}

} // namespace
} // namespace tav::test
