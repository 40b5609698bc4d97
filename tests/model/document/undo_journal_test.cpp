#include "model/document/undo_journal.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "grid_checks.h"
#include "model/document/map_document.h"

namespace tav {
namespace {

using test::CellChanges;
using test::gridIs;
using test::setLayer;

CellGrid patternGrid(int width, int height) {
    CellGrid grid(width, height);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            for (int layer = 1; layer <= 4; ++layer)
                grid.at(c, r).layer(layer) = test::patternByte(c, r, layer);
    return grid;
}

// Which cells a restore puts back: everything else keeps the marker it was overwritten with.
std::vector<std::pair<int, int>> restoredCells(const CellSnapshot& snapshot, const CellGrid& original) {
    CellGrid grid = original;
    std::fill(grid.cells().begin(), grid.cells().end(), Cell{255, 255, 255, 255});
    snapshot.restore(grid);
    std::vector<std::pair<int, int>> restored;
    for (int r = 0; r < grid.height(); ++r)
        for (int c = 0; c < grid.width(); ++c)
            if (grid.at(c, r) == original.at(c, r))
                restored.emplace_back(c, r);
    return restored;
}

TEST(CellSnapshot, CoversTheRectWithItsRightColumnAndRowBelow) {
    const CellGrid grid = patternGrid(10, 20);
    CellSnapshot snapshot = CellSnapshot::take(grid, {4, 5, 2, 3}); // reversed on purpose
    EXPECT_EQ(snapshot.area(), (CellRect{2, 3, 5, 6}));
    EXPECT_EQ(snapshot.cellCount(), 9u + 3u + 3u);

    std::vector<std::pair<int, int>> expected;
    for (int r = 3; r <= 6; ++r)
        for (int c = 2; c <= 5; ++c)
            if (c != 5 || r != 6) // not the corner
                expected.emplace_back(c, r);
    EXPECT_EQ(restoredCells(snapshot, grid), expected);
}

TEST(CellSnapshot, RightColumnAndRowBelowWrapAtTheBorders) {
    const CellGrid grid = patternGrid(10, 20);
    CellSnapshot snapshot = CellSnapshot::take(grid, {7, 17, 9, 19});
    std::vector<std::pair<int, int>> expected = {{7, 0}, {8, 0}, {9, 0}};
    for (int r = 17; r <= 19; ++r) {
        expected.emplace_back(0, r);
        for (int c = 7; c <= 9; ++c)
            expected.emplace_back(c, r);
    }
    EXPECT_EQ(restoredCells(snapshot, grid), expected);
}

TEST(CellSnapshot, NegativeRightAndBottomMeanTheWholeMap) {
    const CellGrid grid = patternGrid(10, 20);
    CellSnapshot snapshot = CellSnapshot::take(grid, {0, 0, -1, -1});
    EXPECT_EQ(snapshot.area(), (CellRect{0, 0, 10, 20}));
    EXPECT_EQ(restoredCells(snapshot, grid).size(), 200u);
}

TEST(CellSnapshot, WorksOnASingleCellMap) {
    const CellGrid grid = patternGrid(1, 1);
    CellSnapshot snapshot = CellSnapshot::take(grid, {0, 0, 0, 0});
    EXPECT_EQ(restoredCells(snapshot, grid).size(), 1u);
}

TEST(CellSnapshot, RestoreOntoASmallerGridLeavesItAlone) {
    CellSnapshot snapshot = CellSnapshot::take(patternGrid(10, 20), {6, 15, 9, 19});
    CellGrid small(5, 5);
    snapshot.restore(small);
    for (const Cell& cell : small.cells())
        ASSERT_EQ(cell, Cell{});
}

// 10 x 20, every byte set, no steps yet.
class JournalOnMap : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(doc.resize(10, 20, true));
        test::fillPattern(doc);
        before = doc.grid();
    }
    // One recorded step: room of (column, 0) becomes value.
    void step(int column, std::uint8_t value) {
        bool first = true;
        ASSERT_TRUE(doc.setCell(column, 0, layer::room, value, first));
    }
    MapDocument doc;
    CellGrid before;
};

