#include "model/document/clipboard_blocks.h"

#include <algorithm>
#include <cstring>

namespace tav {

MapBlock MapBlock::fromGrid(const CellGrid& grid, CellRect rect) {
    MapBlock block;
    const int w = grid.width();
    const int h = grid.height();
    if (grid.empty())
        return block;
    rect = clampToGrid(rect, w, h);

    block.width_ = rect.right - rect.left + 1;
    block.height_ = rect.bottom - rect.top + 1;
    block.cells_.reserve(std::size_t(block.width_) * block.height_);
    for (int r = rect.top; r <= rect.bottom; ++r)
        for (int c = rect.left; c <= rect.right; ++c)
            block.cells_.push_back(grid.at(c, r));
    // The map wraps: right of the last column is column 0, below the last row is row 0.
    const int rightColumn = rect.right == w - 1 ? 0 : rect.right + 1;
    const int belowRow = rect.bottom == h - 1 ? 0 : rect.bottom + 1;
    for (int r = rect.top; r <= rect.bottom; ++r)
        block.rightEdge_.push_back(grid.at(rightColumn, r).verticalWall);
    for (int c = rect.left; c <= rect.right; ++c)
        block.bottomEdge_.push_back(grid.at(c, belowRow).horizontalWall);
    return block;
}

bool MapBlock::decode(std::span<const std::uint8_t> bytes, MapBlock& out) {
    if (bytes.size() < map_block::headerSize)
        return false;
    const int w = bytes[0] | bytes[1] << 8;
    const int h = bytes[2] | bytes[3] << 8;
    if (w < 1 || h < 1 || w > map_block::maxSide || h > map_block::maxSide)
        return false;
    if (bytes.size() < map_block::sizeFor(w, h))
        return false;

    MapBlock block;
    block.width_ = w;
    block.height_ = h;
    block.cells_.resize(std::size_t(w) * h);
    const std::uint8_t* p = bytes.data() + map_block::headerSize;
    for (Cell& cell : block.cells_) {
        cell = Cell{p[0], p[1], p[2], p[3]};
        p += 4;
    }
    block.rightEdge_.assign(p, p + h);
    p += h;
    block.bottomEdge_.assign(p, p + w);
    out = std::move(block);
    return true;
}

std::vector<std::uint8_t> MapBlock::encode() const {
    if (empty())
        return {};
    std::vector<std::uint8_t> bytes;
    bytes.reserve(map_block::sizeFor(width_, height_));
    bytes.push_back(static_cast<std::uint8_t>(width_));
    bytes.push_back(static_cast<std::uint8_t>(width_ >> 8));
    bytes.push_back(static_cast<std::uint8_t>(height_));
    bytes.push_back(static_cast<std::uint8_t>(height_ >> 8));
    for (const Cell& cell : cells_)
        bytes.insert(bytes.end(), {cell.horizontalWall, cell.verticalWall, cell.room, cell.background});
    bytes.insert(bytes.end(), rightEdge_.begin(), rightEdge_.end());
    bytes.insert(bytes.end(), bottomEdge_.begin(), bottomEdge_.end());
    return bytes;
}

CommentBlock CommentBlock::fromArea(const CommentArea& area) {
    return {area.copyRecord(), area.text()};
}

bool CommentBlock::decode(std::span<const std::uint8_t> bytes, CommentBlock& out) {
    CommentBlock block;
    if (!CommentRecord::decode(bytes, block.record))
        return false;
    const auto text = bytes.subspan(comment::recordSize);
    const auto end = std::find(text.begin(), text.end(), std::uint8_t{0});
    if (end == text.end())
        return false; // unterminated: whatever follows the block is not ours to read
    block.text.assign(text.begin(), end);
    out = std::move(block);
    return true;
}

std::vector<std::uint8_t> CommentBlock::encode() const {
    const auto record = this->record.encode();
    const std::size_t length = std::min(text.size(), text.find('\0'));
    std::vector<std::uint8_t> bytes(record.size() + length + 1);
    std::memcpy(bytes.data(), record.data(), record.size());
    std::memcpy(bytes.data() + record.size(), text.data(), length);
    bytes.back() = 0;
    return bytes;
}

} // namespace tav
