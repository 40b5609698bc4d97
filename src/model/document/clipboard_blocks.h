#pragma once
// The two private clipboard blocks: a rectangle of cells and one comment area. Blocks from the clipboard
// may come from any program, so the decoders trust nothing but the bytes they are given.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/comments/comment_area.h"
#include "model/document/cell.h"

namespace tav {

// Registered clipboard format names.
namespace clipboard_format {
constexpr const char mapName[] = "TAVROSIN-MAP";
constexpr const char commentName[] = "TAVROSIN-COMMENT";
} // namespace clipboard_format

namespace map_block {
constexpr std::size_t headerSize = 4;
// No map is wider or higher than this, so neither is a block copied from one.
constexpr int maxSide = comment::maxCells;
// Header, w x h cell records, h right-edge bytes, w bottom-edge bytes.
constexpr std::size_t sizeFor(int width, int height) {
    return headerSize + 4 * std::size_t(width) * std::size_t(height) + std::size_t(height) +
           std::size_t(width);
}
} // namespace map_block

// A rectangle of cells with the walls on its right and bottom edges, which belong to the neighbouring
// cells (column 0 and row 0 when the rectangle ends at the map's last column or row).
class MapBlock {
public:
    // The rectangle (edges included, normalised, clamped to the grid; a negative right or bottom means the
    // last column or row, as for clearing); empty when the grid is.
    static MapBlock fromGrid(const CellGrid& grid, CellRect rect);
    // Refuses fewer bytes than the header promises and a width or height outside 1..maxSide; out is only
    // touched on success. Bytes after the block are ignored (clipboard memory may be rounded up).
    static bool decode(std::span<const std::uint8_t> bytes, MapBlock& out);
    std::vector<std::uint8_t> encode() const;

    bool empty() const { return cells_.empty(); }
    int width() const { return width_; }
    int height() const { return height_; }
    const Cell& cell(int column, int row) const { return cells_[std::size_t(row) * width_ + column]; }
    // The vertical wall right of the block in this row, and the horizontal wall below it in this column.
    std::uint8_t rightEdge(int row) const { return rightEdge_[row]; }
    std::uint8_t bottomEdge(int column) const { return bottomEdge_[column]; }

    bool operator==(const MapBlock&) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Cell> cells_;
    std::vector<std::uint8_t> rightEdge_;
    std::vector<std::uint8_t> bottomEdge_;
};

// The 76-byte record of a comment area followed by its text and a terminating zero.
struct CommentBlock {
    CommentRecord record;
    std::string text; // CP932, without zero bytes

    // The record brought up to date from the area's position, and its text.
    static CommentBlock fromArea(const CommentArea& area);
    // Refuses a block shorter than the record or whose text has no terminating zero inside it.
    static bool decode(std::span<const std::uint8_t> bytes, CommentBlock& out);
    // The text is written up to its first zero byte, if it has one.
    std::vector<std::uint8_t> encode() const;

    bool operator==(const CommentBlock&) const = default;
};

} // namespace tav
