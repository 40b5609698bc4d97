#pragma once
#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace tav {

// One map cell: the walls on its top and left edges, its room mark and its background.
// Layer n (1..4) is byte n-1.
struct Cell {
    std::uint8_t horizontalWall = 0;
    std::uint8_t verticalWall = 0;
    std::uint8_t room = 0;
    std::uint8_t background = 0;

    // n must be 1..4.
    std::uint8_t layer(int n) const { return const_cast<Cell*>(this)->layer(n); }
    std::uint8_t& layer(int n) {
        switch (n) {
        case 1:
            return horizontalWall;
        case 2:
            return verticalWall;
        case 3:
            return room;
        default:
            return background;
        }
    }
    bool operator==(const Cell&) const = default;
};
static_assert(sizeof(Cell) == 4);

namespace layer {
constexpr int horizontalWall = 1;
constexpr int verticalWall = 2;
constexpr int room = 3;
constexpr int background = 4;
constexpr std::uint8_t bit(int n) {
    return static_cast<std::uint8_t>(1u << (n - 1));
}
} // namespace layer

// Cell rectangle, edges included unless a caller says otherwise.
struct CellRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const CellRect&) const = default;
};

// The rectangle normalised and clamped inside a width x height grid, edges included; a negative right or
// bottom edge means the last column or row. The grid must not be empty.
inline CellRect clampToGrid(CellRect rect, int width, int height) {
    if (rect.right < 0)
        rect.right = width - 1;
    if (rect.bottom < 0)
        rect.bottom = height - 1;
    if (rect.left > rect.right)
        std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom)
        std::swap(rect.top, rect.bottom);
    rect.left = std::clamp(rect.left, 0, width - 1);
    rect.top = std::clamp(rect.top, 0, height - 1);
    rect.right = std::clamp(rect.right, rect.left, width - 1);
    rect.bottom = std::clamp(rect.bottom, rect.top, height - 1);
    return rect;
}

// The grid, row by row. Columns and rows wrap: column W is column 0, row H is row 0.
class CellGrid {
public:
    CellGrid() = default;
    CellGrid(int width, int height) : width_(width), height_(height), cells_(std::size_t(width) * height) {}

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return cells_.empty(); }

    Cell& at(int column, int row) { return cells_[std::size_t(row) * width_ + column]; }
    const Cell& at(int column, int row) const { return cells_[std::size_t(row) * width_ + column]; }
    // The cell addressed with wrap-around of the right and bottom borders.
    Cell& wrapped(int column, int row) { return at(column >= width_ ? 0 : column, row >= height_ ? 0 : row); }

    const std::vector<Cell>& cells() const { return cells_; }
    std::vector<Cell>& cells() { return cells_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Cell> cells_;
};

} // namespace tav
