#include "model/view/map_editor.h"

#include <random>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "model/view/map_layout.h"
#include "support/recording_prompter.h"

namespace tav {
namespace {

using namespace view_input;
using test::RecordingPrompter;

struct RecordingHost : EditorHost {
    int rerenders = 0;
    int repaints = 0;
    std::vector<int> scrolls;
    std::vector<CellPoint> origins;
    std::vector<int> diagonals;
    std::vector<std::pair<int, int>> timerStarts;
    std::vector<int> timerStops;
    bool alive = true;

    void rerender() override { ++rerenders; }
    void repaint() override { ++repaints; }
    void requestScroll(int request) override { scrolls.push_back(request); }
    void originChanged(CellPoint origin) override { origins.push_back(origin); }
    void diagonalScroll(int buttonId) override { diagonals.push_back(buttonId); }
    void startTimer(int id, int period) override { timerStarts.emplace_back(id, period); }
    void stopTimer(int id) override { timerStops.push_back(id); }
    bool ownerAlive() const override { return alive; }
};

struct FakeClipboard : EditorClipboard {
    std::vector<CellRect> copied;
    bool cutLast = false;
    int pasteWidth = 3, pasteHeight = 2;
    bool comment = false;
    CommentArea* pastedArea = nullptr;
    MapDocument* document = nullptr;
    RecordingPrompter prompter;

    bool copyCells(CellRect rect, bool cut) override {
        copied.push_back(rect);
        cutLast = cut;
        if (cut)
            document->clearRect(rect, true);
        return true;
    }
    bool pasteCells(int, int, int& width, int& height) override {
        width = pasteWidth;
        height = pasteHeight;
        return true;
    }
    bool copyComment(const CommentArea& area, bool cut) override {
        if (cut)
            document->deleteComment(&area);
        return true;
    }
    CommentArea* pasteComment(int, int) override { return pastedArea = document->addComment(prompter); }
    bool holdsComment() const override { return comment; }
};

// Pixel of the middle of visible cell (column, row), or u, v pixels from its top-left grid corner.
int mid(int index, int pitch = 34) {
    return 25 + index * pitch + pitch / 2;
}
int at(int index, int offset, int pitch = 34) {
    return 25 + index * pitch + offset;
}

class MapEditorTest : public ::testing::Test {
protected:
    MapDocument doc;
    RecordingHost host;
    FakeClipboard clipboard;
    MapEditor editor{doc, host, &clipboard};

