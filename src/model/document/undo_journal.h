#pragma once
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/comments/comment_area.h"
#include "model/document/cell.h"
#include "model/document/map_damage.h"

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

namespace undoKind {
constexpr unsigned cells = 1;
constexpr unsigned comments = 2;
} // namespace undoKind

// The comment change a step takes back. changed and format both restore the whole record.
enum class CommentOperation {
    added = 0,
    deleted = 1,
    changed = 2,
    text = 3,
    moved = 4,
    format = 5,
    none = 6
};

// Undo and redo of changes to the cells and the comment areas, within a depth limit. A depth of 0 or less
// keeps nothing: recording then stores no step (and reports so), and the change itself still happens.
class UndoJournal {
public:
    static constexpr int maxLimit = 65535;

    // Sets the depth (0 or less keeps nothing, above maxLimit is maxLimit) and empties the journal.
    void setLimit(int depth);
    int limit() const { return limit_; }
    void clear();

    // Records the state before a change as one step; any redo steps are dropped, and the oldest step when
    // the depth is reached. kinds holds undoKind bits. With cells: the cells of rect (a negative right or
    // bottom means the last column or row). With comments, for the given list positions by operation:
    // added - one entry per position, at list length + k for the k-th (the positions only count);
    // deleted - the record and text of each position inside the list; changed and format - the record;
    // text - the text; moved - positions in pairs (old, new). A step holding nothing is dropped. True when
    // a step was stored.
    bool recordStep(unsigned kinds, const CellRect& rect, const CellGrid& grid, CommentOperation op,
                    const CommentList& comments, std::span<const int> positions);
    bool recordCells(const CellGrid& grid, const CellRect& rect);

    // Comment areas brought back are shown in the given view and kept inside the grid's map. A step that
    // restores nothing empties the journal and fails. What the step touched goes into damage when given.
    bool undo(CellGrid& grid, CommentList& comments, bool wide, MapDamage* damage = nullptr);
    bool redo(CellGrid& grid, CommentList& comments, bool wide, MapDamage* damage = nullptr);
    bool canUndo() const;
    bool canRedo() const;
    int stepCount() const { return static_cast<int>(steps_.size()); }

private:
    struct CommentEntry {
        int position = 0;
        int second = 0; // moved: the other position of the pair
        std::optional<CommentRecord> record;
        std::string text;
    };
    struct Step {
        CellSnapshot before;
        CellSnapshot after;
        bool hasAfter = false;
        CommentOperation op = CommentOperation::none;
        std::vector<CommentEntry> beforeEntries;
        std::vector<CommentEntry> afterEntries; // the state seen at the first undo
        bool undone = false;
    };
    bool push(Step step);
    bool undoComments(Step& step, const CellGrid& grid, CommentList& comments, bool wide, MapDamage* damage);
    bool redoComments(Step& step, const CellGrid& grid, CommentList& comments, bool wide, MapDamage* damage);

    int cursor_ = -1; // steps that can be undone; -1 right after clearing
    int limit_ = 16;
    std::vector<Step> steps_;
};

} // namespace tav
