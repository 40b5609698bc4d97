// Comment areas in the map document: creation, deletion, z-order, hit testing and their undo steps.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "grid_checks.h"
#include "model/comments/pixel_print.h"
#include "model/document/map_document.h"
#include "support/recording_prompter.h"

namespace tav {
namespace {

const std::string defaultText = "ダブルクリックでコメントを編集できます";

std::vector<std::string> texts(const MapDocument& doc) {
    std::vector<std::string> result;
    for (const auto& area : doc.comments())
        result.push_back(area->text());
    return result;
}

std::vector<CommentRecord> records(const MapDocument& doc) {
    std::vector<CommentRecord> result;
    for (const auto& area : doc.comments())
        result.push_back(area->copyRecord());
    return result;
}

using Texts = std::vector<std::string>;

// 10 x 10 cells (340 x 340 pixels in normal view), every byte set, new areas centred on the map.
class CommentsOnMap : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(doc.resize(10, 10, true));
        test::fillPattern(doc);
        doc.setNewCommentRect({0, 0, 340, 340});
    }
    // Adds an area with this text and frame, its anchor at the map's bottom-right corner; no undo steps.
    CommentArea* add(const std::string& text, PixelRect frame = {130, 140, 210, 200}) {
        CommentArea* area = doc.addComment(prompter);
        if (!area)
            return nullptr;
        doc.setCommentText(*area, text, false);
        doc.setCommentFrame(*area, frame, false);
        doc.setCommentAnchor(*area, 340 - area->frame().left, 340 - area->frame().top, false);
        return area;
    }
    // Empties the journal and the modified flag, so a test sees only its own steps.
    void settle() {
        doc.setUndoDepth(16);
        doc.setModified(false);
    }
    MapDocument doc;
    test::RecordingPrompter prompter;
};

TEST_F(CommentsOnMap, NewAreaGoesOnTopAndIsOneUndoStep) {
    add("below");
    settle();
    CommentArea* area = doc.addComment(prompter);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(doc.commentAt(1), area);
    EXPECT_EQ(area->text(), defaultText);
    EXPECT_EQ(area->frame(), (PixelRect{130, 140, 210, 200}));
    EXPECT_EQ(area->anchor(), (PixelPoint{190, 230}));
    EXPECT_TRUE(doc.isModified());
    EXPECT_TRUE(prompter.shown.empty());
    const CommentRecord record = area->copyRecord();

    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(texts(doc), (Texts{"below"}));
    EXPECT_FALSE(doc.canUndo());
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(texts(doc), (Texts{"below", defaultText}));
    EXPECT_EQ(doc.commentAt(1)->copyRecord(), record);

    // In wide view the frame is measured in wide-view pixels, the text in the smaller size.
    doc.setViewMode(true);
    doc.setNewCommentRect({0, 0, 220, 220});
    area = doc.addComment(prompter);
    EXPECT_EQ(area->frame(), (PixelRect{70, 80, 150, 140}));
    EXPECT_EQ(area->pointSize(), 6);
    EXPECT_EQ(area->copyRecord().pointSize, 9);
}

TEST_F(CommentsOnMap, MoreThanThirtyThousandAreasAreRefused) {
    doc.setUndoDepth(0); // keep the fill quick
    for (int i = 0; i < MapDocument::commentLimit; ++i)
        ASSERT_NE(doc.addComment(prompter), nullptr) << i;
    doc.setUndoDepth(16);
    EXPECT_NE(doc.addComment(prompter), nullptr) << "the 30001st is still made";
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(doc.commentCount(), 30001);

    EXPECT_EQ(doc.addComment(prompter), nullptr);
    EXPECT_EQ(doc.appendComment(std::make_unique<CommentArea>(), prompter), nullptr);
    EXPECT_EQ(doc.commentCount(), 30001);
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text, "30000を突破～っていうかちょっと作りすぎです。");
    EXPECT_EQ(prompter.shown[0].type, msg::ok | msg::iconInformation);

    // The refusals recorded nothing: undo takes back the 30001st.
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(doc.commentCount(), 30000);
    EXPECT_FALSE(doc.canUndo());
}

