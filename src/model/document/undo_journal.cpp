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
    CellRect& a = snapshot.area_;
    a = clampToGrid(rect, w, h);
    ++a.right; // right and bottom exclusive from here on
    ++a.bottom;
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

namespace {

bool inside(const CommentList& comments, int position) {
    return position >= 0 && position < static_cast<int>(comments.size());
}

std::unique_ptr<CommentArea> areaFrom(const CommentRecord& record, const std::string& text,
                                      const CellGrid& grid, bool wide) {
    auto area = std::make_unique<CommentArea>();
    area->setMapSize(grid.width(), grid.height());
    area->setFromRecord(record, wide);
    area->setText(text);
    return area;
}

void insertAt(CommentList& comments, int position, std::unique_ptr<CommentArea> area) {
    auto where = inside(comments, position) ? comments.begin() + position : comments.end();
    comments.insert(where, std::move(area));
}

// The pixels an area painted or paints, for the view to draw again.
void noteArea(MapDamage* damage, const CommentArea& area) {
    if (damage) {
        damage->addPixels(area.mapBounds());
        damage->addCommentListChange(); // areas may have been re-created
    }
}

void noteCells(MapDamage* damage, const CellSnapshot& snapshot) {
    if (damage && !snapshot.empty()) {
        // The area's right and bottom exclusive edges carry the walls of the cells beside it.
        const CellRect& a = snapshot.area();
        damage->addCells({a.left, a.top, a.right, a.bottom});
    }
}

void moveArea(CommentList& comments, int from, int to) {
    auto area = std::move(comments[from]);
    comments.erase(comments.begin() + from);
    insertAt(comments, to, std::move(area));
}

} // namespace

bool UndoJournal::recordCells(const CellGrid& grid, const CellRect& rect) {
    const CommentList none;
    return recordStep(undoKind::cells, rect, grid, CommentOperation::none, none, {});
}

