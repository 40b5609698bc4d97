#pragma once
// Cut, copy, paste and delete of cells and comment areas through the system clipboard, in the two private
// formats, so that another running copy of the program can paste them.
#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "model/document/map_document.h"
#include "model/platform/prompter.h"

namespace tav::win {

class MapClipboard {
public:
    // Indexes of isFormatAvailable.
    static constexpr int mapFormatIndex = 0;
    static constexpr int commentFormatIndex = 1;

    MapClipboard(MapDocument& document, Prompter& prompter) : document_(document), prompter_(prompter) {}

    // Registers both formats; until that has succeeded every operation fails.
    bool registerFormats();
    UINT mapFormat() const { return mapFormat_; }
    UINT commentFormat() const { return commentFormat_; }

    // True when the block is on the clipboard; with cut the rectangle is then cleared as an undo step.
    bool copyCells(CellRect rect, bool cut);
    // Pastes the map block with its top-left at (column, row); gives the pasted width and height.
    bool pasteCells(int column, int row, int& pastedWidth, int& pastedHeight);
    // True when the block is on the clipboard; with cut the area is then deleted as an undo step.
    bool copyComment(const CommentArea& area, bool cut);
    // The new comment area on top, or nullptr.
    CommentArea* pasteComment(int column, int row);
    // 0 map block, 1 comment block; false for any other index.
    bool isFormatAvailable(int index) const;

    // Delete of the map view, each one undo step.
    void deleteCells(CellRect rect) { document_.clearRect(rect, true); }
    bool deleteComment(const CommentArea& area) { return document_.deleteComment(&area); }

private:
    bool put(UINT format, const std::vector<std::uint8_t>& bytes) const;
    // Hands the block of this format to decode while the clipboard is open; false when there is none.
    template <typename Decode> bool read(UINT format, Decode decode) const;

    MapDocument& document_;
    Prompter& prompter_;
    UINT mapFormat_ = 0;
    UINT commentFormat_ = 0;
};

} // namespace tav::win
