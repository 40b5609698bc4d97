// Cells and comment areas through the real clipboard: between two documents, from blocks another program
// placed, and between two running processes (this executable started a second time).
#include "win/document/clipboard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "model/document/clipboard_blocks.h"
#include "model/document/grid_checks.h"
#include "support/recording_prompter.h"
#include "win/platform/handles.h"

namespace tav::win {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Source = std::function<std::uint8_t(int column, int row, int layer)>;

// Places raw bytes under a format, as another program would, and answers GlobalSize of the block.
SIZE_T placeRaw(UINT format, const Bytes& bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory)
        return 0;
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    const SIZE_T size = GlobalSize(memory);
    if (!OpenClipboard(GetDesktopWindow())) {
        GlobalFree(memory);
        return 0;
    }
    EmptyClipboard();
    if (!SetClipboardData(format, memory)) {
        GlobalFree(memory);
        CloseClipboard();
        return 0;
    }
    CloseClipboard();
    return size;
}

// The w x h cells at (left, top) are source's, every layer.
::testing::AssertionResult cellsAre(const MapDocument& doc, int left, int top, int w, int h,
                                    const Source& source) {
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c)
            for (int layer = 1; layer <= 4; ++layer)
                if (doc.cell(left + c, top + r).layer(layer) != source(c, r, layer))
                    return ::testing::AssertionFailure()
                           << "cell (" << left + c << "," << top + r << ") layer " << layer;
    return ::testing::AssertionSuccess();
}

// Clipboard tests of concurrently running test processes would take each other's blocks.
class ClipboardTestLock {
public:
    ClipboardTestLock() : mutex_(CreateMutexW(nullptr, FALSE, L"TavrosinClipboardTests")) {
        if (mutex_)
            WaitForSingleObject(mutex_.get(), 60000); // abandoned by a crashed test counts as taken
    }
    ~ClipboardTestLock() {
        if (mutex_)
            ReleaseMutex(mutex_.get());
    }

private:
    FileHandle mutex_;
};

// A: 12 x 10 with every byte set; B: 9 x 7 of empty cells.
class ClipboardExchange : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(a.resize(12, 10, true));
        test::fillPattern(a);
        ASSERT_TRUE(b.resize(9, 7, true));
        ASSERT_TRUE(clipboardA.registerFormats());
        ASSERT_TRUE(clipboardB.registerFormats());
    }
    static std::uint8_t fromA(int column, int row, int layer) {
        return test::patternByte(column, row, layer);
    }

    ClipboardTestLock lock;
    MapDocument a, b;
    test::RecordingPrompter prompter;
    MapClipboard clipboardA{a, prompter};
    MapClipboard clipboardB{b, prompter};
};

TEST_F(ClipboardExchange, CellsCopiedInOneDocumentArePastedInAnother) {
    // A's last two columns: the wall right of them is column 0's.
    ASSERT_TRUE(clipboardA.copyCells({11, 4, 10, 2}, false));
    EXPECT_TRUE(clipboardB.isFormatAvailable(MapClipboard::mapFormatIndex));
    EXPECT_FALSE(clipboardB.isFormatAvailable(MapClipboard::commentFormatIndex));
    EXPECT_FALSE(clipboardB.isFormatAvailable(2));
    EXPECT_FALSE(clipboardB.isFormatAvailable(-1));
    EXPECT_FALSE(a.isModified()) << "a copy changes nothing";

    const CellGrid before = b.grid();
    int w = 0, h = 0;
    ASSERT_TRUE(clipboardB.pasteCells(1, 1, w, h));
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 3);
    EXPECT_TRUE(cellsAre(b, 1, 1, 2, 3, [](int c, int r, int layer) { return fromA(10 + c, 2 + r, layer); }));
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(b.cell(3, 1 + r).verticalWall, fromA(0, 2 + r, layer::verticalWall));
    for (int c = 0; c < 2; ++c)
        EXPECT_EQ(b.cell(1 + c, 4).horizontalWall, fromA(10 + c, 5, layer::horizontalWall));

    ASSERT_TRUE(b.undo());
    EXPECT_TRUE(test::gridIs(b, before));
    // The block stays on the clipboard for the next paste.
    ASSERT_TRUE(clipboardB.pasteCells(7, 5, w, h));
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 2);
}

TEST_F(ClipboardExchange, CutClearsTheSourceAsOneUndoStep) {
    const CellGrid original = a.grid();
    ASSERT_TRUE(clipboardA.copyCells({2, 3, 4, 5}, true));
    EXPECT_EQ(a.cell(3, 4), Cell{});
    EXPECT_EQ(a.cell(5, 4).verticalWall, 0) << "the wall on the right edge goes too";
    ASSERT_TRUE(a.undo());
    EXPECT_TRUE(test::gridIs(a, original));

    int w = 0, h = 0;
    ASSERT_TRUE(clipboardB.pasteCells(0, 0, w, h));
    EXPECT_TRUE(cellsAre(b, 0, 0, 3, 3, [](int c, int r, int layer) { return fromA(2 + c, 3 + r, layer); }));
}