bool UndoJournal::recordStep(unsigned kinds, const CellRect& rect, const CellGrid& grid, CommentOperation op,
                             const CommentList& comments, std::span<const int> positions) {
    if (limit_ <= 0)
        return false;
    try {
        Step step;
        if ((kinds & undoKind::cells) && !grid.empty())
            step.before = CellSnapshot::take(grid, rect);
        if (kinds & undoKind::comments) {
            step.op = op;
            auto& entries = step.beforeEntries;
            switch (op) {
            case CommentOperation::added:
                for (std::size_t k = 0; k < positions.size(); ++k)
                    entries.push_back({static_cast<int>(comments.size() + k), 0, {}, {}});
                break;
            case CommentOperation::deleted: {
                // Ascending, so that undo can put them back one by one at their old places.
                std::vector<int> sorted(positions.begin(), positions.end());
                std::sort(sorted.begin(), sorted.end());
                sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
                for (int position : sorted)
                    if (inside(comments, position))
                        entries.push_back(
                            {position, 0, comments[position]->copyRecord(), comments[position]->text()});
                break;
            }
            case CommentOperation::text:
                for (int position : positions)
                    if (inside(comments, position))
                        entries.push_back({position, 0, {}, comments[position]->text()});
                break;
            case CommentOperation::moved:
                for (std::size_t k = 0; k + 1 < positions.size(); k += 2)
                    entries.push_back({positions[k + 1], positions[k], {}, {}});
                break;
            case CommentOperation::changed:
            case CommentOperation::format:
                for (int position : positions)
                    if (inside(comments, position))
                        entries.push_back({position, 0, comments[position]->copyRecord(), {}});
                break;
            case CommentOperation::none:
                break;
            }
            if (entries.empty())
                step.op = CommentOperation::none;
        }
        // A clearAll of a map without comment areas still records its cells.
        if (step.before.empty() && step.beforeEntries.empty())
            return false;
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

bool UndoJournal::undoComments(Step& step, const CellGrid& grid, CommentList& comments, bool wide,
                               MapDamage* damage) {
    const bool first = !step.undone;
    auto& before = step.beforeEntries;
    auto& after = step.afterEntries;
    bool restored = false;
    switch (step.op) {
    case CommentOperation::added:
        for (auto it = before.rbegin(); it != before.rend(); ++it) {
            if (!inside(comments, it->position))
                continue;
            CommentArea& area = *comments[it->position];
            if (first)
                after.push_back({it->position, 0, area.copyRecord(), area.text()});
            noteArea(damage, area);
            comments.erase(comments.begin() + it->position);
            restored = true;
        }
        break;
    case CommentOperation::deleted:
        for (const CommentEntry& entry : before) {
            if (!entry.record)
                continue;
            if (first)
                after.push_back({entry.position, 0, {}, {}});
            insertAt(comments, entry.position, areaFrom(*entry.record, entry.text, grid, wide));
            noteArea(damage, *comments[std::min<std::size_t>(entry.position, comments.size() - 1)]);
            restored = true;
        }
        break;
    case CommentOperation::text:
        for (const CommentEntry& entry : before) {
            if (!inside(comments, entry.position))
                continue;
            CommentArea& area = *comments[entry.position];
            if (first)
                after.push_back({entry.position, 0, {}, area.text()});
            area.setText(entry.text);
            noteArea(damage, area);
            restored = true;
        }
        break;
    case CommentOperation::moved:
        // Last pair first, so that several moves unwind in reverse.
        for (auto it = before.rbegin(); it != before.rend(); ++it) {
            if (!inside(comments, it->position) || !inside(comments, it->second))
                continue;
            if (first)
                after.push_back({it->second, it->position, {}, {}});
            noteArea(damage, *comments[it->position]);
            moveArea(comments, it->position, it->second);
            restored = true;
        }
        break;
    case CommentOperation::changed:
    case CommentOperation::format:
        for (const CommentEntry& entry : before) {
            if (!entry.record || !inside(comments, entry.position))
                continue;
            CommentArea& area = *comments[entry.position];
            if (first)
                after.push_back({entry.position, 0, area.copyRecord(), {}});
            noteArea(damage, area);
            area.setFromRecord(*entry.record, wide);
            noteArea(damage, area);
            restored = true;
        }
        break;
    case CommentOperation::none:
        break;
    }
    step.undone = true;
    return restored;
}

// The after entries were saved in the order undo met them, so they are replayed last first.
bool UndoJournal::redoComments(Step& step, const CellGrid& grid, CommentList& comments, bool wide,
                               MapDamage* damage) {
    bool restored = false;
    for (auto it = step.afterEntries.rbegin(); it != step.afterEntries.rend(); ++it) {
        switch (step.op) {
        case CommentOperation::added:
            if (!it->record)
                continue;
            insertAt(comments, it->position, areaFrom(*it->record, it->text, grid, wide));
            noteArea(damage, *comments[std::min<std::size_t>(it->position, comments.size() - 1)]);
            break;
        case CommentOperation::deleted:
            if (!inside(comments, it->position))
                continue;
            noteArea(damage, *comments[it->position]);
            comments.erase(comments.begin() + it->position);
            break;
        case CommentOperation::text:
            if (!inside(comments, it->position))
                continue;
            comments[it->position]->setText(it->text);
            noteArea(damage, *comments[it->position]);
            break;
        case CommentOperation::moved:
            if (!inside(comments, it->position) || !inside(comments, it->second))
                continue;
            noteArea(damage, *comments[it->position]);
            moveArea(comments, it->position, it->second);
            break;
        case CommentOperation::changed:
        case CommentOperation::format:
            if (!it->record || !inside(comments, it->position))
                continue;
            noteArea(damage, *comments[it->position]);
            comments[it->position]->setFromRecord(*it->record, wide);
            noteArea(damage, *comments[it->position]);
            break;
        case CommentOperation::none:
            continue;
        }
        restored = true;
    }
    return restored;
}

bool UndoJournal::undo(CellGrid& grid, CommentList& comments, bool wide, MapDamage* damage) {
    if (cursor_ <= 0 || cursor_ > static_cast<int>(steps_.size()))
        return false;
    Step& step = steps_[--cursor_];
    bool restored = false;
    try {
        if (!step.before.empty()) {
            if (!step.hasAfter) {
                step.after = CellSnapshot::takeSame(grid, step.before);
                step.hasAfter = true;
            }
            step.before.restore(grid);
            noteCells(damage, step.before);
            restored = true;
        }
        restored = undoComments(step, grid, comments, wide, damage) || restored;
    } catch (const std::bad_alloc&) {
        restored = false; // what was restored stays; the journal no longer matches the map
    }
    if (!restored)
        clear();
    return restored;
}

bool UndoJournal::redo(CellGrid& grid, CommentList& comments, bool wide, MapDamage* damage) {
    if (cursor_ < 0 || cursor_ >= static_cast<int>(steps_.size()))
        return false;
    Step& step = steps_[cursor_];
    bool restored = false;
    try {
        if (step.hasAfter && !step.after.empty()) {
            step.after.restore(grid);
            noteCells(damage, step.after);
            restored = true;
        }
        restored = redoComments(step, grid, comments, wide, damage) || restored;
    } catch (const std::bad_alloc&) {
        restored = false;
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
    const Step& step = steps_[cursor_ - 1];
    return !step.before.empty() || !step.beforeEntries.empty();
}

bool UndoJournal::canRedo() const {
    if (cursor_ < 0 || cursor_ >= static_cast<int>(steps_.size()))
        return false;
    const Step& step = steps_[cursor_];
    return (step.hasAfter && !step.after.empty()) || !step.afterEntries.empty();
}

} // namespace tav
