// Each wall shape against its coordinates, written out below: outline and fill, right and bottom exclusive.
#include <cctype>
#include <climits>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/dib_canvas.h"
#include "win/marks/mark_drawing.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

using test::DibCanvas;
using test::white;

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

struct Row {
    int code;
    const char* normal;
    const char* wide;
    const char* icon;
};

// The figures per shape code in normal, wide and icon view, written as the drawings were planned.
// clang-format off
const Row horizontalTable[] = {
    {1, "rectangle (5,-2,30,3)", "rectangle (4,-1,19,2)", "rectangle (2,7,21,16)"},
    {2, "rectangle (5,-3,30,1)", "rectangle (4,-2,19,1)", "rectangle (2,6,21,12)"},
    {3, "rectangle (5,0,30,4)", "rectangle (4,0,19,3)", "rectangle (2,11,21,17)"},
    {4, "polygon (17,-5) (22,4) (22,5) (17,3) (12,5) (12,4)",
        "polygon (11,-3) (14,2) (14,3) (11,1) (8,3) (8,2)",
        "polygon (11,4) (18,17) (18,18) (11,15) (4,18) (4,17)"},
    {5, "polygon (17,5) (12,-5) (17,-3) (22,-5)",
        "polygon (11,3) (8,-3) (11,-1) (14,-3)",
        "polygon (11,18) (4,4) (11,7) (18,4)"},
    {6, "polygon (8,4) (12,-4) (22,-4) (26,4)",
        "polygon (6,2) (8,-2) (14,-2) (16,2)",
        "polygon (1,15) (1,14) (5,7) (17,7) (21,14) (21,15)"},
    {7, "polygon (8,-4) (9,-3) (12,4) (22,4) (25,-3) (26,-4)",
        "polygon (6,-2) (7,-1) (8,2) (14,2) (15,-1) (16,-2)",
        "polygon (1,7) (5,15) (17,15) (21,7)"},
    {8, "ellipse (12,-5,23,6)", "ellipse (8,-3,15,4)", "ellipse (4,4,19,19)"},
    {9, "polygon (17,-5) (22,4) (22,5) (12,5) (12,4)",
        "polygon (11,-3) (14,2) (14,3) (8,3) (8,2)",
        "polygon (11,4) (18,17) (18,18) (4,18) (4,17)"},
    {10, "rectangle (12,-5,23,6)", "rectangle (8,-3,15,4)", "rectangle (4,4,19,19)"},
    {11, "polygon (17,-1) (21,-5) (22,-5) (22,-4) (18,0) (22,4) (22,5) (21,5) "
         "(17,1) (13,5) (12,5) (12,4) (16,0) (12,-4) (12,-5) (13,-5)",
         "polygon (11,-1) (13,-3) (14,-3) (14,-2) (12,0) (14,2) (14,3) (13,3) "
         "(11,1) (9,3) (8,3) (8,2) (10,0) (8,-2) (8,-3) (9,-3)",
         "polygon (11,9) (16,4) (18,4) (18,6) (13,11) (18,16) (18,18) (16,18) "
         "(11,13) (6,18) (4,18) (4,16) (9,11) (4,6) (4,4) (6,4)"},
    {12, "rectangle (13,-1,22,6); polyline (14,-2) (14,-3) (16,-5) (18,-5) (20,-3) (20,-1); "
         "line from (16,1) to (19,1); line from (17,2) to (17,4)",
         "rectangle (8,-1,15,4); polyline (9,-2) (10,-3) (12,-3) (13,-2) (13,-1); "
         "line from (10,1) to (13,1); line from (11,2) to (11,3)",
         "rectangle (5,9,18,19); polyline (6,8) (6,7) (9,4) (13,4) (16,7) (16,9); "
         "polyline (7,8) (7,7) (10,4) (12,4) (15,7) (15,9); "
         "line from (9,12) to (14,12); line from (11,13) to (11,16)"},
};

