// The shape images of the wall mark editor's lists: drawn with the mark routines, clear around.
#include "win/marks/wall_preview.h"

#include <gtest/gtest.h>

#include "support/dib_canvas.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

TEST(WallShapeImages, ThirteenFiguresOnAWallLineWithAClearBackground) {
    DrawingResourceCache cache;
    ImageList images = makeWallShapeImages(cache);
    ASSERT_TRUE(images);
    EXPECT_EQ(ImageList_GetImageCount(images.get()), 13);
    constexpr COLORREF under = RGB(0, 200, 0);
    test::DibCanvas canvas(wallShapeImageWidth, wallShapeImageHeight, under);
    // The square of normal view, (12, -5) .. (22, 5) around the wall point, moved into the image.
    ImageList_Draw(images.get(), 10, canvas.dc(), 0, 0, ILD_NORMAL);
    const RECT box = canvas.inkBox({0, 0, wallShapeImageWidth, 6}, {under}); // above the line
    EXPECT_EQ(box.left, 8);
    EXPECT_EQ(box.top, 2);
    EXPECT_EQ(box.right, 19);
    EXPECT_EQ(canvas.at(0, 7), RGB(128, 128, 128));
    EXPECT_EQ(canvas.at(13, 7), RGB(192, 192, 192));
    EXPECT_EQ(canvas.at(13, 12), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(13, 13), under);
}

} // namespace
} // namespace tav::win