    void SetUp() override {
        ASSERT_TRUE(doc.resize(20, 20, true));
        clipboard.document = &doc;
        editor.setWallMark(5);
        editor.setRoomMark(7);
        editor.setBackground(2);
    }
    const Cell& cell(int column, int row) const { return doc.cell(column, row); }
    void click(int column, int row, bool ctrl = false, bool shift = false) {
        editor.leftPress(mid(column), mid(row), ctrl, shift);
        editor.leftRelease();
    }
};

TEST_F(MapEditorTest, PressOnAnEdgeSetsTheWallAndOnACellRoomAndBackgroundInOneStep) {
    editor.leftPress(mid(2), at(3, 2), false, false); // top edge of (2, 3)
    editor.leftRelease();
    EXPECT_EQ(cell(2, 3).horizontalWall, 5);
    editor.leftPress(at(4, 31), mid(1), false, false); // right edge of (4, 1)
    editor.leftRelease();
    EXPECT_EQ(cell(5, 1).verticalWall, 5);
    click(6, 6);
    EXPECT_EQ(cell(6, 6).room, 7);
    EXPECT_EQ(cell(6, 6).background, 2);
    EXPECT_EQ(editor.base(), (CellPoint{6, 6}));
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(cell(6, 6), Cell{});
    EXPECT_EQ(cell(5, 1).verticalWall, 5);
    EXPECT_GT(host.rerenders, 0);
}

TEST_F(MapEditorTest, CtrlPressChangesNoWallAndOnlyMovesTheSelection) {
    editor.leftPress(mid(2), at(3, 2), true, false);
    editor.leftRelease();
    EXPECT_EQ(cell(2, 3), Cell{});
    EXPECT_EQ(editor.base(), (CellPoint{2, 3}));
    EXPECT_FALSE(doc.canUndo());
}

TEST_F(MapEditorTest, DisabledLayersAreNeverChanged) {
    doc.setEditMask(layer::bit(layer::horizontalWall) | layer::bit(layer::room), 0);
    editor.leftPress(mid(2), at(3, 2), false, false);
    editor.leftRelease();
    click(6, 6);
    EXPECT_EQ(cell(2, 3).horizontalWall, 0);
    EXPECT_EQ(cell(6, 6).room, 0);
    EXPECT_EQ(cell(6, 6).background, 2);
    editor.letterKey('W');
    editor.letterKey('X');
    EXPECT_EQ(cell(6, 6).horizontalWall, 0);
    EXPECT_EQ(cell(6, 6).room, 0);
}

TEST_F(MapEditorTest, ShiftPressExtendsAndAPressInsideKeepsTheSelection) {
    click(2, 2);
    click(4, 3, false, true);
    EXPECT_EQ(editor.base(), (CellPoint{2, 2}));
    EXPECT_EQ(editor.current(), (CellPoint{4, 3}));
    // A cell press inside the selection fills all of it and keeps it.
    click(3, 3);
    EXPECT_EQ(editor.current(), (CellPoint{4, 3}));
    for (int r = 2; r <= 3; ++r)
        for (int c = 2; c <= 4; ++c)
            EXPECT_EQ(cell(c, r).room, 7) << c << "," << r;
    EXPECT_EQ(cell(5, 3).room, 0);
    // Outside it collapses.
    click(8, 8);
    EXPECT_EQ(editor.base(), (CellPoint{8, 8}));
    EXPECT_FALSE(editor.selected());
}

TEST_F(MapEditorTest, EdgePressInsideTheSelectionSetsAllTopOrBottomEdges) {
    editor.setSelection({2, 2}, {4, 3});
    // The bottom border of the selection: the extended row.
    editor.leftPress(mid(3), at(3, 32), false, false);
    editor.leftRelease();
    // The bottom edges of every selected cell: rows 3 and 4, not the top row.
    for (int c = 2; c <= 4; ++c) {
        EXPECT_EQ(cell(c, 4).horizontalWall, 5);
        EXPECT_EQ(cell(c, 3).horizontalWall, 5);
        EXPECT_EQ(cell(c, 2).horizontalWall, 0);
    }
    EXPECT_EQ(cell(5, 4).horizontalWall, 0);
    EXPECT_EQ(editor.current(), (CellPoint{4, 3})); // inside the extended selection: kept
    // An inner edge sets the top edges.
    editor.setWallMark(6);
    editor.leftPress(mid(2), at(3, 1), false, false);
    editor.leftRelease();
    for (int c = 2; c <= 4; ++c) {
        EXPECT_EQ(cell(c, 2).horizontalWall, 6);
        EXPECT_EQ(cell(c, 3).horizontalWall, 6);
        EXPECT_EQ(cell(c, 4).horizontalWall, 5);
    }
    // Right border: the right edges.
    editor.leftPress(at(4, 32), mid(2), false, false);
    editor.leftRelease();
    for (int c = 3; c <= 5; ++c) {
        EXPECT_EQ(cell(c, 2).verticalWall, 6);
        EXPECT_EQ(cell(c, 3).verticalWall, 6);
    }
    EXPECT_EQ(cell(2, 2).verticalWall, 0);
    EXPECT_EQ(cell(6, 2).verticalWall, 0);
}

TEST_F(MapEditorTest, EdgePressOutsideTheSelectionSetsOnlyThatEdgeAndCollapses) {
    editor.setSelection({2, 2}, {3, 2});
    editor.leftPress(mid(8), at(8, 2), false, false);
    editor.leftRelease();
    EXPECT_EQ(cell(8, 8).horizontalWall, 5);
    EXPECT_EQ(cell(2, 2).horizontalWall, 0);
    EXPECT_FALSE(editor.selected());
}

TEST_F(MapEditorTest, ZAndWOnTwoCellsTouchExactlyTheirEdges) {
    editor.setSelection({3, 4}, {4, 4});
    editor.letterKey('Z');
    EXPECT_EQ(cell(3, 5).horizontalWall, 5);
    EXPECT_EQ(cell(4, 5).horizontalWall, 5);
    EXPECT_EQ(cell(2, 5).horizontalWall, 0);
    EXPECT_EQ(cell(5, 5).horizontalWall, 0);
    EXPECT_EQ(cell(3, 4).horizontalWall, 0);
    editor.setWallMark(9);
    editor.letterKey('W');
    EXPECT_EQ(cell(3, 4).horizontalWall, 9);
    EXPECT_EQ(cell(4, 4).horizontalWall, 9);
    EXPECT_EQ(cell(2, 4).horizontalWall, 0);
    EXPECT_EQ(cell(5, 4).horizontalWall, 0);
    EXPECT_EQ(cell(3, 5).horizontalWall, 5);
    editor.letterKey('A');
    editor.setWallMark(3);
    editor.letterKey('S');
    EXPECT_EQ(cell(3, 4).verticalWall, 9); // left edge of the left cell
    EXPECT_EQ(cell(4, 4).verticalWall, 3); // between the two: right edge of the left cell
    EXPECT_EQ(cell(5, 4).verticalWall, 3);
    EXPECT_EQ(cell(6, 4).verticalWall, 0);
    EXPECT_EQ(cell(3, 3).verticalWall, 0);
}

TEST_F(MapEditorTest, LetterKeysWithoutSelectionEditTheBaseCell) {
    editor.setSelection({6, 7}, {6, 7});
    editor.letterKey('W');
    editor.letterKey('A');
    editor.letterKey('X');
    editor.letterKey('C');
    EXPECT_EQ(cell(6, 7), (Cell{5, 5, 7, 2}));
    editor.setWallMark(4);
    editor.letterKey('Z');
    editor.letterKey('S');
    EXPECT_EQ(cell(6, 8).horizontalWall, 4);
    EXPECT_EQ(cell(7, 7).verticalWall, 4);
    EXPECT_FALSE(editor.letterKey('Q'));
}

TEST_F(MapEditorTest, SOnTheLastColumnSetsColumnZeroAndZOnTheLastRowRowZero) {
    editor.setSelection({19, 4}, {19, 4});
    editor.letterKey('S');
    EXPECT_EQ(cell(0, 4).verticalWall, 5);
    editor.setSelection({3, 19}, {3, 19});
    editor.letterKey('Z');
    EXPECT_EQ(cell(3, 0).horizontalWall, 5);
    // The same with a selection along the borders.
    editor.setWallMark(8);
    editor.setSelection({18, 10}, {19, 11});
    editor.letterKey('S');
    EXPECT_EQ(cell(0, 10).verticalWall, 8);
    EXPECT_EQ(cell(0, 11).verticalWall, 8);
    EXPECT_EQ(cell(19, 10).verticalWall, 8);
    EXPECT_EQ(cell(18, 10).verticalWall, 0);
}

// The right and bottom border lines of a map at least as large as the view, its last column and row in
// view: a press there sets the wall of the wrapped column 0 or row 0, alone or for a whole selection.
TEST_F(MapEditorTest, PressesOnTheRightAndBottomBorderLinesSetTheWrappedWalls) {
    for (const int size : {11, 20}) {
        SCOPED_TRACE(size);
        ASSERT_TRUE(doc.resize(size, size, true));
        const int first = size - 11;
        editor.setScrollOrigin(first, first, false, false);
        editor.setSelection({first + 2, first + 2}, {first + 2, first + 2});
        const int border = 25 + 11 * 34; // just past the grid: still the border's edge
        int wall = 1;
        for (const int x : {border - 1, border, border + 3}) {
            editor.setWallMark(static_cast<std::uint8_t>(++wall));
            editor.leftPress(x, mid(4), false, false);
            editor.leftRelease();
            EXPECT_EQ(cell(0, first + 4).verticalWall, wall) << x;
            EXPECT_EQ(cell(size - 1, first + 4).verticalWall, 0) << x;
            editor.setWallMark(static_cast<std::uint8_t>(++wall));
            editor.leftPress(mid(5), x, false, false);
            editor.leftRelease();
            EXPECT_EQ(cell(first + 5, 0).horizontalWall, wall) << x;
            EXPECT_EQ(cell(first + 5, size - 1).horizontalWall, 0) << x;
        }
        // With the last two columns and rows selected, the border press sets the far edges of all of them.
        editor.setWallMark(20);
        editor.setSelection({size - 2, size - 2}, {size - 1, size - 1});
        editor.leftPress(border - 1, mid(10), false, false);
        editor.leftRelease();
        for (const int row : {size - 2, size - 1}) {
            EXPECT_EQ(cell(0, row).verticalWall, 20) << row;
            EXPECT_EQ(cell(size - 1, row).verticalWall, 20) << row;
            EXPECT_EQ(cell(size - 2, row).verticalWall, 0) << row;
        }
        editor.setWallMark(19);
        editor.setSelection({size - 2, size - 2}, {size - 1, size - 1});
        editor.leftPress(mid(9), border, false, false);
        editor.leftRelease();
        for (const int column : {size - 2, size - 1}) {
            EXPECT_EQ(cell(column, 0).horizontalWall, 19) << column;
            EXPECT_EQ(cell(column, size - 1).horizontalWall, 19) << column;
            EXPECT_EQ(cell(column, size - 2).horizontalWall, 0) << column;
        }
    }
}

TEST_F(MapEditorTest, KeyEditOfAHiddenBaseCentresOnIt) {
    editor.setSelection({18, 18}, {18, 18});
    editor.letterKey('X');
    EXPECT_EQ(cell(18, 18).room, 7);
    ASSERT_FALSE(host.origins.empty());
    EXPECT_EQ(host.origins.back(), (CellPoint{9, 9}));
    EXPECT_EQ(editor.origin(), (CellPoint{9, 9}));
}

TEST_F(MapEditorTest, DeleteWithoutSelectionClearsTheWholeMapAndOneUndoRestoresIt) {
    bool first = false;
    for (int r = 0; r < 20; r += 3)
        for (int c = 0; c < 20; c += 2)
            doc.setCell(c, r, layer::room, 4, first);
    const CellGrid before = doc.grid();
    editor.command(view_command::erase, false);
    for (const Cell& c : doc.grid().cells())
        EXPECT_EQ(c, Cell{});
    editor.command(view_command::undo, false);
    EXPECT_EQ(doc.grid().cells(), before.cells());
}

TEST_F(MapEditorTest, DeleteWithSelectionClearsItAndCollapses) {
    bool first = false;
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c)
            doc.setCell(c, r, layer::room, 4, first);
    editor.setSelection({1, 1}, {2, 2});
    editor.command(view_command::erase, false);
    EXPECT_EQ(cell(1, 1).room, 0);
    EXPECT_EQ(cell(2, 2).room, 0);
    EXPECT_EQ(cell(3, 3).room, 4);
    EXPECT_FALSE(editor.selected());
}

TEST_F(MapEditorTest, RepeatingKeysDoNotUndoAgain) {
    click(1, 1);
    click(2, 2);
    click(3, 3);
    editor.command(view_command::undo, false);
    editor.command(view_command::undo, true);
    editor.command(view_command::undo, true);
    EXPECT_EQ(cell(3, 3).room, 0);
    EXPECT_EQ(cell(2, 2).room, 7);
    editor.command(view_command::redo, true);
    EXPECT_EQ(cell(3, 3).room, 0);
    editor.command(view_command::erase, true);
    EXPECT_EQ(cell(2, 2).room, 7);
}

TEST_F(MapEditorTest, CursorKeysMoveTheBaseAndAskToScroll) {
    editor.setSelection({0, 0}, {2, 2});
    editor.command(view_command::up, false);
    EXPECT_EQ(editor.base(), (CellPoint{0, 0})); // row 0: nothing
    EXPECT_TRUE(editor.selected());
    editor.command(view_command::down, false);
    EXPECT_EQ(editor.base(), (CellPoint{0, 1}));
    EXPECT_FALSE(editor.selected());
    editor.setSelection({10, 5}, {10, 5});
    editor.command(view_command::right, false);
    EXPECT_EQ(editor.base(), (CellPoint{11, 5}));
    ASSERT_EQ(host.scrolls, (std::vector<int>{scroll::columnRight}));
    editor.command(view_command::pageDown, false);
    editor.command(view_command::home, false);
    EXPECT_EQ(host.scrolls, (std::vector<int>{scroll::columnRight, scroll::pageDown, scroll::home}));
}

TEST_F(MapEditorTest, ArrowKeysWithTheBaseScrolledOutOfViewCentreOnIt) {
    editor.setSelection({2, 2}, {2, 2});
    editor.setScrollOrigin(9, 9, false, true);
    editor.command(view_command::left, false);
    EXPECT_EQ(editor.base(), (CellPoint{1, 2}));
    EXPECT_EQ(editor.origin(), (CellPoint{0, 0}));
    ASSERT_FALSE(host.origins.empty());
    EXPECT_EQ(host.origins.back(), (CellPoint{0, 0}));
}

TEST_F(MapEditorTest, ShiftCursorKeysExtendWithinTheMap) {
    editor.setSelection({18, 3}, {18, 3});
    editor.setScrollOrigin(9, 0, false, false);
    editor.command(view_command::extendRight, false);
    editor.command(view_command::extendRight, false);
    editor.command(view_command::extendDown, false);
    EXPECT_EQ(editor.base(), (CellPoint{18, 3}));
    EXPECT_EQ(editor.current(), (CellPoint{19, 4}));
    editor.command(view_command::escape, false);
    EXPECT_EQ(editor.current(), (CellPoint{18, 3}));
}

TEST_F(MapEditorTest, SelectionDragAutoScrollsEvery256msThenEvery128ms) {
    doc.resize(60, 60, true);
    click(5, 5);
    ASSERT_TRUE(editor.leftPress(mid(5), mid(5), false, false));
    editor.mouseMove(mid(8), mid(5));
    EXPECT_EQ(editor.current(), (CellPoint{8, 5}));
    EXPECT_TRUE(host.timerStarts.empty());
    editor.mouseMove(400, mid(5)); // beyond the right edge
    EXPECT_EQ(editor.current(), (CellPoint{10, 5}));
    ASSERT_EQ(host.timerStarts, (std::vector<std::pair<int, int>>{{selectionTimer, 256}}));
    for (int tick = 1; tick <= 5; ++tick)
        editor.timerTick(selectionTimer);
    EXPECT_EQ(host.timerStarts.size(), 1u);
    EXPECT_EQ(editor.tickCount(), 5);
    editor.timerTick(selectionTimer);
    EXPECT_EQ(host.timerStarts.back(), (std::pair<int, int>{selectionTimer, 128}));
    editor.timerTick(selectionTimer);
    EXPECT_EQ(host.timerStarts.size(), 2u);
    EXPECT_EQ(host.scrolls, std::vector<int>(7, scroll::columnRight));
    EXPECT_EQ(editor.current(), (CellPoint{17, 5}));
    editor.leftRelease();
    EXPECT_EQ(host.timerStops, (std::vector<int>{selectionTimer}));
    EXPECT_EQ(editor.tickCount(), 0);
    // A stray tick after the drag stops the timer and scrolls nothing.
    editor.timerTick(selectionTimer);
    EXPECT_EQ(host.scrolls.size(), 7u);
}

TEST_F(MapEditorTest, DiagonalAutoScrollPressesTheCornerButtons) {
    doc.resize(60, 60, true);
    editor.leftPress(mid(5), mid(5), false, false);
    editor.mouseMove(400, 400);
    editor.timerTick(selectionTimer);
    editor.mouseMove(10, 10);
    editor.timerTick(selectionTimer);
    EXPECT_EQ(host.diagonals, (std::vector<int>{diagonal::downRight, diagonal::upLeft}));
    // Back on the grid: the next tick stops the timer.
    editor.mouseMove(mid(3), mid(3));
    editor.timerTick(selectionTimer);
    EXPECT_FALSE(editor.timerRunning(selectionTimer));
    EXPECT_EQ(editor.tickCount(), 0);
    editor.leftRelease();
}

TEST_F(MapEditorTest, AutoScrollStopsWhenTheMainWindowIsGone) {
    editor.leftPress(mid(5), mid(5), false, false);
    editor.mouseMove(400, mid(5));
    host.alive = false;
    editor.timerTick(selectionTimer);
    EXPECT_TRUE(host.scrolls.empty());
    EXPECT_FALSE(editor.timerRunning(selectionTimer));
    editor.leftRelease();
}

TEST_F(MapEditorTest, RightReleaseOutsideTheSelectionCollapsesIt) {
    editor.setSelection({1, 1}, {3, 3});
    EXPECT_EQ(editor.rightRelease(mid(2), mid(2)), PopupMenu::map);
    EXPECT_TRUE(editor.selected());
    EXPECT_EQ(editor.rightRelease(mid(6), mid(6)), PopupMenu::map);
    EXPECT_EQ(editor.base(), (CellPoint{6, 6}));
    EXPECT_FALSE(editor.selected());
    EXPECT_EQ(editor.rightRelease(5, 5), PopupMenu::none);
}

TEST_F(MapEditorTest, PasteSelectsThePastedBlockOrActivatesThePastedComment) {
    editor.setSelection({4, 5}, {4, 5});
    editor.command(view_command::paste, false);
    EXPECT_EQ(editor.current(), (CellPoint{6, 6}));
    clipboard.comment = true;
    editor.command(view_command::paste, false);
    ASSERT_NE(clipboard.pastedArea, nullptr);
    EXPECT_EQ(editor.activeComment(), clipboard.pastedArea);
    // It shows as selected, as an area taken by a press does, so Delete and the arrow keys have a visible
    // target.
    EXPECT_NE(clipboard.pastedArea->dragPart(), comment::part::none);
    // Delete removes the active comment area, not cells.
    bool first = false;
    doc.setCell(4, 5, layer::room, 3, first);
    editor.command(view_command::erase, false);
    EXPECT_EQ(doc.commentCount(), 0);
    EXPECT_EQ(editor.activeComment(), nullptr);
    EXPECT_EQ(cell(4, 5).room, 3);
}

TEST_F(MapEditorTest, CutAndCopyTakeTheSelection) {
    editor.setSelection({3, 3}, {1, 2});
    editor.command(view_command::copy, false);
    editor.command(view_command::cut, false);
    ASSERT_EQ(clipboard.copied.size(), 2u);
    EXPECT_EQ(clipboard.copied[0], (CellRect{1, 2, 3, 3}));
    EXPECT_TRUE(clipboard.cutLast);
}

TEST_F(MapEditorTest, CommentDragMovesTheFrameAndKeysMoveItWithOneUndoStep) {
    RecordingPrompter prompter;
    CommentArea* area = doc.addComment(prompter);
    ASSERT_NE(area, nullptr);
    ASSERT_TRUE(area->setFrame({34, 34, 134, 94}));
    const PixelRect start = area->frame();
    // Press inside the frame, away from the edges.
    ASSERT_TRUE(editor.leftPress(25 + 80, 25 + 60, false, false));
    EXPECT_EQ(editor.drag(), DragState::comment);
    EXPECT_EQ(editor.activeComment(), area);
    editor.mouseMove(25 + 90, 25 + 65);
    editor.leftRelease();
    EXPECT_EQ(area->frame(), start.offset(10, 5));
    const PixelRect moved = area->frame();
    editor.command(view_command::up, false);
    editor.command(view_command::up, true);
    editor.command(view_command::up, true);
    EXPECT_EQ(area->frame(), moved.offset(0, -3));
    ASSERT_TRUE(doc.undo());
    ASSERT_EQ(doc.commentCount(), 1);
    EXPECT_EQ(doc.commentAt(0)->frame(), moved);
}

// A scroll draws only what came into view, so an area shown before learns its new place when taken.
TEST_F(MapEditorTest, AnAreaTakenAfterAScrollShowsItsFeedbackWhereItNowIs) {
    RecordingPrompter prompter;
    CommentArea* area = doc.addComment(prompter);
    ASSERT_NE(area, nullptr);
    ASSERT_TRUE(area->setFrame({200, 150, 300, 210}));
    area->placeOnScreen(viewLayout(20, 20, false, 0, 0).visibleMapRect(), {25, 25});
    editor.setScrollOrigin(3, 2, false, false);
    const PixelRect onScreen = area->frame().offset(25 - 3 * 34, 25 - 2 * 34);
    ASSERT_TRUE(editor.leftPress(onScreen.left + 50, onScreen.top + 30, false, false));
    ASSERT_EQ(editor.activeComment(), area);
    EXPECT_EQ(area->screenFrame(), onScreen);
    EXPECT_EQ(area->feedback(), onScreen);
    editor.leftRelease();
}

TEST_F(MapEditorTest, EscapeLetsTheCommentGoAndCursorKeysMoveTheBaseAgain) {
    RecordingPrompter prompter;
    CommentArea* area = doc.addComment(prompter);
    ASSERT_TRUE(area->setFrame({34, 34, 134, 94}));
    editor.leftPress(25 + 80, 25 + 60, false, false);
    editor.leftRelease();
    ASSERT_EQ(editor.activeComment(), area);
    editor.command(view_command::escape, false);
    EXPECT_EQ(editor.activeComment(), nullptr);
    EXPECT_EQ(area->dragPart(), comment::part::none);
    EXPECT_TRUE(editor.doubleClick(mid(9), mid(9), false, false) == false);
    EXPECT_EQ(editor.base(), (CellPoint{9, 9}));
}

TEST_F(MapEditorTest, ZOrderCommandsWorkOnTheActiveComment) {
    RecordingPrompter prompter;
    CommentArea* lower = doc.addComment(prompter);
    CommentArea* upper = doc.addComment(prompter);
    ASSERT_TRUE(lower->setFrame({200, 200, 260, 260}));
    ASSERT_TRUE(upper->setFrame({0, 0, 60, 60}));
    editor.leftPress(25 + 230 - 0, 25 + 230, false, false);
    editor.leftRelease();
    ASSERT_EQ(editor.activeComment(), lower);
    editor.command(view_command::toTop, false);
    EXPECT_EQ(doc.commentAt(1), lower);
    editor.command(view_command::backward, false);
    EXPECT_EQ(doc.commentAt(0), lower);
}

TEST_F(MapEditorTest, HoverFollowsTheMouseAndLeavesWithIt) {
    editor.mouseMove(mid(2), at(3, 2));
    EXPECT_EQ(editor.hover(), (HoverElement{2, 3, kind::horizontal}));
    const int repaints = host.repaints;
    editor.mouseMove(mid(2) + 1, at(3, 2));
    EXPECT_EQ(host.repaints, repaints); // same element: no repaint
    editor.mouseLeave();
    EXPECT_TRUE(editor.hover().none());
}

TEST_F(MapEditorTest, HoverStaysThroughRedrawsButNotThroughAModeChange) {
    editor.mapChanged();
    editor.mouseMove(mid(2), at(3, 2));
    editor.mapChanged();
    EXPECT_FALSE(editor.hover().none());
    doc.setViewMode(true);
    editor.mapChanged();
    EXPECT_TRUE(editor.hover().none());
    // In wide view the 5-pixel zone: 6 pixels inside a cell is the cell.
    editor.leftPress(25 + 22 + 6, 25 + 22 + 6, false, false);
    editor.leftRelease();
    EXPECT_EQ(cell(1, 1).room, 7);
    EXPECT_EQ(cell(1, 1).verticalWall, 0);
    EXPECT_EQ(cell(1, 1).horizontalWall, 0);
}

TEST(MapEditorRobustness, NothingHappensBeforeAMapExists) {
    MapDocument doc;
    RecordingHost host;
    MapEditor editor(doc, host);
    editor.mouseMove(100, 100);
    EXPECT_FALSE(editor.leftPress(100, 100, false, false));
    editor.mouseMove(500, 500);
    editor.timerTick(selectionTimer);
    editor.leftRelease();
    editor.rightRelease(100, 100);
    editor.doubleClick(100, 100, false, false);
    for (int id = 32771; id <= 32800; ++id)
        editor.command(id, false);
    for (int key : {'W', 'Z', 'A', 'S', 'X', 'C'})
        editor.letterKey(key);
    editor.setScrollOrigin(5, 5, true, true);
    editor.centreOn(3, 3);
    EXPECT_EQ(editor.origin(), (CellPoint{}));
}

TEST(MapEditorRobustness, HugeMapsAndWildPixelsStayInside) {
    MapDocument doc;
    ASSERT_TRUE(doc.resize(MapDocument::maxSide, MapDocument::maxSide, true));
    RecordingHost host;
    MapEditor editor(doc, host);
    editor.setWallMark(1);
    editor.centreOn(254, 254);
    EXPECT_EQ(editor.origin(), (CellPoint{244, 244}));
    for (int x : {-100000, -5, 0, 24, 25, 200, 398, 399, 404, 100000}) {
        for (int y : {-100000, 22, 30, 398, 402, 100000}) {
            editor.mouseMove(x, y);
            editor.leftPress(x, y, false, false);
            editor.mouseMove(x + 1000, y - 1000);
            editor.timerTick(selectionTimer);
            editor.leftRelease();
        }
    }
    editor.setSelection({0, 0}, {254, 254});
    for (int key : {'W', 'Z', 'A', 'S', 'X', 'C'})
        editor.letterKey(key);
    editor.setScrollOrigin(100000, -100000, true, true);
    EXPECT_EQ(editor.origin(), (CellPoint{244, 0}));
    doc.resize(3, 3, false); // the map shrinks under the selection
    editor.command(view_command::erase, false);
    editor.letterKey('S');
    EXPECT_EQ(editor.base(), (CellPoint{2, 2}));
}

} // namespace
} // namespace tav

