#pragma once
// The decisions of the map editing view without any window: scroll origin, selection, hover
// element, drags with auto-scroll, the active comment area, key and mouse edits and the view's commands.
// The Windows view feeds it pixels, keys and timer ticks and carries out what it asks of its host.
#include <cstdint>

#include "model/comments/comment_area.h"
#include "model/document/map_document.h"
#include "model/view/comment_placements.h"
#include "model/view/view_input.h"

namespace tav {

// What the editor asks of the window that hosts it.
class EditorHost {
public:
    virtual ~EditorHost() = default;
    // Draw the map image again (map, origin or mode changed) and repaint.
    virtual void rerender() = 0;
    // Compose the overlays again and show them.
    virtual void repaint() = 0;
    // Scroll request 1..8 to the main window (message 0xA401, wParam 0).
    virtual void requestScroll(int request) = 0;
    // The view set its own origin (message 0xA401 with lParam 20).
    virtual void originChanged(CellPoint origin) = 0;
    // As if the main window's diagonal scroll button 12001..12004 had been pressed.
    virtual void diagonalScroll(int buttonId) = 0;
    // Start (or restart with a new period) and stop an auto-scroll timer.
    virtual void startTimer(int id, int period) = 0;
    virtual void stopTimer(int id) = 0;
    // False when the main window is gone: auto-scrolling then stops.
    virtual bool ownerAlive() const { return true; }
};

// The clipboard as the editor uses it.
class EditorClipboard {
public:
    virtual ~EditorClipboard() = default;
    virtual bool copyCells(CellRect rect, bool cut) = 0;
    virtual bool pasteCells(int column, int row, int& pastedWidth, int& pastedHeight) = 0;
    virtual bool copyComment(const CommentArea& area, bool cut) = 0;
    virtual CommentArea* pasteComment(int column, int row) = 0;
    virtual bool holdsComment() const = 0;
};

// The view's commands (menu, accelerator and popup menu ids).
namespace view_command {
constexpr int undo = 32787;
constexpr int redo = 32788;
constexpr int cut = 32773;
constexpr int copy = 32771;
constexpr int paste = 32772;
constexpr int erase = 32774;
constexpr int escape = 32789;
constexpr int up = 32775;
constexpr int right = 32776;
constexpr int down = 32777;
constexpr int left = 32778;
constexpr int pageUp = 32779;
constexpr int end = 32780;
constexpr int pageDown = 32781;
constexpr int home = 32782;
constexpr int extendUp = 32783;
constexpr int extendRight = 32784;
constexpr int extendDown = 32785;
constexpr int extendLeft = 32786;
constexpr int toTop = 32795;
constexpr int toBottom = 32796;
constexpr int forward = 32797;
constexpr int backward = 32798;
constexpr int format = 32790;
// Undo, redo, cut, copy, paste, delete and Esc do nothing while their key auto-repeats.
bool ignoredWhileRepeating(int id);
bool isViewCommand(int id);
} // namespace view_command

enum class DragState { idle, selection, comment };
enum class PopupMenu { none, map, comment };

class MapEditor {
public:
    MapEditor(MapDocument& document, EditorHost& host, EditorClipboard* clipboard = nullptr);

    // ---- state ----
    ViewGeometry geometry() const { return viewGeometry(document_); }
    CellPoint origin() const { return origin_; }
    CellPoint base() const { return base_; }
    CellPoint current() const { return current_; }
    CellPoint press() const { return press_; }
    bool selected() const { return base_ != current_; }
    CellRect selection() const { return cellRect(base_, current_); }
    const HoverElement& hover() const { return hover_; }
    DragState drag() const { return drag_; }
    bool dragging() const { return drag_ != DragState::idle; }
    int autoScrollDirection() const { return direction_; }
    int tickCount() const { return ticks_; }
    bool timerRunning(int id) const;
    int markerStyle() const { return markerStyle_; }
    std::uint8_t wallMark() const { return wall_; }
    std::uint8_t roomMark() const { return room_; }
    std::uint8_t background() const { return background_; }
    // The active comment area, or nullptr (also when it has left the document's list).
    CommentArea* activeComment() const;
    // Where the view keeps its comment areas, kept up to date with its drawing: pointer and press look
    // only at the areas near them there instead of at every area. Null to look at every area.
    void usePlacements(const CommentPlacements* placements) { placements_ = placements; }
    // The cursor the comment part under the mouse asks for.
    CommentCursor commentCursor() const { return cursor_; }

