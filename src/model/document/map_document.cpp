#include "model/document/map_document.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <span>
#include <vector>

#include "model/document/clipboard_blocks.h" // clipboard paste

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
        for (auto& area : comments_)
            area->setMapSize(width, height);
        damage_.addEverything();
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
    for (auto& area : comments_)
        area->rescale(wide);
    damage_.addEverything();
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
    damage_.addCells({column, row, column, row});
    markChanged();
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
    // The edge flag moves wall layers one row or column on, to the wrapped row or column 0 at the border.
    damage_.addCells({rect.left, rect.top, rect.right + (layer == layer::verticalWall ? e : 0),
                      rect.bottom + (layer == layer::horizontalWall ? e : 0)});
    markChanged();
    return true;
}

void MapDocument::clearRect(CellRect rect, bool record) {
    if (grid_.empty())
        return;
    if (record)
        journal_.recordCells(grid_, rect);
    const int w = grid_.width();
    const int h = grid_.height();
    rect = clampToGrid(rect, w, h);

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
    damage_.addCells({rect.left, rect.top, rect.right + 1, rect.bottom + 1});
    markChanged();
}

void MapDocument::clearAll() {
    std::vector<int> positions(comments_.size());
    for (std::size_t i = 0; i < positions.size(); ++i)
        positions[i] = static_cast<int>(i);
    journal_.recordStep(undoKind::cells | undoKind::comments, CellRect{0, 0, -1, -1}, grid_,
                        CommentOperation::deleted, comments_, positions);
    if (!grid_.empty())
        clearRect(CellRect{0, 0, -1, -1}, false);
    if (!comments_.empty()) {
        comments_.clear();
        markChanged();
    }
    damage_.addEverything();
}

bool MapDocument::undo() {
    if (!journal_.undo(grid_, comments_, wide_, &damage_))
        return false;
    markChanged(); // the map differs from what was saved
    return true;
}

bool MapDocument::redo() {
    if (!journal_.redo(grid_, comments_, wide_, &damage_))
        return false;
    markChanged();
    return true;
}

CommentArea* MapDocument::commentAt(int index) const {
    return index >= 0 && index < commentCount() ? comments_[index].get() : nullptr;
}

int MapDocument::indexOfComment(const CommentArea* area) const {
    if (!area)
        return -1;
    for (int i = commentCount() - 1; i >= 0; --i) // the areas worked on are mostly the top-most
        if (comments_[i].get() == area)
            return i;
    return -1;
}

CommentArea* MapDocument::addComment(Prompter& prompter) {
    if (commentCount() > commentLimit) {
        prompter.showMessage("30000を突破～っていうかちょっと作りすぎです。", msg::ok | msg::iconInformation);
        return nullptr;
    }
    auto area = std::make_unique<CommentArea>(CommentArea::create(newCommentRect_, width(), height(), wide_));
    area->setText("ダブルクリックでコメントを編集できます");
    return appendComment(std::move(area), prompter);
}

CommentArea* MapDocument::appendComment(std::unique_ptr<CommentArea> area, Prompter& prompter) {
    if (!area)
        return nullptr;
    if (commentCount() > commentLimit) {
        prompter.showMessage("30000を突破～っていうかちょっと作りすぎです。", msg::ok | msg::iconInformation);
        return nullptr;
    }
    area->setMapSize(width(), height());
    const int position = commentCount();
    journal_.recordStep(undoKind::comments, {}, grid_, CommentOperation::added, comments_,
                        std::span<const int>(&position, 1));
    comments_.push_back(std::move(area));
    damage_.addPixels(comments_.back()->mapBounds());
    damage_.addCommentListChange();
    markChanged();
    return comments_.back().get();
}

bool MapDocument::deleteComment(const CommentArea* area) {
    const int index = indexOfComment(area);
    if (index < 0)
        return false;
    journal_.recordStep(undoKind::comments, {}, grid_, CommentOperation::deleted, comments_,
                        std::span<const int>(&index, 1));
    damage_.addPixels(comments_[index]->mapBounds());
    damage_.addCommentListChange();
    comments_.erase(comments_.begin() + index);
    markChanged();
    return true;
}

void MapDocument::discardComments() {
    comments_.clear();
    damage_.addEverything();
}

