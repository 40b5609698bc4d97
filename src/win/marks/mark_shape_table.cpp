#include "win/marks/mark_shape_table.h"

#include <initializer_list>

namespace tav::win::mark_shapes {
namespace {

constexpr Part withPoints(Stroke stroke, std::initializer_list<Offset> points) {
    Part part;
    part.stroke = stroke;
    for (const Offset& p : points)
        part.points[part.count++] = p;
    return part;
}

constexpr Part rectangle(int l, int t, int r, int b) {
    return withPoints(Stroke::rectangle,
                      {{std::int8_t(l), std::int8_t(t)}, {std::int8_t(r), std::int8_t(b)}});
}
constexpr Part ellipse(int l, int t, int r, int b) {
    return withPoints(Stroke::ellipse, {{std::int8_t(l), std::int8_t(t)}, {std::int8_t(r), std::int8_t(b)}});
}
constexpr Part line(int a, int b, int c, int d) {
    return withPoints(Stroke::line, {{std::int8_t(a), std::int8_t(b)}, {std::int8_t(c), std::int8_t(d)}});
}
constexpr Part polygon(std::initializer_list<Offset> points) {
    return withPoints(Stroke::polygon, points);
}
constexpr Part polyline(std::initializer_list<Offset> points) {
    return withPoints(Stroke::polyline, points);
}

constexpr Figure figure(std::initializer_list<Part> parts) {
    Figure f;
    for (const Part& p : parts)
        f.parts[f.count++] = p;
    return f;
}

using Shapes = std::array<Figure, lastMarkShape>; // codes 1..12

// Each shape sits on the middle pixel of the wall run and straddles the line; "up/left" shapes lie on the
// negative side. The lock stays upright on both walls.
constexpr Shapes normalHorizontal{
    figure({rectangle(5, -2, 30, 3)}),
    figure({rectangle(5, -3, 30, 1)}),
    figure({rectangle(5, 0, 30, 4)}),
    figure({polygon({{17, -5}, {22, 4}, {22, 5}, {17, 3}, {12, 5}, {12, 4}})}),
    figure({polygon({{17, 5}, {12, -5}, {17, -3}, {22, -5}})}),
    figure({polygon({{8, 4}, {12, -4}, {22, -4}, {26, 4}})}),
    figure({polygon({{8, -4}, {9, -3}, {12, 4}, {22, 4}, {25, -3}, {26, -4}})}),
    figure({ellipse(12, -5, 23, 6)}),
    figure({polygon({{17, -5}, {22, 4}, {22, 5}, {12, 5}, {12, 4}})}),
    figure({rectangle(12, -5, 23, 6)}),
    figure({polygon({{17, -1},
                     {21, -5},
                     {22, -5},
                     {22, -4},
                     {18, 0},
                     {22, 4},
                     {22, 5},
                     {21, 5},
                     {17, 1},
                     {13, 5},
                     {12, 5},
                     {12, 4},
                     {16, 0},
                     {12, -4},
                     {12, -5},
                     {13, -5}})}),
    figure({rectangle(13, -1, 22, 6), polyline({{14, -2}, {14, -3}, {16, -5}, {18, -5}, {20, -3}, {20, -1}}),
            line(16, 1, 19, 1), line(17, 2, 17, 4)}),
};

constexpr Shapes wideHorizontal{
    figure({rectangle(4, -1, 19, 2)}),
    figure({rectangle(4, -2, 19, 1)}),
    figure({rectangle(4, 0, 19, 3)}),
    figure({polygon({{11, -3}, {14, 2}, {14, 3}, {11, 1}, {8, 3}, {8, 2}})}),
    figure({polygon({{11, 3}, {8, -3}, {11, -1}, {14, -3}})}),
    figure({polygon({{6, 2}, {8, -2}, {14, -2}, {16, 2}})}),
    figure({polygon({{6, -2}, {7, -1}, {8, 2}, {14, 2}, {15, -1}, {16, -2}})}),
    figure({ellipse(8, -3, 15, 4)}),
    figure({polygon({{11, -3}, {14, 2}, {14, 3}, {8, 3}, {8, 2}})}),
    figure({rectangle(8, -3, 15, 4)}),
    figure({polygon({{11, -1},
                     {13, -3},
                     {14, -3},
                     {14, -2},
                     {12, 0},
                     {14, 2},
                     {14, 3},
                     {13, 3},
                     {11, 1},
                     {9, 3},
                     {8, 3},
                     {8, 2},
                     {10, 0},
                     {8, -2},
                     {8, -3},
                     {9, -3}})}),
    figure({rectangle(8, -1, 15, 4), polyline({{9, -2}, {10, -3}, {12, -3}, {13, -2}, {13, -1}}),
            line(10, 1, 13, 1), line(11, 2, 11, 3)}),
};

constexpr Shapes iconHorizontal{
    figure({rectangle(2, 7, 21, 16)}),
    figure({rectangle(2, 6, 21, 12)}),
    figure({rectangle(2, 11, 21, 17)}),
    figure({polygon({{11, 4}, {18, 17}, {18, 18}, {11, 15}, {4, 18}, {4, 17}})}),
    figure({polygon({{11, 18}, {4, 4}, {11, 7}, {18, 4}})}),
    figure({polygon({{1, 15}, {1, 14}, {5, 7}, {17, 7}, {21, 14}, {21, 15}})}),
    figure({polygon({{1, 7}, {5, 15}, {17, 15}, {21, 7}})}),
    figure({ellipse(4, 4, 19, 19)}),
    figure({polygon({{11, 4}, {18, 17}, {18, 18}, {4, 18}, {4, 17}})}),
    figure({rectangle(4, 4, 19, 19)}),
    figure({polygon({{11, 9},
                     {16, 4},
                     {18, 4},
                     {18, 6},
                     {13, 11},
                     {18, 16},
                     {18, 18},
                     {16, 18},
                     {11, 13},
                     {6, 18},
                     {4, 18},
                     {4, 16},
                     {9, 11},
                     {4, 6},
                     {4, 4},
                     {6, 4}})}),
    // The shackle is drawn twice, one pixel apart, to make it two pixels thick.
    figure({rectangle(5, 9, 18, 19), polyline({{6, 8}, {6, 7}, {9, 4}, {13, 4}, {16, 7}, {16, 9}}),
            polyline({{7, 8}, {7, 7}, {10, 4}, {12, 4}, {15, 7}, {15, 9}}), line(9, 12, 14, 12),
            line(11, 13, 11, 16)}),
};

constexpr Shapes normalVertical{
    figure({rectangle(-2, 5, 3, 30)}),
    figure({rectangle(-3, 5, 1, 30)}),
    figure({rectangle(0, 5, 4, 30)}),
    figure({polygon({{-5, 17}, {5, 12}, {3, 17}, {5, 22}, {4, 22}})}),
    figure({polygon({{5, 17}, {-4, 22}, {-5, 22}, {-3, 17}, {-5, 12}})}),
    figure({polygon({{4, 8}, {-4, 12}, {-4, 22}, {4, 26}})}),
    figure({polygon({{-4, 8}, {4, 12}, {4, 22}, {-4, 26}})}),
    figure({ellipse(-5, 12, 6, 23)}),
    figure({polygon({{0, 12}, {5, 21}, {5, 22}, {-5, 22}, {-5, 21}})}),
    figure({rectangle(-5, 12, 6, 23)}),
    figure({polygon({{0, 16},
                     {4, 12},
                     {5, 12},
                     {5, 13},
                     {1, 17},
                     {5, 21},
                     {5, 22},
                     {4, 22},
                     {0, 18},
                     {-4, 22},
                     {-5, 22},
                     {-5, 21},
                     {-1, 17},
                     {-5, 13},
                     {-5, 12},
                     {-4, 12}})}),
    figure({rectangle(-4, 16, 5, 23), polyline({{-3, 15}, {-3, 14}, {-1, 12}, {1, 12}, {3, 14}, {3, 16}}),
            line(-1, 18, 2, 18), line(0, 19, 0, 21)}),
};

constexpr Shapes wideVertical{
    figure({rectangle(-1, 4, 2, 19)}),
    figure({rectangle(-2, 4, 1, 19)}),
    figure({rectangle(0, 4, 3, 19)}),
    figure({polygon({{-3, 11}, {3, 8}, {1, 11}, {3, 14}, {2, 14}})}),
    figure({polygon({{3, 11}, {-2, 14}, {-3, 14}, {-1, 11}, {-3, 8}})}),
    figure({polygon({{2, 6}, {-2, 8}, {-2, 14}, {2, 16}})}),
    figure({polygon({{-2, 6}, {2, 8}, {2, 14}, {-2, 16}})}),
    figure({ellipse(-3, 8, 4, 15)}),
    figure({polygon({{0, 8}, {3, 13}, {3, 14}, {-3, 14}, {-3, 13}})}),
    figure({rectangle(-3, 8, 4, 15)}),
    figure({polygon({{0, 10},
                     {2, 8},
                     {3, 8},
                     {3, 9},
                     {1, 11},
                     {3, 13},
                     {3, 14},
                     {2, 14},
                     {0, 12},
                     {-2, 14},
                     {-3, 14},
                     {-3, 13},
                     {-1, 11},
                     {-3, 9},
                     {-3, 8},
                     {-2, 8}})}),
    figure({rectangle(-3, 10, 4, 15), polyline({{-2, 9}, {-1, 8}, {1, 8}, {2, 9}, {2, 10}}),
            line(-1, 12, 2, 12), line(0, 13, 0, 14)}),
};

// In icon view the round and square shapes, the cross and the lock are the same on both walls.
constexpr Shapes iconVertical{
    figure({rectangle(7, 2, 16, 21)}),
    figure({rectangle(6, 2, 12, 21)}),
    figure({rectangle(11, 2, 17, 21)}),
    figure({polygon({{4, 11}, {18, 4}, {15, 11}, {18, 18}, {17, 18}})}),
    figure({polygon({{18, 11}, {5, 18}, {4, 18}, {7, 11}, {4, 4}})}),
    figure({polygon({{15, 1}, {7, 5}, {7, 17}, {14, 21}, {15, 21}})}),
    figure({polygon({{7, 1}, {15, 5}, {15, 17}, {8, 21}, {7, 21}})}),
    iconHorizontal[7],
    iconHorizontal[8],
    iconHorizontal[9],
    iconHorizontal[10],
    iconHorizontal[11],
};

constexpr std::array<std::array<const Shapes*, 2>, 3> tables{{
    {&normalHorizontal, &normalVertical},
    {&wideHorizontal, &wideVertical},
    {&iconHorizontal, &iconVertical},
}};

} // namespace

const Figure* figureOf(int shape, int scale, WallDirection direction) {
    if (shape < 1 || shape > lastMarkShape || scale < mark_scale::normal || scale > mark_scale::icon)
        return nullptr;
    int column;
    switch (direction) {
    case WallDirection::horizontal:
        column = 0;
        break;
    case WallDirection::vertical:
        column = 1;
        break;
    default:
        return nullptr;
    }
    return &(*tables[scale][column])[shape - 1];
}

} // namespace tav::win::mark_shapes
