#include "model/document/map_document.h"

#include <gtest/gtest.h>

#include "grid_checks.h"

namespace tav {
namespace {

using test::CellChanges;
using test::fillPattern;
using test::gridIs;
using test::setLayer;

// 10 columns, 20 rows, every byte set, nothing modified and no undo steps yet.
class PatternedMap : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(doc.resize(10, 20, true));
        fillPattern(doc);
        before = doc.grid();
    }
    MapDocument doc;
    CellGrid before;
};

TEST(MapDocumentResize, KeepsTheOverlappingPartUnlessDiscarding) {
    MapDocument doc;
    ASSERT_TRUE(doc.resize(31, 31, true));
    fillPattern(doc);
    const CellGrid old = doc.grid();

    ASSERT_TRUE(doc.resize(40, 20, false));
    ASSERT_EQ(doc.width(), 40);
    ASSERT_EQ(doc.height(), 20);
    for (int r = 0; r < 20; ++r)
        for (int c = 0; c < 40; ++c)
            EXPECT_EQ(doc.cell(c, r), c < 31 ? old.at(c, r) : Cell{}) << c << "," << r;

    ASSERT_TRUE(doc.resize(40, 20, true));
    for (const Cell& cell : doc.grid().cells())
        ASSERT_EQ(cell, Cell{});
}

TEST_F(PatternedMap, ResizeOutOfRangeChangesNothing) {
    bool first = true;
    doc.setCell(1, 1, layer::room, 252, first);
    const CellGrid edited = doc.grid();
    for (auto [w, h] : {std::pair{0, 10}, {10, 0}, {256, 10}, {10, 256}, {-1, 5}}) {
        EXPECT_FALSE(doc.resize(w, h, false)) << w << "x" << h;
        EXPECT_TRUE(gridIs(doc, edited));
        EXPECT_TRUE(doc.canUndo()) << "a refused resize must keep the undo steps";
    }
    EXPECT_TRUE(doc.resize(255, 1, false));
    EXPECT_FALSE(doc.canUndo());
    EXPECT_EQ(doc.cell(1, 0), edited.at(1, 0));
}

TEST(MapDocumentView, VisibleAreaFollowsModeAndMapSize) {
    MapDocument doc;
    ASSERT_TRUE(doc.resize(5, 40, true));
    EXPECT_EQ(doc.visibleColumns(), 5);
    EXPECT_EQ(doc.visibleRows(), 11);
    EXPECT_EQ(doc.visibleWidth(), 5 * 34);
    EXPECT_EQ(doc.visibleHeight(), 11 * 34);

    doc.setViewMode(true);
    EXPECT_EQ(doc.pitch(), 22);
    EXPECT_EQ(doc.visibleColumns(), 5);
    EXPECT_EQ(doc.visibleRows(), 17);
    EXPECT_EQ(doc.visibleHeight(), 17 * 22);

    ASSERT_TRUE(doc.resize(100, 8, false));
    EXPECT_EQ(doc.visibleColumns(), 17);
    EXPECT_EQ(doc.visibleRows(), 8);

    doc.setViewMode(false);
    EXPECT_EQ(doc.visibleColumns(), 11);
    EXPECT_EQ(doc.visibleWidth(), 11 * 34);
}

TEST_F(PatternedMap, EditMaskChangesOnlyTheMaskedBits) {
    EXPECT_EQ(doc.editMask(), 15);
    doc.setEditMask(layer::bit(2) | layer::bit(3), layer::bit(3));
    EXPECT_EQ(doc.editMask(), 13);
    doc.setEditMask(layer::bit(4), 0);
    EXPECT_EQ(doc.editMask(), 5);
    doc.setEditMask(0, layer::bit(2)); // bits outside the mask are still set
    EXPECT_EQ(doc.editMask(), 7);
}

TEST_F(PatternedMap, DisabledLayerRefusesEveryEdit) {
    doc.setEditMask(layer::bit(layer::verticalWall), 0);
    bool first = true;
    EXPECT_FALSE(doc.setCell(3, 3, layer::verticalWall, 252, first));
    EXPECT_FALSE(doc.fillRect({0, 0, 9, 19}, layer::verticalWall, 252, first, true));
    EXPECT_TRUE(first) << "no step may be recorded for a refused edit";
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(doc.isModified());
    EXPECT_TRUE(gridIs(doc, before));

    EXPECT_TRUE(doc.setCell(3, 3, layer::horizontalWall, 252, first));
    EXPECT_TRUE(gridIs(doc, before, {{{3, 3, 1}, 252}}));
}

