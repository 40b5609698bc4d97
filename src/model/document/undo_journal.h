#pragma once
#include <vector>

#include "model/document/cell.h"

namespace tav {

// The cells of a rectangle plus the cells right of and below it, which carry the walls on its right and
// bottom edges (wrapping to column 0 and row 0 at the map's borders).
class CellSnapshot {
public:
    // Clamps the rectangle to the grid; a negative right or bottom means the last column or row.
    static CellSnapshot take(const CellGrid& grid, CellRect rect);
    static CellSnapshot takeSame(const CellGrid& grid, const CellSnapshot& like);
    void restore(CellGrid& grid) const;

    // Left and top inclusive, right and bottom exclusive.
    const CellRect& area() const { return area_; }
    bool empty() const { return cells_.empty(); }
    std::size_t cellCount() const { return cells_.size(); }

private:
    template <typename Visit>
    static void forEachCell(const CellRect& area, int width, int height, Visit visit);

    CellRect area_;
    std::vector<Cell> cells_;
};

// Undo and redo of document changes within a depth limit. A limit of 0 or less keeps nothing: recording
// then stores no step, and the change itself still happens.
class UndoJournal {
public:
    static constexpr int maxLimit = 65535;

    void setLimit(int depth);
    int limit() const { return limit_; }
    void clear();

    // Records the cells of rect before a change. True when a step was stored.
    bool recordCells(const CellGrid& grid, const CellRect& rect);

    bool undo(CellGrid& grid);
    bool redo(CellGrid& grid);
    bool canUndo() const;
    bool canRedo() const;
    int stepCount() const { return static_cast<int>(steps_.size()); }

private:
    struct Step {
        CellSnapshot before;
        CellSnapshot after;
        bool hasAfter = false;
    };
    bool push(Step step);

    int cursor_ = -1; // steps that can be undone; -1 right after clearing
    int limit_ = 16;
    std::vector<Step> steps_;
};

} // namespace tav