const Row verticalTable[] = {
    {1, "rectangle (-2,5,3,30)", "rectangle (-1,4,2,19)", "rectangle (7,2,16,21)"},
    {2, "rectangle (-3,5,1,30)", "rectangle (-2,4,1,19)", "rectangle (6,2,12,21)"},
    {3, "rectangle (0,5,4,30)", "rectangle (0,4,3,19)", "rectangle (11,2,17,21)"},
    {4, "polygon (-5,17) (5,12) (3,17) (5,22) (4,22)",
        "polygon (-3,11) (3,8) (1,11) (3,14) (2,14)",
        "polygon (4,11) (18,4) (15,11) (18,18) (17,18)"},
    {5, "polygon (5,17) (-4,22) (-5,22) (-3,17) (-5,12)",
        "polygon (3,11) (-2,14) (-3,14) (-1,11) (-3,8)",
        "polygon (18,11) (5,18) (4,18) (7,11) (4,4)"},
    {6, "polygon (4,8) (-4,12) (-4,22) (4,26)",
        "polygon (2,6) (-2,8) (-2,14) (2,16)",
        "polygon (15,1) (7,5) (7,17) (14,21) (15,21)"},
    {7, "polygon (-4,8) (4,12) (4,22) (-4,26)",
        "polygon (-2,6) (2,8) (2,14) (-2,16)",
        "polygon (7,1) (15,5) (15,17) (8,21) (7,21)"},
    {8, "ellipse (-5,12,6,23)", "ellipse (-3,8,4,15)", "ellipse (4,4,19,19)"},
    {9, "polygon (0,12) (5,21) (5,22) (-5,22) (-5,21)",
        "polygon (0,8) (3,13) (3,14) (-3,14) (-3,13)",
        "polygon (11,4) (18,17) (18,18) (4,18) (4,17)"},
    {10, "rectangle (-5,12,6,23)", "rectangle (-3,8,4,15)", "rectangle (4,4,19,19)"},
    {11, "polygon (0,16) (4,12) (5,12) (5,13) (1,17) (5,21) (5,22) (4,22) "
         "(0,18) (-4,22) (-5,22) (-5,21) (-1,17) (-5,13) (-5,12) (-4,12)",
         "polygon (0,10) (2,8) (3,8) (3,9) (1,11) (3,13) (3,14) (2,14) "
         "(0,12) (-2,14) (-3,14) (-3,13) (-1,11) (-3,9) (-3,8) (-2,8)",
         "as horizontal"},
    {12, "rectangle (-4,16,5,23); polyline (-3,15) (-3,14) (-1,12) (1,12) (3,14) (3,16); "
         "line from (-1,18) to (2,18); line from (0,19) to (0,21)",
         "rectangle (-3,10,4,15); polyline (-2,9) (-1,8) (1,8) (2,9) (2,10); "
         "line from (-1,12) to (2,12); line from (0,13) to (0,14)",
         "as horizontal"},
};
// clang-format on

// The middle pixel of the wall run, inside every filled shape but the half rectangles and the lock.
POINT middleOf(int scale, WallDirection direction) {
    if (scale == mark_scale::icon)
        return {11, 11};
    const int middle = scale == mark_scale::normal ? 17 : 11;
    return direction == WallDirection::horizontal ? POINT{middle, 0} : POINT{0, middle};
}

const char* entryOf(int code, int scale, WallDirection direction) {
    const Row& row = (direction == WallDirection::horizontal ? horizontalTable : verticalTable)[code - 1];
    const char* text = scale == mark_scale::normal ? row.normal
                       : scale == mark_scale::wide ? row.wide
                                                   : row.icon;
    return std::string(text) == "as horizontal" ? entryOf(code, scale, WallDirection::horizontal) : text;
}

struct Part {
    std::string kind;
    std::vector<POINT> points;
};

// "rectangle (l,t,r,b); polyline (a,b) (c,d); line from (a,b) to (c,d)" into parts with their numbers.
std::vector<Part> parse(const std::string& entry) {
    std::vector<Part> parts;
    std::stringstream pieces(entry);
    std::string piece;
    while (std::getline(pieces, piece, ';')) {
        Part part;
        std::stringstream words(piece);
        words >> part.kind;
        std::vector<int> numbers;
        std::string rest = piece.substr(piece.find('('));
        for (std::size_t i = 0; i < rest.size();) {
            if (rest[i] == '-' || std::isdigit(static_cast<unsigned char>(rest[i]))) {
                std::size_t used = 0;
                numbers.push_back(std::stoi(rest.substr(i), &used));
                i += used;
            } else {
                ++i;
            }
        }
        for (std::size_t i = 0; i + 1 < numbers.size(); i += 2)
            part.points.push_back({numbers[i], numbers[i + 1]});
        parts.push_back(part);
    }
    return parts;
}

