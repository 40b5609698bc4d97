#include "win/marks/wall_mark_sprites.h"

#include <algorithm>
#include <array>

#include "win/marks/mark_colour.h"
#include "win/marks/mark_shape_table.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {

namespace {

// What any wall mark of a scale and direction may cover, relative to the point it is drawn at.
struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

Box boxOf(int scale, WallDirection direction) {
    const int span = markCellSpan(scale);
    // The line runs from the point over span + 1 pixels.
    int left = 0, top = 0;
    int right = direction == WallDirection::horizontal ? span : 0;
    int bottom = direction == WallDirection::vertical ? span : 0;
    for (int shape = 1; shape <= lastMarkShape; ++shape) {
        const mark_shapes::Figure* figure = mark_shapes::figureOf(shape, scale, direction);
        for (int i = 0; figure && i < figure->count; ++i) {
            const mark_shapes::Part& part = figure->parts[i];
            for (int k = 0; k < part.count; ++k) {
                left = std::min<int>(left, part.points[k].x);
                right = std::max<int>(right, part.points[k].x);
                top = std::min<int>(top, part.points[k].y);
                bottom = std::max<int>(bottom, part.points[k].y);
            }
        }
    }
    // A pixel to spare on every side: outlines may cover the pixel beyond a point.
    return {left - 1, top - 1, right - left + 3, bottom - top + 3};
}

const Box& spriteBox(int scale, WallDirection direction) {
    static const std::array<Box, 4> boxes{boxOf(mark_scale::normal, WallDirection::horizontal),
                                          boxOf(mark_scale::normal, WallDirection::vertical),
                                          boxOf(mark_scale::wide, WallDirection::horizontal),
                                          boxOf(mark_scale::wide, WallDirection::vertical)};
    return boxes[scale * 2 + (direction == WallDirection::vertical ? 1 : 0)];
}

// Everything the drawing reads from the record, as it reads it: a hidden line draws as no line colour,
// stray high bytes are ignored.
SpriteKey keyOf(const WallMarkRecord& record, int scale, WallDirection direction) {
    return {static_cast<std::uint32_t>(scale) << 8 | (direction == WallDirection::vertical ? 1u : 0u),
            record.lineVisible ? markColour(record.lineColor) : noColour,
            record.backShape,
            markColour(record.backFrameColor),
            markColour(record.backFillColor),
            record.frontShape,
            markColour(record.frontFrameColor),
            markColour(record.frontFillColor)};
}

int bitsPerPixel(HDC dc) {
    if (GetObjectType(dc) == OBJ_MEMDC) {
        BITMAP bitmap{};
        HGDIOBJ current = GetCurrentObject(dc, OBJ_BITMAP);
        return current && GetObjectW(current, sizeof bitmap, &bitmap) ? bitmap.bmBitsPixel * bitmap.bmPlanes
                                                                      : 0;
    }
    if (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE)
        return 0;
    return GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
}

} // namespace

bool wallSpritesFit(HDC dc) {
    // Fewer bits would round the drawn colours one way and the copied ones maybe another.
    return dc && GetMapMode(dc) == MM_TEXT && GetGraphicsMode(dc) == GM_COMPATIBLE && GetLayout(dc) == 0 &&
           GetROP2(dc) == R2_COPYPEN && GetPolyFillMode(dc) == ALTERNATE && bitsPerPixel(dc) >= 24;
}

void copyWallMarkRecord(HDC dc, int x, int y, const WallMarkRecord& record, int scale,
                        WallDirection direction, DrawingResourceCache& cache) {
    if (!dc || (scale != mark_scale::normal && scale != mark_scale::wide) ||
        (direction != WallDirection::horizontal && direction != WallDirection::vertical)) {
        drawWallMarkRecord(dc, x, y, record, scale, direction, cache);
        return;
    }
    // Nothing to draw needs no copy either.
    if (!record.lineVisible && !mark_shapes::figureOf(record.backShape, scale, direction) &&
        !mark_shapes::figureOf(record.frontShape, scale, direction))
        return;
    const Box& box = spriteBox(scale, direction);
    const Sprite sprite = cache.sprites().find(
        keyOf(record, scale, direction), box.width, box.height, [&](HDC sheet, int sx, int sy) {
            drawWallMarkRecord(sheet, sx - box.left, sy - box.top, record, scale, direction, cache);
        });
    if (sprite)
        SpriteStore::copy(dc, x + box.left, y + box.top, sprite);
    else
        drawWallMarkRecord(dc, x, y, record, scale, direction, cache);
}

void copyWallMark(HDC dc, int x, int y, const MarkPalette& palette, int slot, int scale,
                  WallDirection direction, DrawingResourceCache& cache) {
    if (const WallMarkRecord* record = registeredWallMark(palette, slot))
        copyWallMarkRecord(dc, x, y, *record, scale, direction, cache);
}

} // namespace tav::win