bool MapDocument::moveCommentTo(int from, int to) {
    const int pair[] = {from, to};
    journal_.recordStep(undoKind::comments, {}, grid_, CommentOperation::moved, comments_, pair);
    // Only where the moved area lies does the order show.
    damage_.addPixels(comments_[from]->mapBounds());
    damage_.addCommentListChange();
    auto area = std::move(comments_[from]);
    comments_.erase(comments_.begin() + from);
    comments_.insert(comments_.begin() + to, std::move(area));
    markChanged();
    return true;
}

bool MapDocument::raiseToTop(const CommentArea* area) {
    const int index = indexOfComment(area);
    if (index < 0 || index == commentCount() - 1)
        return false;
    return moveCommentTo(index, commentCount() - 1);
}

bool MapDocument::lowerToBottom(const CommentArea* area) {
    const int index = indexOfComment(area);
    if (index <= 0)
        return false;
    return moveCommentTo(index, 0);
}

bool MapDocument::raiseOne(const CommentArea* area) {
    const int index = indexOfComment(area);
    if (index < 0 || index == commentCount() - 1)
        return false;
    return moveCommentTo(index, index + 1);
}

bool MapDocument::lowerOne(const CommentArea* area) {
    const int index = indexOfComment(area);
    if (index <= 0)
        return false;
    return moveCommentTo(index, index - 1);
}

namespace {

// Calls visit with the areas from the top-most down, all of them or those at the list positions among,
// until it answers true; the area it stopped at, or nullptr.
template <typename Visit>
CommentArea* topDown(const CommentList& list, const std::vector<int>* among, Visit visit) {
    const std::size_t count = among ? among->size() : list.size();
    for (std::size_t k = count; k-- > 0;) {
        const std::size_t i = among ? static_cast<std::size_t>((*among)[k]) : k;
        if (i < list.size() && visit(*list[i]))
            return list[i].get();
    }
    return nullptr;
}

} // namespace

CommentArea* MapDocument::hitTestComments(PixelPoint mapPoint, const std::vector<int>* among) {
    CommentArea* hit = nullptr;
    topDown(comments_, among, [&](CommentArea& area) {
        if (hit)
            area.clearDragPart();
        else if (area.hitTest(mapPoint))
            hit = &area;
        return false;
    });
    return hit;
}

CommentArea* MapDocument::commentCursorAt(PixelPoint mapPoint, CommentCursor& cursor,
                                          const std::vector<int>* among) const {
    cursor = CommentCursor::none;
    return topDown(comments_, among, [&](const CommentArea& area) {
        cursor = area.cursorAt(mapPoint);
        return cursor != CommentCursor::none;
    });
}

// Tries the change on a copy first, so the step is recorded from the state before it and only when the
// change really alters the area.
template <typename Change>
bool MapDocument::changeComment(CommentArea& area, bool record, CommentOperation op, Change change) {
    const int index = indexOfComment(&area);
    if (index < 0)
        return false;
    CommentArea changed = area;
    const bool differs = change(changed);
    if (differs && record)
        journal_.recordStep(undoKind::comments, {}, grid_, op, comments_, std::span<const int>(&index, 1));
    if (differs)
        damage_.addPixels(area.mapBounds());
    area = std::move(changed);
    if (differs) {
        damage_.addPixels(area.mapBounds());
        damage_.addChangedArea(&area);
        markChanged();
    }
    return differs;
}

bool MapDocument::setCommentText(CommentArea& area, std::string text, bool record) {
    return changeComment(area, record, CommentOperation::text,
                         [&](CommentArea& a) { return a.setText(std::move(text)); });
}

bool MapDocument::moveComment(CommentArea& area, int dx, int dy, bool record) {
    return changeComment(area, record, CommentOperation::changed,
                         [&](CommentArea& a) { return a.moveBy(dx, dy); });
}

bool MapDocument::setCommentAnchor(CommentArea& area, int dx, int dy, bool record) {
    return changeComment(area, record, CommentOperation::changed,
                         [&](CommentArea& a) { return a.setAnchor(dx, dy); });
}

bool MapDocument::setCommentFrame(CommentArea& area, const PixelRect& frame, bool record) {
    return changeComment(area, record, CommentOperation::changed,
                         [&](CommentArea& a) { return a.setFrame(frame); });
}

bool MapDocument::endCommentDrag(CommentArea& area, bool apply) {
    if (indexOfComment(&area) < 0) {
        area.endDrag(false);
        return false;
    }
    return changeComment(area, true, CommentOperation::changed,
                         [&](CommentArea& a) { return a.endDrag(apply); });
}