TEST_F(PatternedMap, SetCellOutsideTheMapFallsBackToColumnOrRowZero) {
    bool first = false;
    EXPECT_TRUE(doc.setCell(-1, 5, layer::room, 252, first));
    EXPECT_TRUE(doc.setCell(10, 6, layer::room, 253, first));
    EXPECT_TRUE(doc.setCell(3, 20, layer::horizontalWall, 254, first));
    EXPECT_TRUE(doc.setCell(1000, -7, layer::background, 255, first));
    EXPECT_TRUE(
        gridIs(doc, before, {{{0, 5, 3}, 252}, {{0, 6, 3}, 253}, {{3, 0, 1}, 254}, {{0, 0, 4}, 255}}));
    EXPECT_TRUE(doc.isModified());
}

TEST_F(PatternedMap, SetCellRejectsLayersOutsideOneToFour) {
    bool first = true;
    for (int badLayer : {0, 5, -1, 16})
        EXPECT_FALSE(doc.setCell(2, 2, badLayer, 252, first)) << badLayer;
    EXPECT_TRUE(first);
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(doc.isModified());
    EXPECT_TRUE(gridIs(doc, before));
}

TEST_F(PatternedMap, OnlyTheFirstCellOfAStrokeIsRecorded) {
    bool first = true;
    ASSERT_TRUE(doc.setCell(2, 3, layer::room, 252, first));
    EXPECT_FALSE(first);
    ASSERT_TRUE(doc.setCell(2, 3, layer::room, 253, first));
    ASSERT_TRUE(doc.undo());
    EXPECT_TRUE(gridIs(doc, before));
    EXPECT_FALSE(doc.canUndo()) << "the second call must not have added a step";
}

TEST_F(PatternedMap, FillRoomsOverNormalisedAndClampedRect) {
    bool first = false;
    ASSERT_TRUE(doc.fillRect({12, 18, -3, 15}, layer::room, 252, first, false));
    ASSERT_TRUE(doc.fillRect({2, 3, 4, 5}, layer::background, 253, first, true)); // edge means nothing here
    CellChanges expected;
    setLayer(expected, layer::room, 252, 0, 15, 9, 18);
    setLayer(expected, layer::background, 253, 2, 3, 4, 5);
    EXPECT_TRUE(gridIs(doc, before, expected));
    EXPECT_TRUE(doc.isModified());
}

TEST_F(PatternedMap, FillHorizontalWallsWithAndWithoutEdge) {
    bool first = false;
    ASSERT_TRUE(doc.fillRect({2, 17, 4, 19}, layer::horizontalWall, 252, first, false));
    CellChanges expected;
    setLayer(expected, layer::horizontalWall, 252, 2, 17, 4, 18);
    EXPECT_TRUE(gridIs(doc, before, expected));

    ASSERT_TRUE(doc.fillRect({2, 17, 4, 19}, layer::horizontalWall, 253, first, true));
    setLayer(expected, layer::horizontalWall, 253, 2, 18, 4, 19);
    EXPECT_TRUE(gridIs(doc, before, expected));

    // Reaching row H, the wall below the last row is the top wall of row 0.
    ASSERT_TRUE(doc.fillRect({2, 17, 4, 20}, layer::horizontalWall, 254, first, true));
    setLayer(expected, layer::horizontalWall, 254, 2, 18, 4, 19);
    setLayer(expected, layer::horizontalWall, 254, 2, 0, 4, 0);
    EXPECT_TRUE(gridIs(doc, before, expected));
}