TEST_F(ClipboardExchange, CommentAreaTravelsWithItsLookAndText) {
    a.setNewCommentRect({0, 0, 408, 340});
    CommentArea* area = a.addComment(prompter);
    ASSERT_NE(area, nullptr);
    ASSERT_TRUE(a.setCommentText(*area, "階段↓\r\n地下2階へ", false));
    CommentFormat format = area->format();
    format.textColour = 0x0000FF;
    format.frameStyle = comment::frame::roundedRectangle;
    ASSERT_TRUE(a.setCommentFormat(*area, format, {34, 68, 134, 128}, {10, 80}));
    const CommentRecord source = area->copyRecord();

    ASSERT_TRUE(clipboardA.copyComment(*area, true));
    EXPECT_EQ(a.commentCount(), 0) << "cut deletes the area";
    EXPECT_TRUE(clipboardB.isFormatAvailable(MapClipboard::commentFormatIndex));
    EXPECT_FALSE(clipboardB.isFormatAvailable(MapClipboard::mapFormatIndex)) << "the clipboard was emptied";

    CommentArea* pasted = clipboardB.pasteComment(2, 1);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(b.commentAt(0), pasted);
    EXPECT_EQ(pasted->text(), "階段↓\r\n地下2階へ");
    CommentRecord expected = source;
    expected.left = 2 * 35 + 17, expected.right = expected.left + 100;
    expected.top = 1 * 35 + 17, expected.bottom = expected.top + 60;
    EXPECT_EQ(pasted->copyRecord(), expected);

    ASSERT_TRUE(a.undo());
    ASSERT_EQ(a.commentCount(), 1) << "the cut is undone";
    EXPECT_EQ(a.commentAt(0)->copyRecord(), source);
}

TEST_F(ClipboardExchange, BlocksOfOtherProgramsThatEndTooEarlyAreNotPasted) {
    const CellGrid before = b.grid();
    int w = 0, h = 0;

    // An 8 x 8 header over 100 bytes: far fewer than the 276 it promises.
    Bytes shortMap(100, 0x07);
    shortMap[0] = 8, shortMap[1] = 0, shortMap[2] = 8, shortMap[3] = 0;
    ASSERT_GT(placeRaw(clipboardA.mapFormat(), shortMap), 0u);
    EXPECT_TRUE(clipboardB.isFormatAvailable(MapClipboard::mapFormatIndex));
    EXPECT_FALSE(clipboardB.pasteCells(0, 0, w, h));

    // 2 x 2 needs 24 bytes; one less.
    Bytes map(map_block::sizeFor(2, 2), 0x07);
    map[0] = 2, map[1] = 0, map[2] = 2, map[3] = 0;
    map.pop_back();
    ASSERT_EQ(placeRaw(clipboardA.mapFormat(), map), map.size()) << "the block must be as long as written";
    EXPECT_FALSE(clipboardB.pasteCells(0, 0, w, h));
    EXPECT_TRUE(test::gridIs(b, before));
    EXPECT_FALSE(b.canUndo());

    // A text with no terminating zero inside the block.
    Bytes comment(comment::recordSize + 3, 'a');
    std::fill_n(comment.begin(), comment::recordSize, 0);
    ASSERT_EQ(placeRaw(clipboardA.commentFormat(), comment), comment.size());
    EXPECT_EQ(clipboardB.pasteComment(0, 0), nullptr);
    EXPECT_EQ(b.commentCount(), 0);
    EXPECT_FALSE(b.isModified());

    // The same blocks complete are taken.
    map.push_back(0x07);
    ASSERT_EQ(placeRaw(clipboardA.mapFormat(), map), map.size());
    EXPECT_TRUE(clipboardB.pasteCells(0, 0, w, h));
    comment.push_back(0);
    ASSERT_EQ(placeRaw(clipboardA.commentFormat(), comment), comment.size());
    EXPECT_NE(clipboardB.pasteComment(0, 0), nullptr);
}

TEST_F(ClipboardExchange, WithoutRegisteredFormatsNothingIsExchanged) {
    MapClipboard unregistered(a, prompter);
    EXPECT_FALSE(unregistered.copyCells({0, 0, 1, 1}, true));
    EXPECT_FALSE(a.isModified()) << "a failed cut clears nothing";

    ASSERT_TRUE(clipboardA.copyCells({0, 0, 1, 1}, false));
    int w = 0, h = 0;
    EXPECT_FALSE(unregistered.isFormatAvailable(MapClipboard::mapFormatIndex));
    EXPECT_FALSE(unregistered.pasteCells(0, 0, w, h));
    EXPECT_EQ(unregistered.pasteComment(0, 0), nullptr);
}

// The second process: started by ClipboardProcesses with the variable set to the names of its events.
constexpr wchar_t helperVariable[] = L"TAVROSIN_CLIPBOARD_HELPER";