bool MapDocument::setCommentFormat(CommentArea& area, const CommentFormat& format, const PixelRect& frame,
                                   PixelPoint anchorOffset) {
    return changeComment(area, true, CommentOperation::format, [&](CommentArea& a) {
        bool changed = a.setFormat(format);
        changed = a.setFrame(frame) || changed;
        changed = a.setAnchor(anchorOffset.x, anchorOffset.y) || changed;
        return changed;
    });
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

void MapDocument::setPalettePaths(const FilePath& startPalette, const FilePath& basePalette) {
    startPalettePath_ = startPalette;
    basePalettePath_ = basePalette;
}

// ---- Map file loading ----
void MapDocument::takeOverMap(CellGrid grid, CommentList comments) {
    if (!grid.empty())
        grid_ = std::move(grid);
    comments_ = std::move(comments);
    for (auto& area : comments_)
        area->setMapSize(grid_.width(), grid_.height());
    journal_.clear();
    updateVisibleCounts();
    damage_.addEverything();
}
// ---- end of map file loading ----

// ---- Clipboard paste ----
bool MapDocument::pasteCells(const MapBlock& block, int column, int row, int& pastedWidth,
                             int& pastedHeight) {
    pastedWidth = 0;
    pastedHeight = 0;
    const int mapWidth = width();
    const int mapHeight = height();
    if (block.empty() || column < 0 || row < 0 || column >= mapWidth || row >= mapHeight)
        return false;
    const int a = column;
    const int b = row;
    const int w = block.width();
    const int h = block.height();
    const int d = std::min(mapWidth - a, w);
    const int f = std::min(mapHeight - b, h);
    pastedWidth = d;
    pastedHeight = f;
    // One column and row more than pasted: the walls on the right and bottom edges change too.
    journal_.recordCells(grid_, CellRect{a, b, a + d, b + f});

    for (int i = 0; i < f; ++i) {
        std::copy_n(&block.cell(0, i), d, &grid_.at(a, b + i));
        // Cut off at the right border: the border's wall is the left wall of the first block column left
        // out. With a = 0 the whole row was pasted and column 0 keeps its own.
        if (d < w && a > 0)
            grid_.at(0, b + i).verticalWall = block.cell(d, i).verticalWall;
    }
    if (f < h && b > 0)
        for (int j = 0; j < d; ++j)
            grid_.at(a + j, 0).horizontalWall = block.cell(j, f).horizontalWall;

    // The block's own edge walls, when its whole width or height was pasted.
    if (d == w) {
        const int rightColumn = a + w < mapWidth ? a + w : 0;
        if (rightColumn != 0 || a > 0)
            for (int i = 0; i < f; ++i)
                grid_.at(rightColumn, b + i).verticalWall = block.rightEdge(i);
    }
    if (f == h) {
        const int belowRow = b + h < mapHeight ? b + h : 0;
        if (belowRow != 0 || b > 0)
            for (int j = 0; j < d; ++j)
                grid_.at(a + j, belowRow).horizontalWall = block.bottomEdge(j);
    }
    damage_.addCells({a, b, a + d, b + f});
    markChanged();
    return true;
}

CommentArea* MapDocument::pasteComment(const CommentBlock& block, int column, int row, Prompter& prompter) {
    // Pasted frames have always landed 35 pixels a cell from the origin plus 17, not at the pitch of 34;
    // kept so that every copy of the program places them alike.
    constexpr long long step = 35;
    constexpr long long inset = 17;
    auto toInt = [](long long v) {
        return static_cast<std::int32_t>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
    };
    CommentRecord record = block.record;
    const long long left = column * step + inset;
    const long long top = row * step + inset;
    const long long frameWidth = std::llabs(static_cast<long long>(record.right) - record.left);
    const long long frameHeight = std::llabs(static_cast<long long>(record.bottom) - record.top);
    record.left = toInt(left);
    record.top = toInt(top);
    record.right = toInt(left + frameWidth);
    record.bottom = toInt(top + frameHeight);

    auto area = std::make_unique<CommentArea>();
    area->setMapSize(width(), height());
    area->setFromRecord(record, wide_);
    area->setText(block.text);
    return appendComment(std::move(area), prompter);
}
// ---- end of clipboard paste ----

} // namespace tav
