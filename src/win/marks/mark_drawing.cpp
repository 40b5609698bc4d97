#include "win/marks/mark_drawing.h"

#include <algorithm>
#include <array>

#include "win/marks/mark_colour.h"
#include "win/marks/mark_shape_table.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {

namespace {

using mark_shapes::Figure;
using mark_shapes::Part;
using mark_shapes::Stroke;

bool validScale(int scale) {
    return scale >= mark_scale::normal && scale <= mark_scale::icon;
}

bool validDirection(WallDirection direction) {
    return direction == WallDirection::horizontal || direction == WallDirection::vertical;
}

void drawPart(HDC dc, int x, int y, const Part& part) {
    std::array<POINT, 16> points{};
    const int count = std::min<int>(part.count, static_cast<int>(points.size()));
    for (int i = 0; i < count; ++i)
        points[i] = {x + part.points[i].x, y + part.points[i].y};
    switch (part.stroke) {
    case Stroke::rectangle:
        Rectangle(dc, points[0].x, points[0].y, points[1].x, points[1].y);
        break;
    case Stroke::ellipse:
        Ellipse(dc, points[0].x, points[0].y, points[1].x, points[1].y);
        break;
    case Stroke::polygon:
        Polygon(dc, points.data(), count);
        break;
    case Stroke::polyline:
        Polyline(dc, points.data(), count);
        break;
    case Stroke::line: {
        POINT previous{};
        MoveToEx(dc, points[0].x, points[0].y, &previous);
        LineTo(dc, points[1].x, points[1].y);
        MoveToEx(dc, previous.x, previous.y, nullptr);
        break;
    }
    }
}

void drawWallLine(HDC dc, int x, int y, COLORREF colour, int scale, WallDirection direction,
                  DrawingResourceCache& cache) {
    HPEN pen = cache.pen(PS_SOLID, 1, colour);
    if (!pen)
        return;
    const int span = markCellSpan(scale);
    const int middle = scale == mark_scale::icon ? 11 : 0;
    POINT from{x, y + middle};
    POINT to{x + span + 1, y + middle}; // the end point is left out: span + 1 pixels
    if (direction == WallDirection::vertical) {
        from = {x + middle, y};
        to = {x + middle, y + span + 1};
    }
    SelectObjectScope selected(dc, pen);
    POINT previous{};
    MoveToEx(dc, from.x, from.y, &previous);
    LineTo(dc, to.x, to.y);
    MoveToEx(dc, previous.x, previous.y, nullptr);
}

} // namespace

int markCellSpan(int scale) {
    switch (scale) {
    case mark_scale::normal:
        return 34;
    case mark_scale::wide:
    case mark_scale::icon:
        return 22;
    default:
        return 0;
    }
}

int wallMarkReach(int scale) {
    const int span = markCellSpan(scale);
    int reach = 1; // the wall line's last pixel lies on the next grid corner
    for (WallDirection direction : {WallDirection::horizontal, WallDirection::vertical})
        for (int shape = 1; shape <= lastMarkShape; ++shape) {
            const Figure* figure = mark_shapes::figureOf(shape, scale, direction);
            if (!figure)
                continue;
            for (int i = 0; i < figure->count; ++i) {
                const Part& part = figure->parts[i];
                for (int k = 0; k < part.count; ++k)
                    for (int v : {int(part.points[k].x), int(part.points[k].y)})
                        reach = std::max({reach, -v, v - span});
            }
        }
    // Outlines may cover the pixel on the far side of a point.
    return reach + 1;
}

void drawMarkShape(HDC dc, int x, int y, int shape, std::uint32_t frameColour, std::uint32_t innerColour,
                   int scale, WallDirection direction, DrawingResourceCache& cache) {
    const Figure* figure = mark_shapes::figureOf(shape, scale, direction);
    if (!dc || !figure)
        return;
    HPEN pen = cache.pen(PS_SOLID, 1, markColour(frameColour));
    HBRUSH brush = cache.solidBrush(markColour(innerColour));
    // Whatever the caller had selected would paint the wrong colour, so a missing object skips the mark.
    if (!pen || !brush)
        return;
    SelectObjectScope selectedPen(dc, pen);
    SelectObjectScope selectedBrush(dc, brush);
    for (int i = 0; i < figure->count; ++i)
        drawPart(dc, x, y, figure->parts[i]);
}