TEST_F(CommentsOnMap, DeleteIsUndoneAtTheOldPlace) {
    add("a");
    CommentArea* b = add("b", {10, 10, 100, 60});
    add("c");
    settle();
    const CommentRecord record = b->copyRecord();
    ASSERT_TRUE(doc.deleteComment(b));
    EXPECT_EQ(texts(doc), (Texts{"a", "c"}));
    EXPECT_TRUE(doc.isModified());

    CommentArea outside;
    EXPECT_FALSE(doc.deleteComment(&outside));
    EXPECT_FALSE(doc.deleteComment(nullptr));

    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(texts(doc), (Texts{"a", "b", "c"}));
    EXPECT_EQ(doc.commentAt(1)->copyRecord(), record);
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(texts(doc), (Texts{"a", "c"}));
    EXPECT_FALSE(doc.redo());
}

TEST_F(CommentsOnMap, ZOrderChangesAreUndoneOneByOne) {
    CommentArea* a = add("a");
    CommentArea* b = add("b");
    add("c");
    CommentArea* d = add("d");
    settle();

    EXPECT_FALSE(doc.raiseToTop(d));
    EXPECT_FALSE(doc.raiseOne(d));
    EXPECT_FALSE(doc.lowerToBottom(a));
    EXPECT_FALSE(doc.lowerOne(a));
    EXPECT_FALSE(doc.canUndo()) << "no change, no step";
    EXPECT_FALSE(doc.isModified());

    const std::vector<Texts> orders = {{"a", "b", "c", "d"},
                                       {"a", "c", "d", "b"},
                                       {"d", "a", "c", "b"},
                                       {"d", "c", "a", "b"},
                                       {"d", "c", "b", "a"}};
    EXPECT_TRUE(doc.raiseToTop(b));
    EXPECT_EQ(texts(doc), orders[1]);
    EXPECT_TRUE(doc.lowerToBottom(d));
    EXPECT_EQ(texts(doc), orders[2]);
    EXPECT_TRUE(doc.raiseOne(a));
    EXPECT_EQ(texts(doc), orders[3]);
    EXPECT_TRUE(doc.lowerOne(b));
    EXPECT_EQ(texts(doc), orders[4]);
    EXPECT_TRUE(doc.isModified());

    for (int i = 3; i >= 0; --i) {
        ASSERT_TRUE(doc.undo()) << i;
        EXPECT_EQ(texts(doc), orders[i]);
    }
    EXPECT_FALSE(doc.canUndo());
    for (int i = 1; i <= 4; ++i) {
        ASSERT_TRUE(doc.redo()) << i;
        EXPECT_EQ(texts(doc), orders[i]);
    }
}

TEST_F(CommentsOnMap, HitTestingFindsTheTopMostAndReleasesTheOthers) {
    CommentArea* low = add("low", {100, 100, 200, 180});
    CommentArea* high = add("high", {150, 150, 250, 230});
    ASSERT_EQ(doc.hitTestComments({120, 120}), low);
    EXPECT_EQ(high->dragPart(), comment::part::none);

    EXPECT_EQ(doc.hitTestComments({160, 160}), high);
    EXPECT_EQ(high->dragPart(), comment::part::frame);
    EXPECT_EQ(low->dragPart(), comment::part::none) << "the area below loses its part";
    EXPECT_FALSE(low->isDragging());

    EXPECT_EQ(doc.hitTestComments({20, 20}), nullptr);
    EXPECT_EQ(high->dragPart(), comment::part::none);

    CommentCursor cursor = CommentCursor::move;
    EXPECT_EQ(doc.commentCursorAt({150, 150}, cursor), high);
    EXPECT_EQ(cursor, CommentCursor::sizeNWSE);
    EXPECT_EQ(doc.commentCursorAt({120, 120}, cursor), low);
    EXPECT_EQ(cursor, CommentCursor::move);
    EXPECT_EQ(doc.commentCursorAt({20, 20}, cursor), nullptr);
    EXPECT_EQ(cursor, CommentCursor::none);
}

