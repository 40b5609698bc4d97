#include "model/canvas/bitmap_import.h"

#include <gtest/gtest.h>

namespace tav::bitmap_import {
namespace {

TEST(BitmapImport, PiecesAreCutAtTheBitmapEdges) {
    // A 40 x 30 bitmap into the 23 x 23 picture: bases from -22 to 39 and 29.
    EXPECT_EQ(lowestBase(23), -22);
    EXPECT_EQ(highestBase(40), 39);
    EXPECT_EQ(pieceAt(30, 0, 23, 40, 30), (Box{30, 0, 40, 23})) << "ten columns, to the right edge";
    EXPECT_EQ(pieceAt(-5, -2, 23, 40, 30), (Box{0, 0, 18, 21})) << "a negative base narrows the piece";
    EXPECT_EQ(pieceAt(10, 20, 23, 40, 30), (Box{10, 20, 33, 30}));
}

TEST(BitmapImport, ThePreviewFramesThePieceInTheMiddle) {
    EXPECT_EQ(frameOffset(23, false), 59);
    EXPECT_EQ(frameOffset(15, false), 63);
    EXPECT_EQ(frameOffset(23, true), 36);
    EXPECT_EQ(frameOffset(15, true), 48);

    PreviewMapping m = basePointPreview(0, 0, 23, 40, 30, false);
    EXPECT_EQ(m.source, (Box{0, 0, 40, 30}));
    EXPECT_EQ(m.destination, (Box{59, 59, 99, 89}));
    // A negative base shows the bitmap shifted right and down inside the frame.
    m = basePointPreview(-5, -3, 23, 40, 30, false);
    EXPECT_EQ(m.destination.left, 64);
    EXPECT_EQ(m.destination.top, 62);
    // Magnified, twelve pixels of the bitmap show left of the frame.
    m = basePointPreview(20, 0, 23, 40, 30, true);
    EXPECT_EQ(m.source.left, 8);
    EXPECT_EQ(m.source.right, 40);
    EXPECT_EQ(m.destination.left, 0);
    // Out of range bases are clamped first.
    EXPECT_EQ(basePointPreview(100, 0, 23, 40, 30, false).source,
              basePointPreview(39, 0, 23, 40, 30, false).source);

    EXPECT_EQ(reductionPreview(15, 40, 30, true).destination, (Box{48, 48, 93, 93}));
}

} // namespace
} // namespace tav::bitmap_import
