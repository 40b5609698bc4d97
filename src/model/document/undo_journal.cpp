#include "model/document/undo_journal.h"

#include <algorithm>
#include <new>

namespace tav {

template <typename Visit>
void CellSnapshot::forEachCell(const CellRect& a, int width, int height, Visit visit) {
    for (int row = a.top; row < a.bottom; ++row)
        for (int column = a.left; column < a.right; ++column)
            visit(column, row);
    int rightColumn = a.right == width ? 0 : a.right;
    for (int row = a.top; row < a.bottom; ++row)
        visit(rightColumn, row);
    int belowRow = a.bottom == height ? 0 : a.bottom;
    for (int column = a.left; column < a.right; ++column)
        visit(column, belowRow);
}

CellSnapshot CellSnapshot::take(const CellGrid& grid, CellRect rect) {
    CellSnapshot snapshot;
    const int w = grid.width();
    const int h = grid.height();
    if (w <= 0 || h <= 0)
        return snapshot;
    if (rect.right < 0)
        rect.right = w - 1;
    if (rect.bottom < 0)
        rect.bottom = h - 1;
    if (rect.left > rect.right)
        std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom)
        std::swap(rect.top, rect.bottom);
    CellRect& a = snapshot.area_;
    a.left = std::clamp(rect.left, 0, w - 1);
    a.top = std::clamp(rect.top, 0, h - 1);
    a.right = std::clamp(rect.right, a.left, w - 1) + 1;
    a.bottom = std::clamp(rect.bottom, a.top, h - 1) + 1;
    std::size_t count = std::size_t(a.right - a.left + 1) * (a.bottom - a.top + 1) - 1;
    snapshot.cells_.reserve(count);
    forEachCell(a, w, h, [&](int c, int r) { snapshot.cells_.push_back(grid.at(c, r)); });
    return snapshot;
}

CellSnapshot CellSnapshot::takeSame(const CellGrid& grid, const CellSnapshot& like) {
    CellRect last{like.area_.left, like.area_.top, like.area_.right - 1, like.area_.bottom - 1};
    return take(grid, last);
}

void CellSnapshot::restore(CellGrid& grid) const {
    // A snapshot from a grid of another size cannot be put back safely.
    if (cells_.empty() || area_.right > grid.width() || area_.bottom > grid.height())
        return;
    std::size_t i = 0;
    forEachCell(area_, grid.width(), grid.height(), [&](int c, int r) { grid.at(c, r) = cells_[i++]; });
}

void UndoJournal::setLimit(int depth) {
    limit_ = std::clamp(depth, 0, maxLimit);
    clear();
}

void UndoJournal::clear() {
    steps_.clear();
    cursor_ = -1;
}

bool UndoJournal::recordCells(const CellGrid& grid, const CellRect& rect) {
    if (limit_ <= 0 || grid.empty())
        return false;
    try {
        Step step;
        step.before = CellSnapshot::take(grid, rect);
        return push(std::move(step));
    } catch (const std::bad_alloc&) {
        return false; // the change goes ahead without its undo step
    }
}

bool UndoJournal::push(Step step) {
    int cursor = std::max(cursor_, 0);
    steps_.erase(steps_.begin() + std::min<std::size_t>(cursor, steps_.size()), steps_.end());
    if (static_cast<int>(steps_.size()) >= limit_)
        steps_.erase(steps_.begin());
    steps_.push_back(std::move(step));
    cursor_ = static_cast<int>(steps_.size());
    return true;
}

bool UndoJournal::undo(CellGrid& grid) {
    if (cursor_ <= 0 || cursor_ > static_cast<int>(steps_.size()))
        return false;
    Step& step = steps_[--cursor_];
    bool restored = false;
    if (!step.before.empty()) {
        if (!step.hasAfter) {
            step.after = CellSnapshot::takeSame(grid, step.before);
            step.hasAfter = true;
        }
        step.before.restore(grid);
        restored = true;
    }
    if (!restored)
        clear();
    return restored;
}

bool UndoJournal::redo(CellGrid& grid) {
    if (cursor_ < 0 || cursor_ >= static_cast<int>(steps_.size()))
        return false;
    Step& step = steps_[cursor_];
    bool restored = false;
    if (step.hasAfter && !step.after.empty()) {
        step.after.restore(grid);
        restored = true;
    }
    if (!restored) {
        clear();
        return false;
    }
    ++cursor_;
    return true;
}

bool UndoJournal::canUndo() const {
    if (cursor_ <= 0 || cursor_ > static_cast<int>(steps_.size()))
        return false;
    return !steps_[cursor_ - 1].before.empty();
}

bool UndoJournal::canRedo() const {
    if (cursor_ < 0 || cursor_ >= static_cast<int>(steps_.size()))
        return false;
    const Step& step = steps_[cursor_];
    return step.hasAfter && !step.after.empty();
}

} // namespace tav
