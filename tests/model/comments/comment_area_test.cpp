#include "model/comments/comment_area.h"

#include <climits>

#include <gtest/gtest.h>

#include "model/comments/pixel_print.h"

namespace tav {
namespace {

namespace part = comment::part;

// An area on a map of columns x rows cells with this frame and anchor offset, drawn unscrolled at (0, 0).
CommentArea areaWith(PixelRect frame, PixelPoint anchorOffset, int columns = 10, int rows = 10,
                     bool wide = false) {
    CommentArea area = CommentArea::create({0, 0, 80, 60}, columns, rows, wide);
    area.setFrame(frame);
    area.setAnchor(anchorOffset.x, anchorOffset.y);
    area.beginDraw({0, 0, columns * commentPitch(wide), rows * commentPitch(wide)}, {0, 0});
    return area;
}

TEST(CommentPositions, WideViewPositionShowsAtTheSameCellPlaceInNormalView) {
    EXPECT_EQ(toCommentPosition(2 * 22 + 11, true), (CommentPosition{2, 16}));
    EXPECT_EQ(toPixel({2, 16}, false), 84);
    EXPECT_EQ(toPixel({2, 16}, true), 54); // truncated: 16 units are 10.5 wide-view pixels
    EXPECT_EQ(toCommentPosition(84, false), (CommentPosition{2, 16}));
    EXPECT_EQ(toCommentPosition(-5, false), (CommentPosition{0, 0}));
    EXPECT_EQ(toCommentPosition(255 * 34 + 100, false), (CommentPosition{255, 0}));

    // Created in wide view with its left edge 11 pixels into cell 2.
    CommentArea area = CommentArea::create({55, 30, 135, 90}, 10, 10, true);
    ASSERT_EQ(area.frame(), (PixelRect{55, 30, 135, 90}));
    area.rescale(false);
    EXPECT_EQ(area.frame().left, 84);
    EXPECT_EQ(area.copyRecord().left, 84);

    // Switching back and forth works from the stored position and never drifts.
    const CommentStoredPosition stored = area.storedPosition();
    for (int i = 0; i < 3; ++i) {
        area.rescale(true);
        area.rescale(false);
    }
    EXPECT_EQ(area.storedPosition(), stored);
    EXPECT_EQ(area.frame().left, 84);
}

TEST(CommentPositions, PointSizesRoundToNearest) {
    EXPECT_EQ(scaledPointSize(9, false), 9);
    EXPECT_EQ(scaledPointSize(9, true), 6);  // 5.91
    EXPECT_EQ(scaledPointSize(12, true), 8); // 7.89
    EXPECT_EQ(scaledPointSize(13, true), 9); // 8.54
    EXPECT_EQ(normalPointSize(6, true), 9);  // 9.13
    EXPECT_EQ(normalPointSize(7, true), 11); // 10.65
    EXPECT_EQ(normalPointSize(5, false), 5);
    EXPECT_EQ(scaledPointSize(-9, true), -6);
}

TEST(CommentInvariants, FrameStaysAtLeastEightAndInsideTheMap) {
    CommentArea area = areaWith({100, 100, 200, 180}, {10, 10}); // map 340 x 340
    struct Case {
        PixelRect asked;
        PixelRect kept;
    } cases[] = {
        {{100, 100, 103, 150}, {100, 100, 108, 150}}, // widened from the left edge
        {{100, 100, 150, 100}, {100, 100, 150, 108}}, // and from the top edge
        {{330, 0, 400, 50}, {270, 0, 340, 50}},       // shifted back whole
        {{-20, -30, 40, 10}, {0, 0, 60, 40}},         {{50, 60, 10, 20}, {10, 20, 50, 60}}, // normalised
        {{-100, 5, 1000, 30}, {0, 5, 340, 30}},       // wider than the map
        {{337, 337, 338, 338}, {332, 332, 340, 340}}, // tiny in the corner
    };
    for (const Case& c : cases) {
        area.setFrame(c.asked);
        EXPECT_EQ(area.frame(), c.kept) << c.asked;
    }
    area.setAnchor(1000, -1000);
    EXPECT_EQ(area.anchor(), (PixelPoint{340, 0}));

    CommentArea wide = areaWith({100, 100, 200, 180}, {10, 10}, 10, 10, true); // map 220 x 220
    EXPECT_EQ(wide.frame(), (PixelRect{100, 100, 200, 180}));
    wide.setFrame({200, 200, 250, 230});
    EXPECT_EQ(wide.frame(), (PixelRect{170, 190, 220, 220}));
}

TEST(CommentInvariants, RecordsFromOutsideAreKeptInside) {
    CommentArea area;
    area.setMapSize(10, 10);
    CommentRecord hostile = CommentRecord::defaults();
    hostile.left = INT_MAX;
    hostile.right = INT_MIN;
    hostile.top = 500;
    hostile.bottom = 503;
    hostile.anchorDx = INT_MAX;
    hostile.anchorDy = INT_MIN;
    area.setFromRecord(hostile, false);
    EXPECT_EQ(area.frame(), (PixelRect{0, 332, 340, 340}));
    EXPECT_EQ(area.anchor(), (PixelPoint{340, 0}));

    // A sound record comes back unchanged from either view.
    CommentRecord sound = CommentRecord::defaults();
    sound.left = 75;
    sound.top = 40;
    sound.right = 200;
    sound.bottom = 101;
    sound.anchorDx = -30;
    sound.anchorDy = 150;
    sound.pointSize = 14;
    sound.frameStyle = 2;
    for (bool wide : {false, true}) {
        area.setFromRecord(sound, wide);
        EXPECT_EQ(area.copyRecord(), sound) << wide;
    }
    EXPECT_EQ(area.pointSize(), 9); // 14 x 23 / 35 = 9.2
}

TEST(CommentArea, NewAreaIsCentredWithItsAnchorBelow) {
    CommentArea area = CommentArea::create({0, 0, 340, 340}, 10, 10, false);
    EXPECT_EQ(area.frame(), (PixelRect{130, 140, 210, 200}));
    EXPECT_EQ(area.anchorOffset(), (PixelPoint{60, 90}));
    EXPECT_EQ(area.fontDefinition().face, "ＭＳ ゴシック");
    EXPECT_EQ(area.pointSize(), 9);

    // Near the bottom of the map the anchor is kept on it.
    area = CommentArea::create({0, 280, 340, 340}, 10, 10, false);
    EXPECT_EQ(area.frame(), (PixelRect{130, 280, 210, 340}));
    EXPECT_EQ(area.anchor(), (PixelPoint{190, 340}));

    // A visible rectangle smaller than the frame still gives a frame inside the map.
    area = CommentArea::create({0, 0, 22, 22}, 1, 1, true);
    EXPECT_EQ(area.frame(), (PixelRect{0, 0, 22, 22}));
    EXPECT_EQ(area.pointSize(), 6);
}

TEST(CommentHitTest, FindsAnchorEdgesCornersAndInterior) {
    CommentArea area = areaWith({100, 100, 200, 180}, {50, 120}); // anchor (150, 220)
    area.beginDraw({34, 34, 374, 374}, {25, 25});                 // map pixel 34 shows at 25
    struct Case {
        PixelPoint at;
        int part;
        CommentCursor cursor;
    } cases[] = {
        {{150, 220}, part::anchor, CommentCursor::anchor},
        {{153, 217}, part::anchor, CommentCursor::anchor},
        {{154, 220}, part::none, CommentCursor::none},
        {{150, 140}, part::frame, CommentCursor::move},
        {{105, 140}, part::frame | part::left, CommentCursor::sizeWE},
        {{106, 140}, part::frame, CommentCursor::move},
        {{195, 140}, part::frame | part::right, CommentCursor::sizeWE},
        {{194, 140}, part::frame, CommentCursor::move},
        {{150, 105}, part::frame | part::top, CommentCursor::sizeNS},
        {{150, 175}, part::frame | part::bottom, CommentCursor::sizeNS},
        {{100, 100}, part::frame | part::left | part::top, CommentCursor::sizeNWSE},
        {{199, 179}, part::frame | part::right | part::bottom, CommentCursor::sizeNWSE},
        {{199, 100}, part::frame | part::right | part::top, CommentCursor::sizeNESW},
        {{100, 179}, part::frame | part::left | part::bottom, CommentCursor::sizeNESW},
        {{200, 140}, part::none, CommentCursor::none},
        {{99, 140}, part::none, CommentCursor::none},
    };
    for (const Case& c : cases) {
        area.hitTest({150, 140}); // something grabbed before, to see a miss clear it
        EXPECT_EQ(area.cursorAt(c.at), c.cursor) << c.at;
        EXPECT_EQ(area.hitTest(c.at), c.part != part::none) << c.at;
        EXPECT_EQ(area.dragPart(), c.part) << c.at;
        EXPECT_EQ(area.isDragging(), c.part != part::none) << c.at;
    }

    // Feedback in screen pixels: the 6 x 6 square around the anchor, or the screen frame.
    area.hitTest({150, 220});
    EXPECT_EQ(area.feedback(), (PixelRect{138, 208, 144, 214}));
    area.hitTest({100, 100});
    EXPECT_EQ(area.feedback(), (PixelRect{91, 91, 191, 171}));

    // The anchor wins over the frame it lies in.
    area.setAnchor(2, 2);
    area.hitTest({101, 101});
    EXPECT_EQ(area.dragPart(), part::anchor);
}

TEST(CommentDrag, EdgePushedPastItsOppositeBecomesThatEdge) {
    CommentArea area = areaWith({100, 100, 200, 180}, {50, 120});
    ASSERT_TRUE(area.hitTest({102, 140}));
    ASSERT_EQ(area.dragPart(), part::frame | part::left);
    area.dragBy(100, 0); // onto the right edge: nothing left, but still a drag
    EXPECT_EQ(area.feedback(), (PixelRect{200, 100, 200, 180}));
    area.dragBy(50, 0);
    EXPECT_EQ(area.dragPart(), part::frame | part::right);
    EXPECT_EQ(area.feedback(), (PixelRect{200, 100, 250, 180}));
    area.dragBy(-10, 0); // now the right edge follows the mouse
    EXPECT_EQ(area.feedback(), (PixelRect{200, 100, 240, 180}));
    EXPECT_TRUE(area.endDrag(true));
    EXPECT_EQ(area.frame(), (PixelRect{200, 100, 240, 180}));
    EXPECT_EQ(area.anchor(), (PixelPoint{150, 220})) << "a resize leaves the anchor on the map";
    EXPECT_FALSE(area.isDragging());

    // A corner past the opposite corner switches both edges.
    ASSERT_TRUE(area.hitTest({201, 101}));
    ASSERT_EQ(area.dragPart(), part::frame | part::left | part::top);
    area.dragBy(100, 150);
    EXPECT_EQ(area.dragPart(), part::frame | part::right | part::bottom);
    EXPECT_EQ(area.feedback(), (PixelRect{240, 180, 300, 250}));
    EXPECT_TRUE(area.endDrag(true));
    EXPECT_EQ(area.frame(), (PixelRect{240, 180, 300, 250}));

    // Squeezed to 3 pixels, the frame comes out 8 wide.
    ASSERT_TRUE(area.hitTest({299, 200}));
    ASSERT_EQ(area.dragPart(), part::frame | part::right);
    area.dragBy(-57, 0);
    EXPECT_EQ(area.feedback().width(), 3);
    EXPECT_TRUE(area.endDrag(true));
    EXPECT_EQ(area.frame(), (PixelRect{240, 180, 248, 250}));
}

TEST(CommentDrag, MovingTheFrameLeavesTheAnchorOnTheMap) {
    CommentArea area = areaWith({100, 100, 200, 180}, {50, 120});
    area.beginDraw({34, 34, 374, 374}, {25, 25});
    const CommentStoredPosition before = area.storedPosition();
    ASSERT_TRUE(area.hitTest({150, 140}));
    area.dragBy(30, -20);
    area.dragBy(5, 0);
    EXPECT_TRUE(area.endDrag(true));
    EXPECT_EQ(area.frame(), (PixelRect{135, 80, 235, 160}));
    EXPECT_EQ(area.anchor(), (PixelPoint{150, 220}));
    EXPECT_EQ(area.anchorOffset(), (PixelPoint{15, 140}));
    EXPECT_EQ(area.storedPosition().anchorX, before.anchorX);
    EXPECT_EQ(area.storedPosition().anchorY, before.anchorY);

    // The anchor itself, dragged.
    ASSERT_TRUE(area.hitTest({150, 220}));
    area.dragBy(-40, 10);
    EXPECT_TRUE(area.endDrag(true));
    EXPECT_EQ(area.anchor(), (PixelPoint{110, 230}));
    EXPECT_EQ(area.frame(), (PixelRect{135, 80, 235, 160}));

    // Discarded, or no drag at all: nothing moves.
    ASSERT_TRUE(area.hitTest({150, 140}));
    area.dragBy(7, 7);
    EXPECT_FALSE(area.endDrag(false));
    area.dragBy(7, 7);
    EXPECT_FALSE(area.endDrag(true));
    EXPECT_EQ(area.frame(), (PixelRect{135, 80, 235, 160}));
}

TEST(CommentDrag, ScrollingDuringAResizeKeepsTheFixedEdgesOnTheMap) {
    CommentArea area = areaWith({100, 100, 200, 180}, {50, 120}, 20, 20);
    area.beginDraw({0, 0, 374, 374}, {25, 25});
    ASSERT_TRUE(area.hitTest({198, 140}));
    area.dragBy(10, 0);
    EXPECT_EQ(area.feedback(), (PixelRect{125, 125, 235, 205}));
    area.beginDraw({34, 0, 408, 374}, {25, 25}); // one cell to the right
    EXPECT_EQ(area.feedback(), (PixelRect{91, 125, 235, 205}));
    EXPECT_TRUE(area.endDrag(true));
    EXPECT_EQ(area.frame(), (PixelRect{100, 100, 244, 180}));

    // A whole-frame drag is carried by the mouse alone.
    ASSERT_TRUE(area.hitTest({150, 140}));
    const PixelRect grabbed = area.feedback();
    area.beginDraw({68, 34, 442, 408}, {25, 25});
    EXPECT_EQ(area.feedback(), grabbed);
}

TEST(CommentArea, KeyboardMoveAndAnchorShift) {
    CommentArea area = areaWith({100, 100, 200, 180}, {50, 120});
    EXPECT_TRUE(area.moveBy(0, -1));
    EXPECT_EQ(area.frame(), (PixelRect{100, 99, 200, 179}));
    EXPECT_EQ(area.anchor(), (PixelPoint{150, 220}));
    EXPECT_TRUE(area.shiftAnchorBy(0, 5));
    EXPECT_EQ(area.anchor(), (PixelPoint{150, 225}));

    // Against the map's edge nothing moves, the anchor included.
    area.setFrame({0, 0, 50, 50});
    const PixelPoint anchor = area.anchor();
    EXPECT_FALSE(area.moveBy(-1, 0));
    EXPECT_EQ(area.frame(), (PixelRect{0, 0, 50, 50}));
    EXPECT_EQ(area.anchor(), anchor);
    EXPECT_TRUE(area.shiftAnchorBy(400, 400));
    EXPECT_EQ(area.anchor(), (PixelPoint{340, 340}));
    EXPECT_FALSE(area.shiftAnchorBy(1, 1));
}

TEST(CommentArea, EdgesThatDidNotMoveKeepTheirStoredPosition) {
    CommentArea area = areaWith({100, 100, 200, 180}, {50, 120});
    area.rescale(true);
    PixelRect frame = area.frame();
    frame.right += 22;
    area.setFrame(frame); // only the right edge moves in wide view
    area.rescale(false);
    EXPECT_EQ(area.frame().left, 100);
    EXPECT_EQ(area.frame().top, 100);
    EXPECT_EQ(area.frame().bottom, 180);
    EXPECT_EQ(area.anchor(), (PixelPoint{150, 220}));
    EXPECT_EQ(area.frame().right, 232); // 151 wide-view pixels: cell 6, 28 units
}

TEST(CommentArea, ScreenGeometryAndTextRectangles) {
    CommentArea area = areaWith({100, 100, 200, 160}, {50, 120});
    CommentDrawGeometry g = area.beginDraw({34, 68, 374, 408}, {25, 25});
    EXPECT_EQ(g.frame, (PixelRect{91, 57, 191, 117}));
    EXPECT_EQ(g.anchor, (PixelPoint{141, 177}));
    EXPECT_EQ(g.text, (PixelRect{95, 61, 187, 113}));
    EXPECT_EQ(area.lastScreenRect(), g.frame);
    EXPECT_EQ(area.screenFrame(), g.frame);

    area.beginDraw({204, 0, 340, 340}, {25, 25}); // frame left of the visible part
    EXPECT_TRUE(area.lastScreenRect().empty());

    const PixelRect f{0, 0, 100, 60};
    EXPECT_EQ(commentTextRect(f, comment::frame::rectangle), (PixelRect{4, 4, 96, 56}));
    EXPECT_EQ(commentTextRect(f, comment::frame::roundedRectangle), (PixelRect{6, 6, 94, 54}));
    EXPECT_EQ(commentTextRect(f, comment::frame::ellipse), (PixelRect{19, 13, 81, 47}));
    EXPECT_EQ(commentTextRect(f, comment::frame::none), (PixelRect{4, 4, 96, 56}));

    const PixelRect t{4, 4, 96, 56};
    EXPECT_EQ(alignTextVertically(t, 20, comment::align::top), t);
    EXPECT_EQ(alignTextVertically(t, 20, comment::align::middle), (PixelRect{4, 20, 96, 56}));
    EXPECT_EQ(alignTextVertically(t, 21, comment::align::middle), (PixelRect{4, 19, 96, 56}));
    EXPECT_EQ(alignTextVertically(t, 20, comment::align::bottom), (PixelRect{4, 36, 96, 56}));
    EXPECT_EQ(alignTextVertically(t, 80, comment::align::bottom), t);
}

TEST(CommentArea, FontFollowsStyleViewAndFormat) {
    CommentArea area = areaWith({100, 100, 200, 160}, {50, 120});
    CommentFormat format = area.format();
    format.styleFlags = comment::style::bold | comment::style::underline;
    unsigned revision = area.fontRevision();
    EXPECT_TRUE(area.setFormat(format));
    EXPECT_NE(area.fontRevision(), revision);
    CommentFontDefinition font = area.fontDefinition();
    EXPECT_EQ(font.weight, 700);
    EXPECT_TRUE(font.underline);
    EXPECT_FALSE(font.italic);

    revision = area.fontRevision();
    area.rescale(true);
    EXPECT_NE(area.fontRevision(), revision);
    EXPECT_EQ(area.fontDefinition().weight, 500);
    EXPECT_EQ(area.fontDefinition().pointSize, 6);

    format = area.format();
    format.styleFlags = 0;
    format.pointSize = 8; // typed in wide view
    area.setFormat(format);
    EXPECT_EQ(area.fontDefinition().weight, 0);
    EXPECT_EQ(area.pointSize(), 8);
    EXPECT_EQ(area.copyRecord().pointSize, 12);

    // Colours alone do not touch the font.
    revision = area.fontRevision();
    format.backgroundColour = comment::noColour;
    EXPECT_TRUE(area.setFormat(format));
    EXPECT_EQ(area.fontRevision(), revision);
    EXPECT_FALSE(area.setFormat(format));
}

} // namespace
} // namespace tav
