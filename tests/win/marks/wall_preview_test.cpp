// The shape images of the wall mark editor's lists: drawn with the mark routines, transparent around.
#include "win/marks/wall_preview.h"

#include <gtest/gtest.h>

#include "support/dib_canvas.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

using test::DibCanvas;

TEST(WallShapeImages, ThirteenImagesOfTheFiguresOnAWallLineWithAClearBackground) {
    DrawingResourceCache cache;
    ImageList images = makeWallShapeImages(cache);
    ASSERT_TRUE(images);
    EXPECT_EQ(ImageList_GetImageCount(images.get()), 13);
    DibCanvas canvas(wallShapeImageWidth, wallShapeImageHeight, RGB(0, 200, 0));
    const RECT whole{0, 0, wallShapeImageWidth, wallShapeImageHeight};

    // None: only the wall line across the middle row.
    ImageList_Draw(images.get(), 0, canvas.dc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(canvas.count(whole, RGB(0, 200, 0)), wallShapeImageWidth * (wallShapeImageHeight - 1));
    EXPECT_EQ(canvas.count({0, 7, wallShapeImageWidth, 8}, RGB(128, 128, 128)), wallShapeImageWidth);

    // The square of normal view, (12, -5) .. (22, 5) around the wall point, moved to the image's middle.
    canvas.paint(whole, RGB(0, 200, 0));
    ImageList_Draw(images.get(), 10, canvas.dc(), 0, 0, ILD_NORMAL);
    const RECT box = canvas.inkBox({0, 0, wallShapeImageWidth, 6}, {RGB(0, 200, 0)});
    EXPECT_EQ(box.left, 8);
    EXPECT_EQ(box.top, 2);
    EXPECT_EQ(box.right, 19);
    EXPECT_EQ(canvas.at(8, 2), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(13, 7), RGB(192, 192, 192));
    EXPECT_EQ(canvas.at(13, 12), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(13, 13), RGB(0, 200, 0));
}

} // namespace
} // namespace tav::win
