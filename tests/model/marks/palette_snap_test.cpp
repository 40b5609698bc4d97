#include "model/marks/palette_snap.h"

#include <gtest/gtest.h>

namespace tav {
namespace {

TEST(PaletteSnap, DocksWithinFifteenPixelsOfEitherSideAndAlignsTops) {
    const SnapFrame main{100, 50, 740, 530};
    const int width = 169;
    // The right edge 15 pixels short of the main window's left edge touches it; 16 pixels away it does not.
    EXPECT_EQ(snapToMainWindow({100 - width - 15, 300}, width, main), (SnapPosition{100 - width, 300}));
    EXPECT_EQ(snapToMainWindow({100 - width - 16, 300}, width, main), (SnapPosition{100 - width - 16, 300}));
    EXPECT_EQ(snapToMainWindow({100 - width + 15, 300}, width, main), (SnapPosition{100 - width, 300}));
    EXPECT_EQ(snapToMainWindow({740 + 15, 300}, width, main), (SnapPosition{740, 300}));
    EXPECT_EQ(snapToMainWindow({740 - 16, 300}, width, main), (SnapPosition{740 - 16, 300}));
    EXPECT_EQ(snapToMainWindow({400, 50 - 15}, width, main), (SnapPosition{400, 50}));
    EXPECT_EQ(snapToMainWindow({400, 50 + 16}, width, main), (SnapPosition{400, 66}));
    EXPECT_EQ(snapToMainWindow({752, 60}, width, main), (SnapPosition{740, 50})) << "both at once";
}

} // namespace
} // namespace tav