namespace tav {
namespace {

// With the view's placements the pointer and presses look only at the areas near them; they must find what
// a look at every area finds, anchors a little way off included.
TEST_F(MapEditorTest, PlacementsFindTheSameAreasAsALookAtEveryArea) {
    RecordingPrompter prompter;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> place(0, 600), size(4, 120), offset(-80, 80);
    for (int i = 0; i < 300; ++i) {
        CommentArea* area = doc.addComment(prompter);
        ASSERT_NE(area, nullptr);
        const int x = place(random), y = place(random);
        area->setFrame({x, y, x + size(random), y + size(random)});
        area->setAnchor(offset(random), offset(random));
    }
    CommentPlacements placements;
    placements.rebuild(doc.comments());
    RecordingHost otherHost;
    MapEditor everyArea{doc, otherHost};
    editor.usePlacements(&placements);
    std::uniform_int_distribution<int> pixel(25, 25 + 11 * 34);
    for (int i = 0; i < 3000; ++i) {
        const int x = pixel(random), y = pixel(random);
        editor.mouseMove(x, y);
        everyArea.mouseMove(x, y);
        ASSERT_EQ(editor.commentCursor(), everyArea.commentCursor()) << x << "," << y;
        if (i % 3 == 0) {
            everyArea.leftPress(x, y, true, false);
            everyArea.leftRelease();
            CommentArea* expected = everyArea.activeComment();
            const int part = expected ? expected->dragPart() : 0;
            editor.leftPress(x, y, true, false);
            ASSERT_EQ(editor.activeComment(), expected) << x << "," << y;
            if (expected) {
                EXPECT_EQ(expected->dragPart(), part);
            }
            editor.leftRelease();
        }
    }
}

} // namespace
} // namespace tav