TEST_F(CommentsOnMap, ClearAllUndoBringsBackCellsAndAreasInTheirOrder) {
    const CellGrid before = doc.grid();
    add("a", {0, 0, 50, 50});
    add("b", {20, 20, 300, 100});
    CommentArea* c = add("c");
    CommentFormat format = c->format();
    format.frameStyle = comment::frame::ellipse;
    format.backgroundColour = comment::noColour;
    doc.setCommentFormat(*c, format, c->frame(), c->anchorOffset());
    settle();
    const auto saved = records(doc);

    doc.clearAll();
    EXPECT_EQ(doc.commentCount(), 0);
    for (const Cell& cell : doc.grid().cells())
        ASSERT_EQ(cell, Cell{});
    EXPECT_TRUE(doc.isModified());

    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(doc.undo());
        EXPECT_TRUE(test::gridIs(doc, before));
        EXPECT_EQ(texts(doc), (Texts{"a", "b", "c"}));
        EXPECT_EQ(records(doc), saved);
        ASSERT_TRUE(doc.redo());
        EXPECT_EQ(doc.commentCount(), 0);
        EXPECT_EQ(doc.cell(3, 3), Cell{});
    }
}

TEST_F(CommentsOnMap, DraggedAreaIsOneUndoStep) {
    CommentArea* area = add("a", {100, 100, 200, 180});
    settle();
    const CommentRecord before = area->copyRecord();

    // Grabbed but not moved, or discarded: nothing to undo.
    ASSERT_EQ(doc.hitTestComments({150, 140}), area);
    EXPECT_FALSE(doc.endCommentDrag(*area, true));
    ASSERT_EQ(doc.hitTestComments({150, 140}), area);
    area->dragBy(30, 30);
    EXPECT_FALSE(doc.endCommentDrag(*area, false));
    EXPECT_FALSE(area->isDragging());
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(doc.isModified());

    ASSERT_EQ(doc.hitTestComments({198, 178}), area); // bottom-right corner
    area->dragBy(40, -30);
    EXPECT_TRUE(doc.endCommentDrag(*area, true));
    EXPECT_EQ(area->frame(), (PixelRect{100, 100, 240, 150}));
    EXPECT_EQ(area->anchor(), (PixelPoint{340, 340}));
    EXPECT_TRUE(doc.isModified());
    const CommentRecord after = area->copyRecord();

    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(doc.commentAt(0)->copyRecord(), before);
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(doc.commentAt(0)->copyRecord(), after);
}

TEST_F(CommentsOnMap, KeyboardMoveRecordsItsFirstPressOnly) {
    CommentArea* area = add("a", {100, 100, 200, 180});
    settle();
    const CommentRecord before = area->copyRecord();
    EXPECT_TRUE(doc.moveComment(*area, 0, -1, true));
    EXPECT_TRUE(doc.moveComment(*area, 0, -1, false));
    EXPECT_TRUE(doc.moveComment(*area, 0, -1, false));
    EXPECT_EQ(area->frame(), (PixelRect{100, 97, 200, 177}));
    EXPECT_EQ(area->anchor(), (PixelPoint{340, 340}));
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(doc.commentAt(0)->copyRecord(), before);
    EXPECT_FALSE(doc.canUndo());

    // A first press against the map's edge moves nothing and records nothing.
    area = doc.commentAt(0);
    doc.setCommentFrame(*area, {0, 0, 50, 50}, false);
    settle();
    EXPECT_FALSE(doc.moveComment(*area, -1, 0, true));
    EXPECT_FALSE(doc.canUndo());
}

TEST_F(CommentsOnMap, TextChangesUndoAndRedo) {
    CommentArea* area = add("old");
    settle();
    EXPECT_FALSE(doc.setCommentText(*area, "old", true));
    EXPECT_FALSE(doc.canUndo());
    EXPECT_TRUE(doc.setCommentText(*area, "new\r\nline", true));
    EXPECT_TRUE(doc.isModified());
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(texts(doc), (Texts{"old"}));
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(texts(doc), (Texts{"new\r\nline"}));
}

