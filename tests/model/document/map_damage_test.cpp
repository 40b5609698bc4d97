#include "model/document/map_damage.h"

#include <vector>

#include <gtest/gtest.h>

#include "model/document/map_document.h"
#include "support/recording_prompter.h"

namespace tav {
namespace {

using test::RecordingPrompter;

TEST(MapDamageNote, TooManyPiecesBecomeEverything) {
    MapDamage d;
    EXPECT_TRUE(d.empty());
    d.addCells({3, 4, 1, 2});
    EXPECT_EQ(d.cells(), (std::vector<CellRect>{{1, 2, 3, 4}}));
    d.addPixels({5, 5, 5, 9}); // empty: nothing to draw
    EXPECT_TRUE(d.pixels().empty());
    for (std::size_t i = 1; i <= MapDamage::maxPieces; ++i) // one more than it keeps
        d.addPixels({0, 0, 1, 1});
    EXPECT_TRUE(d.everything());
    EXPECT_TRUE(d.cells().empty() && d.pixels().empty());
    d.clear();
    EXPECT_TRUE(d.empty());
}

class DocumentDamage : public ::testing::Test {
protected:
    MapDocument doc;
    RecordingPrompter prompter;
    void SetUp() override {
        ASSERT_TRUE(doc.resize(20, 20, true));
        doc.damage().clear();
    }
    std::vector<CellRect> takeCells() {
        std::vector<CellRect> cells = doc.damage().cells();
        doc.damage().clear();
        return cells;
    }
};

TEST_F(DocumentDamage, CellEditsNoteTheCellsTheyChangedWithTheWrappedBorders) {
    bool first = true;
    doc.setCell(20, 5, layer::verticalWall, 3, first); // the right border's wall is column 0's
    EXPECT_EQ(takeCells(), (std::vector<CellRect>{{0, 5, 0, 5}}));
    first = true;
    doc.fillRect({18, 2, 19, 3}, layer::verticalWall, 4, first, true);
    EXPECT_EQ(takeCells(), (std::vector<CellRect>{{18, 2, 20, 3}}));
    doc.clearRect({17, 19, 19, 19}, true);
    EXPECT_EQ(takeCells(), (std::vector<CellRect>{{17, 19, 20, 20}}));
    // Undo puts back the cells of the step, with the walls right of and below them.
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(takeCells(), (std::vector<CellRect>{{17, 19, 20, 20}}));
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(takeCells(), (std::vector<CellRect>{{17, 19, 20, 20}}));
    doc.clearAll();
    EXPECT_TRUE(doc.damage().everything());
    doc.damage().clear();
    doc.setViewMode(true);
    EXPECT_TRUE(doc.damage().everything());
}

TEST_F(DocumentDamage, CommentChangesNoteWhereTheAreaWasAndWhereItIs) {
    doc.setNewCommentRect({0, 0, 374, 374});
    CommentArea* area = doc.addComment(prompter);
    ASSERT_NE(area, nullptr);
    const PixelRect was = area->mapBounds();
    EXPECT_EQ(doc.damage().pixels(), (std::vector<PixelRect>{was}));
    doc.damage().clear();
    ASSERT_TRUE(doc.moveComment(*area, 40, 0, true));
    const PixelRect now = area->mapBounds();
    EXPECT_EQ(doc.damage().pixels(), (std::vector<PixelRect>{was, now}));
    doc.damage().clear();
    // A move that changes nothing notes nothing.
    EXPECT_FALSE(doc.moveComment(*area, 0, 0, true));
    EXPECT_TRUE(doc.damage().empty());
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(doc.damage().pixels(), (std::vector<PixelRect>{now, was}));
    doc.damage().clear();
    ASSERT_TRUE(doc.deleteComment(doc.commentAt(0)));
    EXPECT_EQ(doc.damage().pixels(), (std::vector<PixelRect>{was}));
    doc.damage().clear();
    ASSERT_TRUE(doc.undo()); // the area comes back
    EXPECT_EQ(doc.damage().pixels(), (std::vector<PixelRect>{was}));
}

} // namespace
} // namespace tav