    // ---- operations of the main window ----
    void setScrollOrigin(int column, int row, bool centre, bool redraw);
    void centreOn(int column, int row);
    void setMarkerStyle(int style);
    void setWallMark(std::uint8_t mark) { wall_ = mark; }
    void setRoomMark(std::uint8_t mark) { room_ = mark; }
    void setBackground(std::uint8_t background) { background_ = background; }
    // Puts the selection's base and current point (kept inside the map); no repaint.
    void setSelection(CellPoint base, CellPoint current);
    // After the map was replaced, resized or its mode switched: points and origin back inside the map.
    void mapChanged();
    // Forget the active comment area (its pointer may not survive an undo or a map-wide change).
    void deactivateComment();

    // ---- mouse ----
    // View pixels. A move while idle recomputes the hover element and the comment cursor; during a drag it
    // moves the current point or the comment area.
    void mouseMove(int x, int y);
    void mouseLeave();
    // Left press: edit at the hover element, move the selection and start a drag. True when a drag started
    // (the caller confines the cursor).
    bool leftPress(int x, int y, bool ctrl, bool shift);
    // End of any drag.
    void leftRelease();
    // Double-click: a second press without an active comment area; true when it hit the active comment
    // area, whose text is then to be edited in place.
    bool doubleClick(int x, int y, bool ctrl, bool shift);
    // Right release: which popup menu to show.
    PopupMenu rightRelease(int x, int y);
    // An auto-scroll timer fired.
    void timerTick(int id);

    // ---- keys and commands ----
    // A view command; repeating is set while its key auto-repeats. False for ids the editor does not know.
    bool command(int id, bool repeating);
    // Letter keys W, Z, A, S, X, C (virtual key codes); false for any other key.
    bool letterKey(int key);

    // Single operations, also used by command().
    bool undo();
    bool redo();
    void cut();
    void copy();
    void paste();
    void erase();
    void escape();
    // dx, dy one of the four directions.
    void moveBase(int dx, int dy, bool repeating);
    void moveCurrent(int dx, int dy);

    // View pixel to map pixel of the current view.
    PixelPoint mapPixel(int x, int y) const;

private:
    void keepInside();
    void collapseTo(CellPoint cell);
    bool editAt(const HoverElement& hover);
    bool setOne(int layer, int column, int row, std::uint8_t value, bool& first);
    bool keyEdit(int target, bool edge);
    void stopAutoScroll();
    void startAutoScroll(int timer);
    CellPoint cellAtPixel(int x, int y) const;
    CommentArea* hitComment(int x, int y);
    // List positions (ascending) of the areas that may lie at a map point; false when the placements are
    // not there or not up to date, and every area must be looked at.
    bool commentsNear(PixelPoint at, std::vector<int>& near) const;
    const CommentArea* commentCursorAt(PixelPoint at, CommentCursor& cursor) const;

    MapDocument& document_;
    EditorHost& host_;
    EditorClipboard* clipboard_;
    const CommentPlacements* placements_ = nullptr;

    ViewGeometry seen_; // the geometry at the last mapChanged
    CellPoint origin_;
    CellPoint base_;
    CellPoint current_;
    CellPoint press_;
    PixelPoint pressPixel_;
    CellPoint dragCell_; // cell under the mouse at the last selection-drag event
    HoverElement hover_;
    DragState drag_ = DragState::idle;
    int direction_ = 0;
    int ticks_ = 0;
    int selectionTimer_ = 0;
    int commentTimer_ = 0;
    int markerStyle_ = 0;
    std::uint8_t wall_ = 0;
    std::uint8_t room_ = 0;
    std::uint8_t background_ = 0;
    CommentArea* active_ = nullptr;
    CommentCursor cursor_ = CommentCursor::none;
};

} // namespace tav