// Pixels of a straight run from a towards b, b left out. Only runs whose pixels every line drawer agrees on
// (level, upright, 45 degrees) are listed; of others only the start.
std::vector<POINT> runPixels(POINT a, POINT b) {
    const int dx = b.x - a.x, dy = b.y - a.y;
    if (dx != 0 && dy != 0 && std::abs(dx) != std::abs(dy))
        return {a};
    const int steps = std::max(std::abs(dx), std::abs(dy));
    std::vector<POINT> pixels;
    for (int i = 0; i < steps; ++i)
        pixels.push_back({a.x + i * ((dx > 0) - (dx < 0)), a.y + i * ((dy > 0) - (dy < 0))});
    return pixels;
}

class MarkShape : public ::testing::Test {
protected:
    static constexpr int ox = 40, oy = 40; // where (x, y) lies on the canvas

    void draw(int code, int scale, WallDirection direction, std::uint32_t frame = red,
              std::uint32_t inner = blue) {
        drawMarkShape(canvas.dc(), ox, oy, code, frame, inner, scale, direction, cache);
    }

    // Compares the canvas with what the entry's coordinates demand; returns the differences.
    std::string mismatches(const std::string& entry, int scale, WallDirection direction) {
        std::map<std::pair<int, int>, COLORREF> must;
        RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        auto grow = [&](int x, int y) {
            box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                   std::max<LONG>(box.bottom, y + 1)};
        };
        const std::vector<Part> parts = parse(entry);
        for (const Part& part : parts) {
            const auto& p = part.points;
            if (part.kind == "rectangle" || part.kind == "ellipse") {
                const int l = p[0].x, t = p[0].y, r = p[1].x, b = p[1].y;
                grow(l, t);
                grow(r - 1, b - 1);
                if (part.kind == "rectangle") {
                    for (int y = t; y < b; ++y)
                        for (int x = l; x < r; ++x)
                            must[{x, y}] = (x == l || x == r - 1 || y == t || y == b - 1) ? red : blue;
                } else {
                    const int cx = (l + r - 1) / 2, cy = (t + b - 1) / 2;
                    for (POINT q : {POINT{cx, t}, POINT{cx, b - 1}, POINT{l, cy}, POINT{r - 1, cy}})
                        must[{q.x, q.y}] = red;
                }
            } else {
                const bool closed = part.kind == "polygon";
                const std::size_t runs = closed ? p.size() : p.size() - 1;
                for (std::size_t i = 0; i < runs; ++i)
                    for (POINT q : runPixels(p[i], p[(i + 1) % p.size()])) {
                        must[{q.x, q.y}] = red;
                        grow(q.x, q.y);
                    }
            }
        }
        if (parts.size() == 1 && parts[0].kind != "rectangle") {
            const POINT m = middleOf(scale, direction);
            must[{m.x, m.y}] = blue;
        }
        std::string out;
        auto report = [&](int x, int y, const char* what) {
            if (out.size() < 300)
                out += "(" + std::to_string(x) + "," + std::to_string(y) + ")" + what + " ";
        };
        for (const auto& [at, colour] : must)
            if (canvas.at(ox + at.first, oy + at.second) != colour)
                report(at.first, at.second, colour == red ? " not frame" : " not fill");
        for (int y = -oy; y < canvas.height() - oy; ++y)
            for (int x = -ox; x < canvas.width() - ox; ++x) {
                const COLORREF c = canvas.at(ox + x, oy + y);
                const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
                if (c != white && !inside)
                    report(x, y, " outside");
                else if (c != white && c != red && c != blue)
                    report(x, y, " stray colour");
            }
        return out;
    }

    DibCanvas canvas{100, 100};
    DrawingResourceCache cache;
};

const std::map<COLORREF, char> legend{{white, '.'}, {red, '#'}, {blue, 'o'}};

TEST_F(MarkShape, EveryShapeMatchesItsTableInEveryScaleAndDirection) {
    ASSERT_TRUE(canvas.ready());
    for (int scale : {mark_scale::normal, mark_scale::wide, mark_scale::icon})
        for (WallDirection direction : {WallDirection::horizontal, WallDirection::vertical})
            for (int code = 1; code <= 12; ++code) {
                canvas.paint({0, 0, 100, 100}, white);
                draw(code, scale, direction);
                const char* entry = entryOf(code, scale, direction);
                EXPECT_EQ(mismatches(entry, scale, direction), "")
                    << "code " << code << " scale " << scale << " vertical "
                    << (direction == WallDirection::vertical) << ": " << entry;
            }
}

