#include "model/canvas/bitmap_import.h"

#include <algorithm>

namespace tav::bitmap_import {

int lowestBase(int side) {
    return 1 - side;
}

int highestBase(int bitmapSize) {
    return bitmapSize - 1;
}

Box pieceAt(int x, int y, int side, int width, int height) {
    Box piece;
    piece.left = std::max(x, 0);
    piece.top = std::max(y, 0);
    piece.right = std::min(piece.left + side + std::min(x, 0), width);
    piece.bottom = std::min(piece.top + side + std::min(y, 0), height);
    return piece;
}

int frameOffset(int side, bool magnified) {
    return (previewSide - (magnified ? 3 * side : side)) >> 1;
}

namespace {

// One axis of the base-point preview.
void axis(int base, int side, int size, bool magnified, int& sourceStart, int& sourceEnd,
          int& destinationStart, int& destinationEnd) {
    base = std::clamp(base, lowestBase(side), highestBase(size));
    const int frame = frameOffset(side, magnified);
    if (!magnified) {
        sourceStart = std::max(base - frame, 0);
        sourceEnd = std::min(base - frame + previewSide, size);
        destinationStart = std::max(frame - base, 0);
        destinationEnd = std::min(previewSide, destinationStart + (size - sourceStart));
        return;
    }
    const int reach = frame / 3;
    sourceStart = std::max(base - reach, 0);
    sourceEnd = std::min(base - reach + 47, size);
    destinationStart = std::max(frame - 3 * base, 0);
    destinationEnd = std::min(previewSide, destinationStart + 3 * (size - sourceStart));
}

} // namespace

PreviewMapping basePointPreview(int x, int y, int side, int width, int height, bool magnified) {
    PreviewMapping m;
    axis(x, side, width, magnified, m.source.left, m.source.right, m.destination.left, m.destination.right);
    axis(y, side, height, magnified, m.source.top, m.source.bottom, m.destination.top, m.destination.bottom);
    return m;
}

PreviewMapping reductionPreview(int side, int width, int height, bool magnified) {
    const int frame = frameOffset(side, magnified);
    const int size = magnified ? 3 * side : side;
    return {{0, 0, width, height}, {frame, frame, frame + size, frame + size}};
}

} // namespace tav::bitmap_import
