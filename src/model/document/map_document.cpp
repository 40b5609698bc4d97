#include "model/document/map_document.h"

#include <algorithm>
#include <new>

namespace tav {

MapDocument::MapDocument() = default;

bool MapDocument::resize(int width, int height, bool discard) {
    if (width < 1 || height < 1 || width > maxSide || height > maxSide)
        return false;
    try {
        CellGrid next(width, height);
        if (!discard) {
            int columns = std::min(width, grid_.width());
            int rows = std::min(height, grid_.height());
            for (int r = 0; r < rows; ++r)
                std::copy_n(&grid_.at(0, r), columns, &next.at(0, r));
        }
        grid_ = std::move(next);
        journal_.clear(); // steps of the old grid cannot be restored onto the new one
    } catch (const std::bad_alloc&) {
        return false; // the old grid stays, and so does the view geometry that fits it
    }
    updateVisibleCounts();
    return true;
}

void MapDocument::updateVisibleCounts() {
    int count = wide_ ? geometry::wideVisibleCells : geometry::normalVisibleCells;
    visibleColumns_ = std::min(count, grid_.width());
    visibleRows_ = std::min(count, grid_.height());
}

void MapDocument::setViewMode(bool wide) {
    wide_ = wide;
    pitch_ = wide ? geometry::widePitch : geometry::normalPitch;
    updateVisibleCounts();
}

void MapDocument::setEditMask(std::uint8_t mask, std::uint8_t bits) {
    editMask_ = static_cast<std::uint8_t>(bits | (editMask_ & ~mask));
}

bool MapDocument::layerEnabled(int layer) const {
    return layer >= 1 && layer <= 4 && (editMask_ & layer::bit(layer)) != 0;
}

bool MapDocument::setCell(int column, int row, int layer, std::uint8_t value, bool& first) {
    if (grid_.empty())
        return false;
    if (column < 0 || column >= grid_.width())
        column = 0;
    if (row < 0 || row >= grid_.height())
        row = 0;
    if (!layerEnabled(layer))
        return false;
    if (first) {
        journal_.recordCells(grid_, CellRect{column, row, column, row});
        first = false;
    }
    grid_.at(column, row).layer(layer) = value;
    modified_ = true;
    return true;
}

bool MapDocument::fillRect(CellRect rect, int layer, std::uint8_t value, bool& first, bool edge) {
    if (grid_.empty())
        return false;
    const int w = grid_.width();
    const int h = grid_.height();
    if (rect.left > rect.right)
        std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom)
        std::swap(rect.top, rect.bottom);
    rect.left = std::max(rect.left, 0);
    rect.top = std::max(rect.top, 0);
    rect.right = std::min(rect.right, w);
    rect.bottom = std::min(rect.bottom, h);
    if (!layerEnabled(layer))
        return false;
    if (first) {
        journal_.recordCells(grid_, rect);
        first = false;
    }
    const int e = edge ? 1 : 0;
    switch (layer) {
    case layer::horizontalWall:
        // Walls on horizontal edges: with the edge flag the rectangle's bottom edge (row H wraps to row 0).
        for (int r = rect.top + e; r <= rect.bottom - 1 + e; ++r)
            for (int c = rect.left; c <= std::min(rect.right, w - 1); ++c)
                grid_.wrapped(c, r).horizontalWall = value;
        break;
    case layer::verticalWall:
        for (int r = rect.top; r <= std::min(rect.bottom, h - 1); ++r)
            for (int c = rect.left + e; c <= rect.right - 1 + e; ++c)
                grid_.wrapped(c, r).verticalWall = value;
        break;
    default:
        for (int r = rect.top; r <= std::min(rect.bottom, h - 1); ++r)
            for (int c = rect.left; c <= std::min(rect.right, w - 1); ++c)
                grid_.at(c, r).layer(layer) = value;
        break;
    }
    modified_ = true;
    return true;
}

void MapDocument::clearRect(CellRect rect, bool record) {
    if (grid_.empty())
        return;
    if (record)
        journal_.recordCells(grid_, rect);
    const int w = grid_.width();
    const int h = grid_.height();
    if (rect.right < 0)
        rect.right = w - 1;
    if (rect.bottom < 0)
        rect.bottom = h - 1;
    if (rect.left > rect.right)
        std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom)
        std::swap(rect.top, rect.bottom);
    rect.left = std::clamp(rect.left, 0, w - 1);
    rect.top = std::clamp(rect.top, 0, h - 1);
    rect.right = std::clamp(rect.right, rect.left, w - 1);
    rect.bottom = std::clamp(rect.bottom, rect.top, h - 1);

    if (rect == CellRect{0, 0, w - 1, h - 1}) {
        std::fill(grid_.cells().begin(), grid_.cells().end(), Cell{});
    } else {
        for (int r = rect.top; r <= rect.bottom; ++r)
            for (int c = rect.left; c <= rect.right; ++c)
                grid_.at(c, r) = Cell{};
        for (int r = rect.top; r <= rect.bottom; ++r)
            grid_.wrapped(rect.right + 1, r).verticalWall = 0;
        for (int c = rect.left; c <= rect.right; ++c)
            grid_.wrapped(c, rect.bottom + 1).horizontalWall = 0;
    }
    modified_ = true;
}

void MapDocument::clearAll() {
    if (grid_.empty())
        return;
    clearRect(CellRect{0, 0, -1, -1}, true);
}

bool MapDocument::undo() {
    return journal_.undo(grid_);
}

bool MapDocument::redo() {
    return journal_.redo(grid_);
}

bool MapDocument::getWallMark(int slot, WallMarkRecord& record, bool& registered) const {
    if (slot < 1 || slot > wallSlotCount)
        return false;
    record = palette_.walls[slot - 1];
    registered = record.registered != 0;
    return true;
}

bool MapDocument::getRoomMark(int slot, RoomMarkSlot& mark, bool& registered) const {
    if (slot < 1 || slot > roomSlotCount)
        return false;
    mark = palette_.rooms[slot - 1];
    registered = mark.registered;
    return true;
}

void MapDocument::setPalettePaths(const std::string& startPalette, const std::string& basePalette) {
    startPalettePath_ = startPalette;
    basePalettePath_ = basePalette;
}

} // namespace tav
