// The cell background: the interior without grid lines, its pattern starting where the caller anchors it.
#include <string>

#include <gtest/gtest.h>

#include "support/dib_canvas.h"
#include "win/marks/mark_drawing.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {
namespace {

using test::cream;
using test::DibCanvas;
using test::white;

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

// Fill pattern 8, the diagonal lattice; '#' is the colour, '.' the cream base.
const char* const lattice[8] = {
    "#......#", ".#....#.", "..#..#..", "...##...", "...##...", "..#..#..", ".#....#.", "#......#",
};

class CellBackground : public ::testing::Test {
protected:
    void SetUp() override {
        candidates[0] = 0x000000FF;            // solid red
        candidates[2] = 0x08000000 | 0xFF0000; // blue lattice
        candidates[5] = 0xFF000000;            // no colour
        candidates[6] = 0x0B00FF00;            // a pattern type that does not exist
    }
    void fill(int x, int y, int candidate, int scale) {
        fillCellBackground(canvas.dc(), x, y, candidates, candidate, scale, cache);
    }
    // Pixels of area that are not the lattice started at (startX, startY).
    std::string latticeMismatches(RECT area, int startX, int startY) const {
        std::string out;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) {
                const bool ink = lattice[((y - startY) % 8 + 8) % 8][((x - startX) % 8 + 8) % 8] == '#';
                if (canvas.at(x, y) != (ink ? blue : cream) && out.size() < 200)
                    out += "(" + std::to_string(x) + "," + std::to_string(y) + ") ";
            }
        return out;
    }
    int count(COLORREF colour) const {
        int n = 0;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                n += canvas.at(x, y) == colour;
        return n;
    }

    DibCanvas canvas{100, 60};
    DrawingResourceCache cache;
    BackgroundCandidates candidates = defaultBackgroundCandidates();
};

TEST_F(CellBackground, FillsTheInteriorWithoutTheGridLines) {
    ASSERT_TRUE(canvas.ready());
    fill(10, 5, 1, mark_scale::normal);
    EXPECT_EQ(count(red), 33 * 33);
    EXPECT_EQ(canvas.at(11, 6), red);
    EXPECT_EQ(canvas.at(43, 38), red);
    EXPECT_EQ(canvas.at(10, 6), white);
    EXPECT_EQ(canvas.at(44, 38), white);
    EXPECT_EQ(canvas.at(43, 39), white);

    for (int scale : {mark_scale::wide, mark_scale::icon}) {
        canvas.paint({0, 0, 100, 60}, white);
        fill(50, 20, 1, scale);
        EXPECT_EQ(count(red), 21 * 21) << scale;
        EXPECT_EQ(canvas.at(51, 21), red);
        EXPECT_EQ(canvas.at(71, 41), red);
        EXPECT_EQ(canvas.at(72, 41), white);
    }
}

TEST_F(CellBackground, PatternStartsAtTheGivenOriginSoAdjacentCellsContinueIt) {
    // Two adjacent cells given one origin show one lattice across both; the grid line between them stays.
    const POINT origin{-30, -13};
    fillCellBackground(canvas.dc(), 3, 2, candidates, 3, mark_scale::normal, cache, origin);
    fillCellBackground(canvas.dc(), 37, 2, candidates, 3, mark_scale::normal, cache, origin);
    EXPECT_EQ(latticeMismatches({4, 3, 37, 36}, origin.x, origin.y), "");
    EXPECT_EQ(latticeMismatches({38, 3, 71, 36}, origin.x, origin.y), "");
    EXPECT_EQ(canvas.at(37, 10), white);

    // The origin is logical: a shifted viewport shows the same pixels shifted.
    DibCanvas scrolled(100, 60);
    SetViewportOrgEx(scrolled.dc(), -5, -3, nullptr);
    fillCellBackground(scrolled.dc(), 3, 2, candidates, 3, mark_scale::normal, cache, origin);
    fillCellBackground(scrolled.dc(), 37, 2, candidates, 3, mark_scale::normal, cache, origin);
    for (int y = 3; y < 36; ++y)
        for (int x = 5; x < 71; ++x)
            ASSERT_EQ(scrolled.at(x - 5, y - 3), canvas.at(x, y)) << x << "," << y;

    // A pass over many cells sets the origin once and then leaves it: the same pixels.
    DibCanvas pass(100, 60);
    alignBrushOrigin(pass.dc(), nullptr, origin.x, origin.y);
    fillAlignedCellBackground(pass.dc(), 3, 2, candidates, 3, mark_scale::normal, cache);
    fillAlignedCellBackground(pass.dc(), 37, 2, candidates, 3, mark_scale::normal, cache);
    EXPECT_EQ(pass.snapshot(), canvas.snapshot());

    // A cell on its own starts the pattern at its inner corner.
    canvas.paint({0, 0, 100, 60}, white);
    fill(37, 2, 3, mark_scale::wide);
    EXPECT_EQ(latticeMismatches({38, 3, 59, 24}, 38, 3), "");
}

TEST_F(CellBackground, NothingForBadCandidatesOrScales) {
    for (int candidate : {0, 9, -1, 6, 7})
        fill(10, 10, candidate, mark_scale::normal);
    for (int scale : {-1, 3})
        fill(10, 10, 1, scale);
    fillCellBackground(nullptr, 10, 10, candidates, 1, mark_scale::normal, cache);
    EXPECT_EQ(count(white), 100 * 60);
}

} // namespace
} // namespace tav::win