TEST_F(CommentsOnMap, FormatChangeIsOneStep) {
    CommentArea* area = add("a", {100, 100, 200, 180});
    settle();
    const CommentRecord before = area->copyRecord();
    CommentFormat format = area->format();
    format.face = "Arial";
    format.frameStyle = comment::frame::roundedRectangle;
    format.pointSize = 20;
    EXPECT_TRUE(doc.setCommentFormat(*area, format, {10, 10, 90, 90}, {5, 5}));
    EXPECT_EQ(area->frame(), (PixelRect{10, 10, 90, 90}));
    EXPECT_EQ(area->anchor(), (PixelPoint{15, 15}));
    EXPECT_EQ(area->fontDefinition().face, "Arial");
    EXPECT_FALSE(doc.setCommentFormat(*area, format, {10, 10, 90, 90}, {5, 5}));

    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(doc.commentAt(0)->copyRecord(), before);
    EXPECT_FALSE(doc.canUndo());
}

TEST_F(CommentsOnMap, DepthLimitCountsCellAndCommentStepsAlike) {
    CommentArea* area = add("a");
    add("b");
    doc.setUndoDepth(3);
    bool first = true;
    ASSERT_TRUE(doc.setCell(1, 1, layer::room, 252, first)); // 1: dropped by the limit
    ASSERT_NE(doc.addComment(prompter), nullptr);            // 2: dropped by the limit
    doc.setCommentText(*area, "a2", true);                   // 3
    doc.raiseToTop(area);                                    // 4
    first = true;
    ASSERT_TRUE(doc.setCell(2, 2, layer::room, 253, first)); // 5

    ASSERT_TRUE(doc.undo());
    ASSERT_TRUE(doc.undo());
    ASSERT_TRUE(doc.undo());
    EXPECT_FALSE(doc.undo());
    EXPECT_EQ(texts(doc), (Texts{"a", "b", defaultText}));
    EXPECT_EQ(doc.cell(1, 1).room, 252);
    EXPECT_NE(doc.cell(2, 2).room, 253);
}

TEST_F(CommentsOnMap, NewStepAfterUndoCutsTheRedoSteps) {
    CommentArea* area = add("a");
    add("b");
    settle();
    doc.setCommentText(*area, "a2", true);
    doc.raiseToTop(area);
    ASSERT_TRUE(doc.undo());
    ASSERT_TRUE(doc.undo());
    EXPECT_TRUE(doc.canRedo());
    ASSERT_TRUE(doc.deleteComment(doc.commentAt(1)));
    EXPECT_FALSE(doc.canRedo());
    EXPECT_FALSE(doc.redo());
    EXPECT_EQ(texts(doc), (Texts{"a"}));
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(texts(doc), (Texts{"a", "b"}));
}

TEST_F(CommentsOnMap, ViewModeRescalesEveryAreaAndUndoKeepsTheView) {
    add("a", {100, 100, 200, 180});
    add("b", {34, 68, 102, 136});
    settle();
    doc.setViewMode(true);
    EXPECT_EQ(doc.commentAt(0)->frame(), (PixelRect{65, 65, 129, 116}));
    EXPECT_EQ(doc.commentAt(1)->frame(), (PixelRect{22, 44, 66, 88}));
    EXPECT_TRUE(doc.commentAt(1)->isWide());

    // An area brought back by undo comes back in the view of the moment.
    ASSERT_TRUE(doc.deleteComment(doc.commentAt(0)));
    ASSERT_TRUE(doc.undo());
    EXPECT_TRUE(doc.commentAt(0)->isWide());
    EXPECT_EQ(doc.commentAt(0)->frame(), (PixelRect{65, 65, 129, 116}));

    doc.setViewMode(false);
    EXPECT_EQ(doc.commentAt(0)->frame(), (PixelRect{100, 100, 200, 180}));
    EXPECT_EQ(doc.commentAt(1)->frame(), (PixelRect{34, 68, 102, 136}));
}

TEST_F(CommentsOnMap, UndoAndRedoMarkTheMapModified) {
    CommentArea* area = add("a");
    doc.setCommentText(*area, "b", true);
    doc.setModified(false); // as after saving
    ASSERT_TRUE(doc.undo());
    EXPECT_TRUE(doc.isModified());
    doc.setModified(false);
    ASSERT_TRUE(doc.redo());
    EXPECT_TRUE(doc.isModified());
}

} // namespace
} // namespace tav
