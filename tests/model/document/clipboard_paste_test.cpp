// Pasting clipboard blocks into the document: where cut-off parts and edge walls land, and undo.
#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "grid_checks.h"
#include "model/document/clipboard_blocks.h"
#include "model/document/map_document.h"
#include "support/recording_prompter.h"

namespace tav {
namespace {

using test::CellChanges;

// A w x h block whose cell bytes lie in 100..199, right-edge bytes in 200..224, bottom-edge bytes in
// 225..249, built from raw bytes as another program would.
MapBlock makeBlock(int w, int h) {
    std::vector<std::uint8_t> bytes = {static_cast<std::uint8_t>(w), 0, static_cast<std::uint8_t>(h), 0};
    for (int i = 0; i < h; ++i)
        for (int j = 0; j < w; ++j)
            for (int layer = 1; layer <= 4; ++layer)
                bytes.push_back(static_cast<std::uint8_t>(100 + (j * 11 + i * 3 + layer * 29) % 100));
    for (int i = 0; i < h; ++i)
        bytes.push_back(static_cast<std::uint8_t>(200 + i % 25));
    for (int j = 0; j < w; ++j)
        bytes.push_back(static_cast<std::uint8_t>(225 + j % 25));
    MapBlock block;
    EXPECT_TRUE(MapBlock::decode(bytes, block));
    return block;
}

// Block cells 0..d-1 x 0..f-1 at (a, b).
void expectCells(CellChanges& changes, const MapBlock& block, int a, int b, int d, int f) {
    for (int i = 0; i < f; ++i)
        for (int j = 0; j < d; ++j)
            for (int layer = 1; layer <= 4; ++layer)
                changes[{a + j, b + i, layer}] = block.cell(j, i).layer(layer);
}

struct PasteCase {
    const char* what;
    int w, h, a, b;
    int d, f; // pasted width and height
    // The edge walls the paste writes besides the block's cells.
    std::function<void(CellChanges&, const MapBlock&)> edges;
};

// On a 10 x 8 map (W 10, H 8).
const PasteCase pasteCases[] = {
    {"inside the map", 3, 2, 2, 3, 3, 2,
     [](CellChanges& c, const MapBlock& b) {
         for (int i = 0; i < 2; ++i)
             c[{5, 3 + i, 2}] = b.rightEdge(i);
         for (int j = 0; j < 3; ++j)
             c[{2 + j, 5, 1}] = b.bottomEdge(j);
     }},
    {"5x5 at column W-3: block column 3's walls on column 0, bottom edge under the 3 columns", 5, 5, 7, 0, 3,
     5,
     [](CellChanges& c, const MapBlock& b) {
         for (int i = 0; i < 5; ++i)
             c[{0, i, 2}] = b.cell(3, i).verticalWall;
         for (int j = 0; j < 3; ++j)
             c[{7 + j, 5, 1}] = b.bottomEdge(j);
     }},
    {"5x5 at row H-3: block row 3's walls on row 0, right edge beside the 3 rows", 5, 5, 2, 5, 5, 3,
     [](CellChanges& c, const MapBlock& b) {
         for (int j = 0; j < 5; ++j)
             c[{2 + j, 0, 1}] = b.cell(j, 3).horizontalWall;
         for (int i = 0; i < 3; ++i)
             c[{7, 5 + i, 2}] = b.rightEdge(i);
     }},
    {"ending at the last column and row: edges wrap to column 0 and row 0", 3, 2, 7, 6, 3, 2,
     [](CellChanges& c, const MapBlock& b) {
         for (int i = 0; i < 2; ++i)
             c[{0, 6 + i, 2}] = b.rightEdge(i);
         for (int j = 0; j < 3; ++j)
             c[{7 + j, 0, 1}] = b.bottomEdge(j);
     }},
    {"cut off at both borders", 5, 5, 7, 5, 3, 3,
     [](CellChanges& c, const MapBlock& b) {
         for (int i = 0; i < 3; ++i)
             c[{0, 5 + i, 2}] = b.cell(3, i).verticalWall;
         for (int j = 0; j < 3; ++j)
             c[{7 + j, 0, 1}] = b.cell(j, 3).horizontalWall;
     }},
    {"wider than the map from column 0: column 0 keeps the block's own wall", 12, 3, 0, 2, 10, 3,
     [](CellChanges& c, const MapBlock& b) {
         for (int j = 0; j < 10; ++j)
             c[{j, 5, 1}] = b.bottomEdge(j);
     }},
    {"higher than the map from row 0: row 0 keeps the block's own wall", 4, 12, 3, 0, 4, 8,
     [](CellChanges& c, const MapBlock& b) {
         for (int i = 0; i < 8; ++i)
             c[{7, i, 2}] = b.rightEdge(i);
     }},
    {"exactly the whole map: no edge walls", 10, 8, 0, 0, 10, 8, [](CellChanges&, const MapBlock&) {}},
    {"one cell in the bottom-right corner", 1, 1, 9, 7, 1, 1,
     [](CellChanges& c, const MapBlock& b) {
         c[{0, 7, 2}] = b.rightEdge(0);
         c[{9, 0, 1}] = b.bottomEdge(0);
     }},
};

class PasteCells : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(doc.resize(10, 8, true));
        test::fillPattern(doc);
        before = doc.grid();
    }
    MapDocument doc;
    CellGrid before;
};

