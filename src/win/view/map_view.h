#pragma once
// The map editing view (control 12801 of the main window): 404x404 pixels in which the map is edited
// with mouse and keyboard. It keeps the scroll origin, the selection and the hover element, draws the map
// into an off-screen image and composes its overlays on every paint.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "model/document/map_document.h"
#include "model/platform/prompter.h"

namespace tav {
class MapEditor;
}

namespace tav::win {

class DrawingResourceCache;
class MapClipboard;

// Private messages the view sends to its parent.
namespace view_message {
constexpr UINT scroll = 0xA401;      // lParam: request 1..10, or 20 with the origin in wParam
constexpr UINT focus = 0xA402;       // wParam 1 gained, 0 lost
constexpr UINT markChosen = 0xA403;  // from the palette window
constexpr UINT openDropped = 0xA40B; // wParam: const FilePath*, valid during the send
} // namespace view_message

class MapView {
public:
    MapView(MapDocument& document, DrawingResourceCache& cache, MapClipboard& clipboard, Prompter& prompter);
    ~MapView();
    MapView(const MapView&) = delete;
    MapView& operator=(const MapView&) = delete;

    // Creates the child window with this control id in place of (and then destroying) any placeholder
    // control of that id; false when the window or its off-screen images could not be made.
    bool create(HWND parent, int controlId, const RECT& place);
    HWND handle() const { return window_; }

    // Message-loop hook: the view's accelerator table for messages addressed to the view (Esc also from
    // the in-place edit box). True when the message was consumed.
    bool translateAccelerator(MSG& message);
    // Commands forwarded by the main window (undo, redo, cut, copy, paste, delete, Esc, cursor keys...).
    // True when the id is one of the view's commands.
    bool onCommand(int id);

    // Scroll origin on both axes, kept inside 0..size - visible; with centre set the base and current
    // point go to the middle cell of the window; with redraw set the map is re-rendered and repainted.
    void setScrollOrigin(int column, int row, bool centre, bool redraw);
    int scrollColumn() const;
    int scrollRow() const;
    void centreOn(int column, int row);
    // Draws the whole map image again (after the map, the palette or the mode changed) and repaints.
    void rerender();
    // Draws again only what changed in the map image since it was last drawn (edits the document noted, a
    // scroll) and repaints; everything when that is not known.
    void refresh();
    // 0 small square, 1 bands, 2 none.
    void setMarkerStyle(int style);
    void setCurrentWallMark(std::uint8_t mark);
    void setCurrentRoomMark(std::uint8_t mark);
    void setCurrentBackground(std::uint8_t background);
    // The palette's room pictures changed (load, new map, palette editing).
    void paletteChanged();
    // Removes this rectangle (view client pixels) from the window's region.
    void cutCornerHole(const RECT& hole);
    // Stores the text of the in-place editor into its comment area, if one is being edited.
    void finishInPlaceEditing();

    // Base and current point of the selection (equal when nothing is selected).
    POINT basePoint() const;
    POINT currentPoint() const;

    // ---- for tests and tools ----
    // Composes the view's picture (map image with every overlay) into this context, as a paint would.
    void paintInto(HDC target);
    // The map image without overlays, as it stands, and how many times all of it was drawn.
    HDC mapImageDc() const;
    int wholeDrawings() const;
    // Draws one part of the images kept for the origins a scroll likely reaches next, as the view does while
    // the program waits for input; false when none is due.
    bool drawAheadPart();
    // How many scrolls showed an image drawn ahead instead of drawing.
    int scrollsDrawnAhead() const;
    // Called instead of showing a popup menu: gets submenu 0 (map) or 1 (comment area) with its items
    // enabled as they would show, and answers the chosen command (0 for none).
    using PopupHook = std::function<int(HMENU menu, int submenu)>;
    void setPopupHook(PopupHook hook);
    // The in-place comment editor and whether it is open.
    HWND inPlaceEditor() const;
    bool editingInPlace() const;
    // The input decisions behind the window (selection, hover, drags).
    MapEditor& editor();

    struct State; // the window's state, defined with the window procedure

private:
    HWND window_ = nullptr;
    std::unique_ptr<State> state_;
};

} // namespace tav::win
