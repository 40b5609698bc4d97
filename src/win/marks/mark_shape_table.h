#pragma once
// The hand-placed figures of the wall shapes, per shape code, drawing scale and wall direction.
#include <array>
#include <cstdint>

#include "win/marks/mark_drawing.h"

namespace tav::win::mark_shapes {

enum class Stroke : std::uint8_t {
    rectangle, // bounding box (l, t) (r, b), right and bottom exclusive
    ellipse,   // the same box
    polygon,   // closed, outlined and filled
    polyline,  // open, frame colour only
    line,      // from the first point to the second, the end point left out
};

struct Offset {
    std::int8_t x = 0;
    std::int8_t y = 0;
};

struct Part {
    Stroke stroke = Stroke::rectangle;
    std::uint8_t count = 0;
    std::array<Offset, 16> points{};
};

struct Figure {
    std::uint8_t count = 0;
    std::array<Part, 5> parts{};
};

// Offsets are from the (x, y) the wall routines take. nullptr for shape 0, a code above lastMarkShape or an
// unknown scale or direction.
const Figure* figureOf(int shape, int scale, WallDirection direction);

} // namespace tav::win::mark_shapes