TEST_F(JournalOnMap, UndoOfEdgeFillsRestoresTheWrappedWalls) {
    bool first = true;
    ASSERT_TRUE(doc.fillRect({7, 3, 10, 5}, layer::verticalWall, 252, first, true));
    EXPECT_NE(doc.cell(0, 4).verticalWall, before.at(0, 4).verticalWall);
    ASSERT_TRUE(doc.undo());
    EXPECT_TRUE(gridIs(doc, before));

    first = true;
    ASSERT_TRUE(doc.fillRect({2, 17, 4, 30}, layer::horizontalWall, 253, first, true));
    EXPECT_NE(doc.cell(3, 0).horizontalWall, before.at(3, 0).horizontalWall);
    ASSERT_TRUE(doc.undo());
    EXPECT_TRUE(gridIs(doc, before));
}

TEST_F(JournalOnMap, RedoReappliesTheStateSeenAtTheFirstUndo) {
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(doc.canRedo());
    bool first = true;
    ASSERT_TRUE(doc.fillRect({1, 1, 8, 8}, layer::background, 252, first, false));
    const CellGrid after = doc.grid();
    EXPECT_TRUE(doc.canUndo());
    EXPECT_FALSE(doc.canRedo());

    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(doc.undo());
        EXPECT_TRUE(gridIs(doc, before));
        EXPECT_FALSE(doc.canUndo());
        EXPECT_TRUE(doc.canRedo());
        ASSERT_TRUE(doc.redo());
        EXPECT_TRUE(gridIs(doc, after));
        EXPECT_TRUE(doc.canUndo());
        EXPECT_FALSE(doc.canRedo());
    }
    EXPECT_FALSE(doc.redo());
    EXPECT_TRUE(gridIs(doc, after));

    // A later unrecorded touch is not part of the step: redo brings back what the first undo saw.
    bool more = false;
    ASSERT_TRUE(doc.setCell(2, 2, layer::background, 253, more));
    ASSERT_TRUE(doc.undo());
    EXPECT_TRUE(gridIs(doc, before));
    ASSERT_TRUE(doc.redo());
    EXPECT_TRUE(gridIs(doc, after));
}

TEST_F(JournalOnMap, DepthLimitKeepsTheLatestSteps) {
    doc.setUndoDepth(3);
    for (int column = 0; column < 5; ++column)
        step(column, 252);

    for (int column = 4; column >= 2; --column) {
        ASSERT_TRUE(doc.undo()) << column;
        EXPECT_EQ(doc.cell(column, 0).room, before.at(column, 0).room);
    }
    const CellGrid oldest = doc.grid();
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(doc.undo());
    EXPECT_TRUE(gridIs(doc, oldest));
    CellChanges expected;
    setLayer(expected, layer::room, 252, 0, 0, 1, 0);
    EXPECT_TRUE(gridIs(doc, before, expected));
}

TEST_F(JournalOnMap, NewStepAfterUndoDropsTheRedoSteps) {
    step(0, 252);
    step(1, 252);
    step(2, 252);
    ASSERT_TRUE(doc.undo());
    ASSERT_TRUE(doc.undo());
    step(5, 253);
    EXPECT_FALSE(doc.canRedo());
    const CellGrid now = doc.grid();
    EXPECT_FALSE(doc.redo());
    EXPECT_TRUE(gridIs(doc, now));

    ASSERT_TRUE(doc.undo());
    ASSERT_TRUE(doc.undo());
    EXPECT_FALSE(doc.undo());
    EXPECT_TRUE(gridIs(doc, before));
}

TEST_F(JournalOnMap, ZeroOrNegativeDepthKeepsNoSteps) {
    for (int depth : {0, -5}) {
        doc.setUndoDepth(depth);
        EXPECT_EQ(doc.undoDepth(), 0);
        bool first = true;
        ASSERT_TRUE(doc.setCell(3, 3, layer::room, 252, first));
        ASSERT_TRUE(doc.fillRect({0, 0, 2, 2}, layer::room, 253, first, false));
        doc.clearRect({5, 5, 6, 6}, true);
        EXPECT_EQ(doc.cell(3, 3).room, 252) << "the change happens anyway";
        EXPECT_FALSE(doc.canUndo());
        EXPECT_FALSE(doc.undo());
        EXPECT_EQ(doc.cell(3, 3).room, 252);
    }
}

TEST_F(JournalOnMap, DepthAboveTheMaximumIsCapped) {
    doc.setUndoDepth(100000);
    EXPECT_EQ(doc.undoDepth(), 65535);
    doc.setUndoDepth(65535);
    EXPECT_EQ(doc.undoDepth(), 65535);
    step(0, 252);
    EXPECT_TRUE(doc.undo());
}

} // namespace
} // namespace tav