std::wstring eventName(const std::wstring& tag, const wchar_t* what) {
    return L"TavrosinClipboardHelper-" + tag + L"-" + what;
}

// What the helper copies: columns 3..5, rows 1..3 of a 6 x 5 map, so its right edge is column 0's wall.
std::uint8_t helperByte(int column, int row, int layer) {
    return static_cast<std::uint8_t>(1 + (column * 9 + row * 5 + layer * 61) % 250);
}

TEST(ClipboardHelper, PastesTheFirstProcessCellsAndPlacesItsOwn) {
    wchar_t tag[64] = {};
    if (GetEnvironmentVariableW(helperVariable, tag, 64) == 0)
        GTEST_SKIP() << "runs only as the second process of the two-process clipboard test";
    FileHandle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName(tag, L"ready").c_str()));
    FileHandle done(OpenEventW(SYNCHRONIZE, FALSE, eventName(tag, L"done").c_str()));
    ASSERT_TRUE(ready && done);
    test::RecordingPrompter prompter;

    // The first process copied columns 10..11, rows 2..4 of its patterned 12 x 10 map.
    MapDocument pasted;
    ASSERT_TRUE(pasted.resize(6, 5, true));
    MapClipboard pasting(pasted, prompter);
    ASSERT_TRUE(pasting.registerFormats());
    int w = 0, h = 0;
    ASSERT_TRUE(pasting.pasteCells(1, 1, w, h));
    EXPECT_TRUE(cellsAre(pasted, 1, 1, 2, 3,
                         [](int c, int r, int layer) { return test::patternByte(10 + c, 2 + r, layer); }));
    EXPECT_EQ(pasted.cell(3, 2).verticalWall, test::patternByte(0, 3, layer::verticalWall));

    MapDocument own;
    ASSERT_TRUE(own.resize(6, 5, true));
    bool first = false;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 6; ++c)
            for (int layer = 1; layer <= 4; ++layer)
                own.setCell(c, r, layer, helperByte(c, r, layer), first);
    MapClipboard copying(own, prompter);
    ASSERT_TRUE(copying.registerFormats());
    ASSERT_TRUE(copying.copyCells({3, 1, 5, 3}, false));

    SetEvent(ready.get());
    // Stay running while the first process pastes.
    EXPECT_EQ(WaitForSingleObject(done.get(), 60000), WAIT_OBJECT_0);
}

// Ends the helper when the test ends, however it ends.
struct HelperRun {
    FileHandle process;
    FileHandle done;
    ~HelperRun() {
        if (done)
            SetEvent(done.get());
        if (process && WaitForSingleObject(process.get(), 20000) == WAIT_TIMEOUT)
            TerminateProcess(process.get(), 99);
    }
};

TEST_F(ClipboardExchange, CellsTravelBetweenTwoRunningProcesses) {
    ASSERT_TRUE(clipboardA.copyCells({10, 2, 11, 4}, false));

    const std::wstring tag = std::to_wstring(GetCurrentProcessId());
    FileHandle ready(CreateEventW(nullptr, TRUE, FALSE, eventName(tag, L"ready").c_str()));
    HelperRun helper;
    helper.done.reset(CreateEventW(nullptr, TRUE, FALSE, eventName(tag, L"done").c_str()));
    ASSERT_TRUE(ready && helper.done);

    wchar_t self[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    std::wstring commandLine =
        L"\"" + std::wstring(self) + L"\" --gtest_filter=ClipboardHelper.* --gtest_brief=1";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    SetEnvironmentVariableW(helperVariable, tag.c_str());
    const BOOL started = CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &info);
    SetEnvironmentVariableW(helperVariable, nullptr);
    ASSERT_TRUE(started);
    CloseHandle(info.hThread);
    helper.process.reset(info.hProcess);

    const HANDLE waits[] = {ready.get(), helper.process.get()};
    ASSERT_EQ(WaitForMultipleObjects(2, waits, FALSE, 60000), WAIT_OBJECT_0)
        << "the second process ended or hung before placing its cells";
    EXPECT_EQ(WaitForSingleObject(helper.process.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));

    int w = 0, h = 0;
    ASSERT_TRUE(clipboardB.pasteCells(0, 0, w, h));
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 3);
    EXPECT_TRUE(
        cellsAre(b, 0, 0, 3, 3, [](int c, int r, int layer) { return helperByte(3 + c, 1 + r, layer); }));
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(b.cell(3, r).verticalWall, helperByte(0, 1 + r, layer::verticalWall));
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(b.cell(c, 3).horizontalWall, helperByte(3 + c, 4, layer::horizontalWall));

    SetEvent(helper.done.get());
    ASSERT_EQ(WaitForSingleObject(helper.process.get(), 30000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(helper.process.get(), &exitCode);
    EXPECT_EQ(exitCode, 0u) << "the second process found the first one's cells wrong";
}

} // namespace
} // namespace tav::win