// Whole figures, including the pixels the coordinate checks leave open (between the shackle's sides, inside
// the cross's arms).
TEST_F(MarkShape, LockAndCrossPixelForPixel) {
    draw(12, mark_scale::normal, WallDirection::horizontal);
    EXPECT_EQ(canvas.picture({ox + 12, oy - 6, ox + 23, oy + 7}, legend),
              "...........\n"   // -6
              "....###....\n"   // -5
              "...#...#...\n"   // -4
              "..#.....#..\n"   // -3
              "..#.....#..\n"   // -2
              ".#########.\n"   // -1
              ".#ooooooo#.\n"   //  0
              ".#oo###oo#.\n"   //  1
              ".#ooo#ooo#.\n"   //  2
              ".#ooo#ooo#.\n"   //  3
              ".#ooooooo#.\n"   //  4
              ".#########.\n"   //  5
              "...........\n"); // 6

    canvas.paint({0, 0, 100, 100}, white);
    draw(11, mark_scale::wide, WallDirection::horizontal);
    const char* const cross = ".........\n" // -4
                              ".##...##.\n" // -3
                              ".#o#.#o#.\n" // -2
                              "..#o#o#..\n" // -1
                              "...#o#...\n" //  0
                              "..#o#o#..\n" //  1
                              ".#o#.#o#.\n" //  2
                              ".##...##.\n" //  3
                              ".........\n";
    EXPECT_EQ(canvas.picture({ox + 7, oy - 4, ox + 16, oy + 5}, legend), cross);
}

TEST_F(MarkShape, MissingColoursLeaveOutOutlineOrFill) {
    draw(1, mark_scale::normal, WallDirection::horizontal, noColour, blue);
    // Without an outline the fill ends one pixel early on the right and at the bottom.
    RECT filled{ox + 5, oy - 2, ox + 29, oy + 2};
    DibCanvas expected(100, 100);
    expected.paint(filled, blue);
    EXPECT_EQ(canvas.snapshot(), expected.snapshot());

    canvas.paint({0, 0, 100, 100}, white);
    draw(8, mark_scale::icon, WallDirection::horizontal, red, noColour);
    EXPECT_EQ(canvas.at(ox + 11, oy + 4), red);
    EXPECT_EQ(canvas.at(ox + 11, oy + 11), white) << "no fill inside the circle";

    canvas.paint({0, 0, 100, 100}, white);
    for (int code = 1; code <= 12; ++code)
        draw(code, mark_scale::normal, WallDirection::horizontal, noColour, noColour);
    EXPECT_EQ(canvas.snapshot(), DibCanvas(100, 100).snapshot());
}

TEST_F(MarkShape, StrayHighBytesInColoursAreIgnored) {
    draw(10, mark_scale::wide, WallDirection::horizontal, 0x120000FF, 0x01FF0000);
    EXPECT_EQ(canvas.at(ox + 8, oy), red);
    EXPECT_EQ(canvas.at(ox + 11, oy), blue);
}

TEST_F(MarkShape, IconShapesWithoutDirectionAreTheSameOnBothWalls) {
    DibCanvas other(100, 100);
    for (int code = 8; code <= 12; ++code) {
        canvas.paint({0, 0, 100, 100}, white);
        other.paint({0, 0, 100, 100}, white);
        draw(code, mark_scale::icon, WallDirection::horizontal);
        drawMarkShape(other.dc(), ox, oy, code, red, blue, mark_scale::icon, WallDirection::vertical, cache);
        EXPECT_EQ(canvas.snapshot(), other.snapshot()) << "code " << code;
    }
}

TEST_F(MarkShape, BadInputDrawsNothing) {
    for (int code : {0, 13, 255, -1})
        draw(code, mark_scale::normal, WallDirection::horizontal);
    for (int scale : {-1, 3, 100})
        draw(1, scale, WallDirection::horizontal);
    draw(1, mark_scale::normal, static_cast<WallDirection>(7));
    drawMarkShape(nullptr, ox, oy, 1, red, blue, mark_scale::normal, WallDirection::horizontal, cache);
    EXPECT_EQ(canvas.snapshot(), DibCanvas(100, 100).snapshot());
    EXPECT_EQ(cache.penCount(), 0u) << "nothing asked of the cache for a shape not drawn";
}

} // namespace
} // namespace tav::win
