#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "model/comments/comment_area.h"
#include "model/document/cell.h"
#include "model/document/map_damage.h"
#include "model/document/ruler.h"
#include "model/document/undo_journal.h"
#include "model/marks/mark_palette.h"
#include "model/platform/file_path.h"
#include "model/platform/prompter.h"

namespace tav {

class MapBlock;      // clipboard paste
struct CommentBlock; // clipboard paste

// View geometry shared by the map view and the document.
namespace geometry {
constexpr int normalPitch = 34;
constexpr int widePitch = 22;
constexpr int normalVisibleCells = 11;
constexpr int wideVisibleCells = 17;
constexpr int rulerMargin = 25; // the grid starts this far right of and below the view's corner
} // namespace geometry

// The one map being edited: cells, comment areas, palette, ruler, view geometry and edit switches. Every
// change goes through these operations, which record undo steps and set the modified flag.
class MapDocument {
public:
    // Comment positions keep an 8-bit cell index, so no side may go beyond this.
    static constexpr int maxSide = comment::maxCells;
    // Beyond this many comment areas no more are made.
    static constexpr int commentLimit = 30000;

    MapDocument();

    // Builds a W x H grid of empty cells, keeping the overlapping part unless discard is set. Empties the
    // undo journal. False (and nothing changed) when the size is out of range or memory runs out.
    bool resize(int width, int height, bool discard);
    // Also shows every comment area at the new scale.
    void setViewMode(bool wide);
    // edit mask = bits OR (edit mask AND NOT mask)
    void setEditMask(std::uint8_t mask, std::uint8_t bits);

    // Sets one layer of one cell; column W and row H address column 0 and row 0. When first is set, the
    // cell is recorded for undo and first is cleared. False when the layer is disabled or not 1..4.
    bool setCell(int column, int row, int layer, std::uint8_t value, bool& first);
    // Sets a layer over a rectangle (edges included). With edge set, wall layers go one row or column
    // further, wrapping to row 0 or column 0 at the border.
    bool fillRect(CellRect rect, int layer, std::uint8_t value, bool& first, bool edge);
    // Zeroes every layer in the rectangle and the walls on its right and bottom edges. A negative right or
    // bottom edge means the last column or row.
    void clearRect(CellRect rect, bool record);
    // Clears every cell and deletes every comment area, as one undo step.
    void clearAll();

    // Undo and redo may delete and re-create comment areas: pointers to areas do not survive them.
    bool undo();
    bool redo();
    bool canUndo() const { return journal_.canUndo(); }
    bool canRedo() const { return journal_.canRedo(); }
    void setUndoDepth(int depth) { journal_.setLimit(depth); }
    int undoDepth() const { return journal_.limit(); }

    // Palette slots are numbered 1..20; false outside that range.
    bool getWallMark(int slot, WallMarkRecord& record, bool& registered) const;
    bool getRoomMark(int slot, RoomMarkSlot& mark, bool& registered) const;
    const BackgroundCandidates& getBackgroundCandidates() const { return palette_.backgrounds; }
    void setBackgroundCandidates(const BackgroundCandidates& candidates) {
        palette_.backgrounds = candidates;
    }
    // The whole palette, for the palette loaders and savers and the mark drawing.
    const MarkPalette& palette() const { return palette_; }
    MarkPalette& palette() { return palette_; }
    const RulerSettings& getRuler() const { return ruler_; }
    void setRuler(const RulerSettings& ruler) { ruler_ = ruler; }

    const CellGrid& grid() const { return grid_; }
    int width() const { return grid_.width(); }
    int height() const { return grid_.height(); }
    int lastColumn() const { return grid_.width() - 1; }
    int lastRow() const { return grid_.height() - 1; }
    const Cell& cell(int column, int row) const { return grid_.at(column, row); }

    // Comment areas, bottom-most first.
    const CommentList& comments() const { return comments_; }
    int commentCount() const { return static_cast<int>(comments_.size()); }
    // nullptr outside the list.
    CommentArea* commentAt(int index) const;
    // The list position, or -1 when the area is not in the list.
    int indexOfComment(const CommentArea* area) const;

    // Where a new comment area is centred: the visible map rectangle in map pixels, set by the map view.
    const PixelRect& newCommentRect() const { return newCommentRect_; }
    void setNewCommentRect(const PixelRect& rect) { newCommentRect_ = rect; }

    // A new comment area with the default look and text, on top of the others. With more than
    // commentLimit areas already, says so and makes none (nullptr).
    CommentArea* addComment(Prompter& prompter);
    // Puts an area made elsewhere (paste) on top, with the same limit, as one undo step.
    CommentArea* appendComment(std::unique_ptr<CommentArea> area, Prompter& prompter);
    // False when the area is not in the list.
    bool deleteComment(const CommentArea* area);
    // Removes every comment area without an undo step (new map, loading a map).
    void discardComments();

