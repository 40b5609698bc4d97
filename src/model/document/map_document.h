#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "model/document/cell.h"
#include "model/document/ruler.h"
#include "model/document/undo_journal.h"
#include "model/marks/mark_palette.h"

namespace tav {

// View geometry shared by the map view and the document.
namespace geometry {
constexpr int normalPitch = 34;
constexpr int widePitch = 22;
constexpr int normalVisibleCells = 11;
constexpr int wideVisibleCells = 17;
constexpr int rulerMargin = 25; // the grid starts this far right of and below the view's corner
} // namespace geometry

// The one map being edited: cells, palette, ruler, view geometry and edit switches. Every change goes
// through these operations, which record undo steps and set the modified flag.
class MapDocument {
public:
    // Comment positions keep an 8-bit cell index, so no side may go beyond this.
    static constexpr int maxSide = 255;

    MapDocument();

    // Builds a W x H grid of empty cells, keeping the overlapping part unless discard is set. Empties the
    // undo journal. False (and nothing changed) when the size is out of range or memory runs out.
    bool resize(int width, int height, bool discard);
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
    // Clears every cell as one undo step.
    void clearAll();

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

    int pitch() const { return pitch_; }
    bool isWide() const { return wide_; }
    int visibleColumns() const { return visibleColumns_; }
    int visibleRows() const { return visibleRows_; }
    int visibleWidth() const { return visibleColumns_ * pitch_; }
    int visibleHeight() const { return visibleRows_ * pitch_; }
    std::uint8_t editMask() const { return editMask_; }

    bool isModified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }
    bool hasFile() const { return hasFile_; }
    void setHasFile(bool hasFile) { hasFile_ = hasFile; }
    const std::string& currentFileName() const { return currentFileName_; }
    void setCurrentFileName(const std::string& name) { currentFileName_ = name; }

    void setPalettePaths(const std::string& startPalette, const std::string& basePalette);
    const std::string& startPalettePath() const { return startPalettePath_; }
    const std::string& basePalettePath() const { return basePalettePath_; }

private:
    bool layerEnabled(int layer) const;
    void updateVisibleCounts();

    std::uint8_t editMask_ = 15;
    int pitch_ = geometry::normalPitch;
    bool wide_ = false;
    bool hasFile_ = false;
    bool modified_ = false;
    MarkPalette palette_;
    RulerSettings ruler_;
    CellGrid grid_;
    int visibleColumns_ = 0;
    int visibleRows_ = 0;
    std::string startPalettePath_;
    std::string basePalettePath_;
    std::string currentFileName_;
    UndoJournal journal_;
};

} // namespace tav