TEST_F(PasteCells, WritesCutOffPartsAndEdgeWallsAndUndoesExactly) {
    for (const PasteCase& pc : pasteCases) {
        SCOPED_TRACE(pc.what);
        SetUp();
        const MapBlock block = makeBlock(pc.w, pc.h);
        CellChanges expected;
        expectCells(expected, block, pc.a, pc.b, pc.d, pc.f);
        pc.edges(expected, block);

        int d = -1, f = -1;
        ASSERT_TRUE(doc.pasteCells(block, pc.a, pc.b, d, f));
        EXPECT_EQ(d, pc.d);
        EXPECT_EQ(f, pc.f);
        EXPECT_TRUE(test::gridIs(doc, before, expected));
        EXPECT_TRUE(doc.isModified());

        ASSERT_TRUE(doc.undo());
        EXPECT_TRUE(test::gridIs(doc, before));
        EXPECT_FALSE(doc.canUndo()) << "one paste is one step";
        ASSERT_TRUE(doc.redo());
        EXPECT_TRUE(test::gridIs(doc, before, expected));
    }
}

TEST_F(PasteCells, WritesEveryLayerWhateverTheEditSwitches) {
    doc.setEditMask(15, 0);
    const MapBlock block = makeBlock(3, 2);
    CellChanges expected;
    expectCells(expected, block, 2, 3, 3, 2);
    pasteCases[0].edges(expected, block);
    int d = 0, f = 0;
    ASSERT_TRUE(doc.pasteCells(block, 2, 3, d, f));
    EXPECT_TRUE(test::gridIs(doc, before, expected));
}

TEST_F(PasteCells, RefusesPlacesOutsideTheMapAndEmptyBlocks) {
    const MapBlock block = makeBlock(2, 2);
    for (auto [a, b] : {std::pair{10, 0}, {0, 8}, {-1, 0}, {0, -1}, {INT_MAX, INT_MAX}}) {
        int d = -1, f = -1;
        EXPECT_FALSE(doc.pasteCells(block, a, b, d, f)) << a << "," << b;
        EXPECT_EQ(d, 0);
        EXPECT_EQ(f, 0);
    }
    int d = 0, f = 0;
    EXPECT_FALSE(doc.pasteCells(MapBlock{}, 1, 1, d, f));
    EXPECT_TRUE(test::gridIs(doc, before));
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(doc.isModified());

    MapDocument noGrid;
    EXPECT_FALSE(noGrid.pasteCells(block, 0, 0, d, f));
}

// 20 x 20 cells.
class PasteComment : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(doc.resize(20, 20, true)); }
    static CommentBlock sample() {
        CommentBlock block;
        block.record = CommentRecord::defaults();
        // Given right to left: the size is what counts.
        block.record.left = 300, block.record.right = 200;
        block.record.top = 40, block.record.bottom = 100;
        block.record.anchorDx = 30, block.record.anchorDy = 90;
        block.record.backgroundColour = comment::noColour;
        block.record.textColour = 0x0000FF;
        block.record.pointSize = 12;
        block.record.frameStyle = comment::frame::ellipse;
        block.record.alignment = 0x12;
        block.text = "ここに鍵";
        return block;
    }
    MapDocument doc;
    test::RecordingPrompter prompter;
};

TEST_F(PasteComment, LandsAtTheCellKeepingSizeLookAndTextAsOneUndoStep) {
    const CommentBlock block = sample();
    CommentArea* area = doc.pasteComment(block, 3, 2, prompter);
    ASSERT_NE(area, nullptr);
    ASSERT_EQ(doc.commentCount(), 1);
    EXPECT_EQ(doc.commentAt(0), area);
    EXPECT_EQ(area->text(), "ここに鍵");
    EXPECT_TRUE(doc.isModified());

    CommentRecord expected = block.record;
    expected.left = 3 * 35 + 17;
    expected.top = 2 * 35 + 17;
    expected.right = expected.left + 100;
    expected.bottom = expected.top + 60;
    EXPECT_EQ(area->copyRecord(), expected);

    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(doc.commentCount(), 0);
    ASSERT_TRUE(doc.redo());
    ASSERT_EQ(doc.commentCount(), 1);
    EXPECT_EQ(doc.commentAt(0)->copyRecord(), expected);
    EXPECT_EQ(doc.commentAt(0)->text(), "ここに鍵");
}

TEST_F(PasteComment, GoesOnTopInTheCurrentView) {
    ASSERT_NE(doc.pasteComment(sample(), 0, 0, prompter), nullptr);
    doc.setViewMode(true);
    CommentArea* area = doc.pasteComment(sample(), 1, 1, prompter);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(doc.commentAt(1), area);
    EXPECT_TRUE(area->isWide());
    EXPECT_EQ(area->pointSize(), scaledPointSize(12, true));
    EXPECT_EQ(area->copyRecord().left, 35 + 17);
}

} // namespace
} // namespace tav