    // Z-order; each answers whether the order changed and then records one undo step.
    bool raiseToTop(const CommentArea* area);
    bool lowerToBottom(const CommentArea* area);
    bool raiseOne(const CommentArea* area);
    bool lowerOne(const CommentArea* area);

    // Hit-tests from the top-most area down: the first hit wins and starts its drag; every other area
    // loses its drag part. nullptr when none is hit. With among, only the areas at those list positions
    // (ascending) are looked at.
    CommentArea* hitTestComments(PixelPoint mapPoint, const std::vector<int>* among = nullptr);
    // The top-most area that asks for a cursor at this point (nullptr and none when no area does), of
    // those at the list positions among when given.
    CommentArea* commentCursorAt(PixelPoint mapPoint, CommentCursor& cursor,
                                 const std::vector<int>* among = nullptr) const;

    // Changes of one area in the list. Each answers whether the area changed, and then sets modified;
    // with record set, a change is recorded as one undo step first.
    bool setCommentText(CommentArea& area, std::string text, bool record);
    // Moves the frame; the anchor stays on the map. The view records the first key press of a move only.
    bool moveComment(CommentArea& area, int dx, int dy, bool record);
    bool setCommentAnchor(CommentArea& area, int dx, int dy, bool record);
    bool setCommentFrame(CommentArea& area, const PixelRect& frame, bool record);
    // Ends the area's drag; an applied change is recorded.
    bool endCommentDrag(CommentArea& area, bool apply);
    // Look, frame and anchor offset of the format dialog, recorded as one step.
    bool setCommentFormat(CommentArea& area, const CommentFormat& format, const PixelRect& frame,
                          PixelPoint anchorOffset);

    // What changed since the view last drew the map; the view empties it when it draws.
    MapDamage& damage() { return damage_; }

    int pitch() const { return pitch_; }
    bool isWide() const { return wide_; }
    int visibleColumns() const { return visibleColumns_; }
    int visibleRows() const { return visibleRows_; }
    int visibleWidth() const { return visibleColumns_ * pitch_; }
    int visibleHeight() const { return visibleRows_ * pitch_; }
    std::uint8_t editMask() const { return editMask_; }

    bool isModified() const { return modified_; }
    // Setting the flag counts as a change.
    void setModified(bool modified) {
        if (modified)
            markChanged();
        else
            modified_ = false;
    }
    // Grows with every change, so a copy of the map can tell whether it is still current.
    std::uint64_t revision() const { return revision_; }
    bool hasFile() const { return hasFile_; }
    void setHasFile(bool hasFile) { hasFile_ = hasFile; }
    const FilePath& currentFileName() const { return currentFileName_; }
    void setCurrentFileName(const FilePath& name) { currentFileName_ = name; }

    void setPalettePaths(const FilePath& startPalette, const FilePath& basePalette);
    const FilePath& startPalettePath() const { return startPalettePath_; }
    const FilePath& basePalettePath() const { return basePalettePath_; }

    // ---- Map file loading ----
    // Takes over a map read from a file in one step, so a failed load never leaves half a map: the grid
    // (an empty one keeps the current cells) and the comment areas, built for the current view mode.
    // Empties the undo journal, whose steps belong to the map that was there before.
    void takeOverMap(CellGrid grid, CommentList comments);
    // ---- end of map file loading ----

    // ---- Clipboard paste ----
    // Pastes a cell block with its top-left at (column, row) as one undo step, writing every layer whatever
    // the edit mask says. The part beyond the map's right and bottom borders is cut off; the walls on the
    // borders wrap to column 0 and row 0. Gives the pasted width and height; false (and nothing changed)
    // when (column, row) is outside the map.
    bool pasteCells(const MapBlock& block, int column, int row, int& pastedWidth, int& pastedHeight);
    // A new comment area on top from the block, its frame moved to (column, row) in the current view, as
    // one undo step. nullptr when the comment limit is reached (after saying so).
    CommentArea* pasteComment(const CommentBlock& block, int column, int row, Prompter& prompter);
    // ---- end of clipboard paste ----

private:
    bool layerEnabled(int layer) const;
    template <typename Change>
    bool changeComment(CommentArea& area, bool record, CommentOperation op, Change change);
    bool moveCommentTo(int from, int to);
    void updateVisibleCounts();
    void markChanged() {
        modified_ = true;
        ++revision_;
    }

    std::uint8_t editMask_ = 15;
    int pitch_ = geometry::normalPitch;
    bool wide_ = false;
    bool hasFile_ = false;
    bool modified_ = false;
    std::uint64_t revision_ = 0;
    MarkPalette palette_;
    RulerSettings ruler_;
    CellGrid grid_;
    int visibleColumns_ = 0;
    int visibleRows_ = 0;
    FilePath startPalettePath_;
    FilePath basePalettePath_;
    FilePath currentFileName_;
    PixelRect newCommentRect_;
    UndoJournal journal_;
    CommentList comments_;
    MapDamage damage_;
};

} // namespace tav