TEST_F(PatternedMap, FillVerticalWallsWithAndWithoutEdge) {
    bool first = false;
    ASSERT_TRUE(doc.fillRect({7, 3, 9, 5}, layer::verticalWall, 252, first, false));
    CellChanges expected;
    setLayer(expected, layer::verticalWall, 252, 7, 3, 8, 5);
    EXPECT_TRUE(gridIs(doc, before, expected));

    ASSERT_TRUE(doc.fillRect({7, 3, 9, 5}, layer::verticalWall, 253, first, true));
    setLayer(expected, layer::verticalWall, 253, 8, 3, 9, 5);
    EXPECT_TRUE(gridIs(doc, before, expected));

    ASSERT_TRUE(doc.fillRect({7, 3, 10, 5}, layer::verticalWall, 254, first, true));
    setLayer(expected, layer::verticalWall, 254, 8, 3, 9, 5);
    setLayer(expected, layer::verticalWall, 254, 0, 3, 0, 5);
    EXPECT_TRUE(gridIs(doc, before, expected));
}

TEST_F(PatternedMap, FillWallsBeyondTheMapStopsAtTheWrappedEdge) {
    bool first = false;
    ASSERT_TRUE(doc.fillRect({5, 0, 50, 1}, layer::verticalWall, 252, first, true));
    ASSERT_TRUE(doc.fillRect({0, 15, 1, 99}, layer::horizontalWall, 253, first, true));
    ASSERT_TRUE(doc.fillRect({-4, -4, 1, 1}, layer::horizontalWall, 254, first, false));
    CellChanges expected;
    setLayer(expected, layer::verticalWall, 252, 6, 0, 9, 1);
    setLayer(expected, layer::verticalWall, 252, 0, 0, 0, 1);
    setLayer(expected, layer::horizontalWall, 253, 0, 16, 1, 19);
    setLayer(expected, layer::horizontalWall, 253, 0, 0, 1, 0);
    setLayer(expected, layer::horizontalWall, 254, 0, 0, 1, 0);
    EXPECT_TRUE(gridIs(doc, before, expected));
}

TEST_F(PatternedMap, ClearRectAlsoClearsTheWallsOnItsRightAndBottomEdges) {
    doc.clearRect({7, 3, 9, 5}, false);
    CellChanges expected;
    for (int layer = 1; layer <= 4; ++layer)
        setLayer(expected, layer, 0, 7, 3, 9, 5);
    setLayer(expected, layer::verticalWall, 0, 0, 3, 0, 5);   // right of column 9 is column 0
    setLayer(expected, layer::horizontalWall, 0, 7, 6, 9, 6); // below row 5
    EXPECT_TRUE(gridIs(doc, before, expected));
    EXPECT_TRUE(doc.isModified());
    EXPECT_FALSE(doc.canUndo());
}

TEST_F(PatternedMap, ClearRectNormalisesNegativeAndOutOfRangeEdges) {
    doc.clearRect({6, 12, -1, -5}, false); // to the last column and row
    CellChanges expected;
    for (int layer = 1; layer <= 4; ++layer)
        setLayer(expected, layer, 0, 6, 12, 9, 19);
    setLayer(expected, layer::verticalWall, 0, 0, 12, 0, 19);
    setLayer(expected, layer::horizontalWall, 0, 6, 0, 9, 0);
    EXPECT_TRUE(gridIs(doc, before, expected));

    doc.clearRect({12, 8, 4, 6}, false); // reversed, right beyond the map
    for (int layer = 1; layer <= 4; ++layer)
        setLayer(expected, layer, 0, 4, 6, 9, 8);
    setLayer(expected, layer::verticalWall, 0, 0, 6, 0, 8);
    setLayer(expected, layer::horizontalWall, 0, 4, 9, 9, 9);
    EXPECT_TRUE(gridIs(doc, before, expected));
}

TEST_F(PatternedMap, ClearRectUndoRestoresTheNeighbourWalls) {
    doc.clearRect({7, 17, 9, 19}, true);
    ASSERT_TRUE(doc.undo());
    EXPECT_TRUE(gridIs(doc, before));
}

TEST_F(PatternedMap, ClearAllIsOneUndoStep) {
    doc.clearAll();
    for (const Cell& cell : doc.grid().cells())
        ASSERT_EQ(cell, Cell{});
    EXPECT_TRUE(doc.isModified());
    ASSERT_TRUE(doc.undo());
    EXPECT_TRUE(gridIs(doc, before));
    EXPECT_FALSE(doc.canUndo());
    ASSERT_TRUE(doc.redo());
    for (const Cell& cell : doc.grid().cells())
        ASSERT_EQ(cell, Cell{});
}

} // namespace
} // namespace tav
