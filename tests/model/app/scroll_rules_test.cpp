#include "model/app/scroll_rules.h"

#include <gtest/gtest.h>

#include "model/app/file_error_text.h"
#include "model/app/map_file_name.h"
#include "support/memory_file_system.h"

namespace tav::scroll {

using tav::fileErrorText;
namespace {

TEST(ScrollRules, RangeAndBarMovesStayInsideTheMap) {
    EXPECT_EQ(axisRange(31, 11), (AxisRange{20, 10}));
    // A map narrower than the window cannot scroll at all.
    const AxisRange narrow = axisRange(7, 7);
    EXPECT_EQ(narrow.maximum, 0);
    for (Move move : {Move::lineForward, Move::pageForward, Move::last, Move::thumb})
        EXPECT_EQ(moveOrigin(narrow, 0, move, 3), 0);

    const AxisRange range = axisRange(31, 11);
    EXPECT_EQ(moveOrigin(range, 0, Move::lineBack), 0);
    EXPECT_EQ(moveOrigin(range, 5, Move::lineBack), 4);
    EXPECT_EQ(moveOrigin(range, 19, Move::lineForward), 20);
    EXPECT_EQ(moveOrigin(range, 20, Move::lineForward), 20);
    EXPECT_EQ(moveOrigin(range, 15, Move::pageForward), 20);
    EXPECT_EQ(moveOrigin(range, 15, Move::pageBack), 5);
    EXPECT_EQ(moveOrigin(range, 4, Move::pageBack), 0);
    EXPECT_EQ(moveOrigin(range, 7, Move::first), 0);
    EXPECT_EQ(moveOrigin(range, 7, Move::last), 20);
    EXPECT_EQ(moveOrigin(range, 7, Move::thumb, 12), 12);
    EXPECT_EQ(moveOrigin(range, 7, Move::thumb, 40), 20);
    EXPECT_EQ(moveOrigin(range, 7, Move::thumb, -2), 0);
}

TEST(ScrollRules, CentringKeepsTheCellInTheMiddleAndTheWindowOnTheMap) {
    // 31 cells, 11 visible: half is 5.
    EXPECT_EQ(centredOrigin(15, 31, 11), 10); // the start map's middle
    EXPECT_EQ(centredOrigin(4, 31, 11), 0);
    EXPECT_EQ(centredOrigin(5, 31, 11), 0);
    EXPECT_EQ(centredOrigin(26, 31, 11), 20);
    EXPECT_EQ(centredOrigin(27, 31, 11), 20);
    // Wide view of the same map: 17 visible, half 8.
    EXPECT_EQ(centredOrigin(15, 31, 17), 7);
    EXPECT_EQ(centredOrigin(30, 31, 17), 14);
    // Smaller than the window: always 0.
    EXPECT_EQ(centredOrigin(3, 5, 5), 0);
    EXPECT_EQ(centredOrigin(99, 5, 5), 0);
}

TEST(ScrollRules, DiagonalButtonsMoveWhereEachAxisCan) {
    const AxisRange columns{20, 10};
    const AxisRange rows{4, 10};
    EXPECT_EQ(diagonalStep(Corner::upLeft, {3, 2}, columns, rows), (Origin{2, 1}));
    EXPECT_EQ(diagonalStep(Corner::downRight, {3, 2}, columns, rows), (Origin{4, 3}));
    EXPECT_EQ(diagonalStep(Corner::upRight, {3, 2}, columns, rows), (Origin{4, 1}));
    EXPECT_EQ(diagonalStep(Corner::downLeft, {3, 2}, columns, rows), (Origin{2, 3}));
    // One axis at its end: the other still moves.
    EXPECT_EQ(diagonalStep(Corner::upLeft, {0, 2}, columns, rows), (Origin{0, 1}));
    EXPECT_EQ(diagonalStep(Corner::downRight, {5, 4}, columns, rows), (Origin{6, 4}));
    // Both at their ends: nothing moves.
    EXPECT_EQ(diagonalStep(Corner::upLeft, {0, 0}, columns, rows), (Origin{0, 0}));
    EXPECT_EQ(diagonalStep(Corner::downRight, {20, 4}, columns, rows), (Origin{20, 4}));
}

TEST(MapFileName, OnlyTheMedExtensionInAnyCase) {
    using map_file_name::isMapFile;
    EXPECT_TRUE(isMapFile(u"C:\\maps\\x.med"));
    EXPECT_TRUE(isMapFile(u"C:\\maps\\x.MeD"));
    EXPECT_TRUE(isMapFile(u"x.tar.MED"));
    EXPECT_FALSE(isMapFile(u"C:\\maps\\x.map"));
    EXPECT_FALSE(isMapFile(u"C:\\maps.med\\x"));
    EXPECT_FALSE(isMapFile(u"C:\\maps\\x.med.bak"));
    EXPECT_FALSE(isMapFile(u"C:\\maps\\med"));
}

TEST(MapFileName, EveryReasonAMapCannotBeOpenedHasItsMessage) {
    test::MemoryFileSystem files;
    files.addDirectory(u"C:\\maps\\a.MED");
    files.putFile(u"C:\\maps\\b.MED", "ED00");
    files.putFile(u"C:\\maps\\c.txt", "ED00");
    using map_file_name::whyNotOpenable;
    EXPECT_EQ(whyNotOpenable(files, u"C:\\maps\\b.med"), "");
    EXPECT_EQ(whyNotOpenable(files, u"C:\\maps\\gone.MED"),
              fileErrorText(FileCause::fileNotFound, u"C:\\maps\\gone.MED"));
    EXPECT_EQ(whyNotOpenable(files, u"C:\\maps\\a.MED"),
              fileErrorText(FileCause::badPath, u"C:\\maps\\a.MED"));
    EXPECT_EQ(whyNotOpenable(files, u"C:\\maps\\c.txt"),
              "マップデータを読込むことができませんでした。\n\nC:\\maps\\c.txt\nは不正なフォーマットです。");
}

} // namespace
} // namespace tav::scroll