void drawWallMarkRecord(HDC dc, int x, int y, const WallMarkRecord& record, int scale,
                        WallDirection direction, DrawingResourceCache& cache) {
    if (!dc || !validScale(scale) || !validDirection(direction))
        return;
    if (record.lineVisible)
        drawWallLine(dc, x, y, markColour(record.lineColor), scale, direction, cache);
    // The front mark goes over the back mark, both over the line.
    drawMarkShape(dc, x, y, record.backShape, record.backFrameColor, record.backFillColor, scale, direction,
                  cache);
    drawMarkShape(dc, x, y, record.frontShape, record.frontFrameColor, record.frontFillColor, scale,
                  direction, cache);
}

void drawHorizontalWallMarkRecord(HDC dc, int x, int y, const WallMarkRecord& record, int scale,
                                  DrawingResourceCache& cache) {
    drawWallMarkRecord(dc, x, y, record, scale, WallDirection::horizontal, cache);
}

void drawVerticalWallMarkRecord(HDC dc, int x, int y, const WallMarkRecord& record, int scale,
                                DrawingResourceCache& cache) {
    drawWallMarkRecord(dc, x, y, record, scale, WallDirection::vertical, cache);
}

const WallMarkRecord* registeredWallMark(const MarkPalette& palette, int slot) {
    if (slot < 1 || slot > wallSlotCount)
        return nullptr;
    const WallMarkRecord& record = palette.walls[slot - 1];
    return record.registered ? &record : nullptr;
}

void drawWallMark(HDC dc, int x, int y, const MarkPalette& palette, int slot, int scale,
                  WallDirection direction, DrawingResourceCache& cache) {
    if (const WallMarkRecord* record = registeredWallMark(palette, slot))
        drawWallMarkRecord(dc, x, y, *record, scale, direction, cache);
}

void drawHorizontalWallMark(HDC dc, int x, int y, const MarkPalette& palette, int slot, int scale,
                            DrawingResourceCache& cache) {
    drawWallMark(dc, x, y, palette, slot, scale, WallDirection::horizontal, cache);
}

void drawVerticalWallMark(HDC dc, int x, int y, const MarkPalette& palette, int slot, int scale,
                          DrawingResourceCache& cache) {
    drawWallMark(dc, x, y, palette, slot, scale, WallDirection::vertical, cache);
}

namespace {

// The brush of candidate 1..8, or nullptr when there is nothing to fill.
HBRUSH backgroundBrush(HDC dc, const BackgroundCandidates& candidates, int candidate, int scale,
                       DrawingResourceCache& cache) {
    if (!dc || candidate < 1 || candidate > backgroundCandidateCount || !validScale(scale))
        return nullptr;
    const std::uint32_t word = candidates[candidate - 1];
    if (word == noColour)
        return nullptr;
    // The cache refuses pattern types it does not know.
    return cache.patternBrush(word >> 24, word & 0x00FFFFFF);
}

void fillInside(HDC dc, int x, int y, int scale, HBRUSH brush) {
    const int span = markCellSpan(scale);
    const RECT inside{x + 1, y + 1, x + span, y + span};
    FillRect(dc, &inside, brush);
}

} // namespace

void fillCellBackground(HDC dc, int x, int y, const BackgroundCandidates& candidates, int candidate,
                        int scale, DrawingResourceCache& cache, POINT patternOrigin) {
    HBRUSH brush = backgroundBrush(dc, candidates, candidate, scale, cache);
    if (!brush)
        return;
    alignBrushOrigin(dc, brush, patternOrigin.x, patternOrigin.y);
    fillInside(dc, x, y, scale, brush);
}

void fillAlignedCellBackground(HDC dc, int x, int y, const BackgroundCandidates& candidates, int candidate,
                               int scale, DrawingResourceCache& cache) {
    if (HBRUSH brush = backgroundBrush(dc, candidates, candidate, scale, cache))
        fillInside(dc, x, y, scale, brush);
}

void fillCellBackground(HDC dc, int x, int y, const BackgroundCandidates& candidates, int candidate,
                        int scale, DrawingResourceCache& cache) {
    fillCellBackground(dc, x, y, candidates, candidate, scale, cache, {x + 1, y + 1});
}

} // namespace tav::win
