#pragma once
// Where a piece of a bitmap larger than the canvas picture comes from, and what the import preview shows.
namespace tav::bitmap_import {

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0; // right and bottom exclusive
    bool operator==(const Box&) const = default;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// Base points run from 1 - N to the bitmap's size - 1 on each axis.
int lowestBase(int side);
int highestBase(int bitmapSize);

// The N x N piece at base point (x, y), cut at the bitmap's edges: a negative base makes it narrower and
// start at the bitmap's edge.
Box pieceAt(int x, int y, int side, int width, int height);

// The preview: 141 x 141 pixels with the piece's frame in the middle.
inline constexpr int previewSide = 141;
int frameOffset(int side, bool magnified);
struct PreviewMapping {
    Box source;      // bitmap pixels
    Box destination; // preview pixels
};
// The bitmap around base point (x, y), clamped to its range first, 1:1 or three times larger.
PreviewMapping basePointPreview(int x, int y, int side, int width, int height, bool magnified);
// The whole bitmap reduced into the frame.
PreviewMapping reductionPreview(int side, int width, int height, bool magnified);

} // namespace tav::bitmap_import
