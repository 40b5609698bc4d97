#pragma once
// The arithmetic of the map editing view: which pixel is which cell or edge, the rectangles the
// overlays invert, where the cursor is confined, where auto-scrolling goes and where centring puts the
// origin. Platform-free; the Windows view only turns these numbers into calls.
#include <cstdint>
#include <vector>

#include "model/comments/pixel_rect.h"
#include "model/document/cell.h"

namespace tav {

class MapDocument;

namespace view_input {
// Auto-scroll timers and their periods (ms); the period drops to fast on this tick.
constexpr int selectionTimer = 4096;
constexpr int commentTimer = 4097;
constexpr int slowPeriod = 256;
constexpr int fastPeriod = 128;
constexpr int fastTick = 6;

// Scroll requests (lParam of message 0xA401).
namespace scroll {
constexpr int rowUp = 1;
constexpr int columnRight = 2;
constexpr int rowDown = 3;
constexpr int columnLeft = 4;
constexpr int pageUp = 5;
constexpr int end = 6;
constexpr int pageDown = 7;
constexpr int home = 8;
constexpr int originSet = 20;
} // namespace scroll

// Auto-scroll direction bits: where the mouse is outside the grid.
namespace direction {
constexpr int right = 1;
constexpr int left = 2;
constexpr int below = 4;
constexpr int above = 8;
} // namespace direction

// The main window's corner buttons that scroll diagonally.
namespace diagonal {
constexpr int upLeft = 12001;
constexpr int downLeft = 12002;
constexpr int upRight = 12003;
constexpr int downRight = 12004;
} // namespace diagonal

// Hover kinds; twin is added to a border edge whose twin on the opposite border shows too.
namespace kind {
constexpr std::uint8_t none = 0;
constexpr std::uint8_t horizontal = 1;
constexpr std::uint8_t vertical = 2;
constexpr std::uint8_t cell = 3;
constexpr std::uint8_t twin = 16;
} // namespace kind
} // namespace view_input

struct CellPoint {
    int column = 0;
    int row = 0;
    bool operator==(const CellPoint&) const = default;
};

// The wall edge or cell under the mouse, in visible-relative cells.
struct HoverElement {
    int column = 0;
    int row = 0;
    std::uint8_t kind = view_input::kind::none;

    bool none() const { return kind == view_input::kind::none; }
    int baseKind() const { return kind & 15; }
    bool isEdge() const {
        return baseKind() == view_input::kind::horizontal || baseKind() == view_input::kind::vertical;
    }
    bool operator==(const HoverElement&) const = default;
};

// The map and view sizes the input arithmetic needs.
struct ViewGeometry {
    int width = 0;  // map columns
    int height = 0; // map rows
    bool wide = false;
    int pitch = 34;
    int columns = 0; // visible
    int rows = 0;

    int pixelWidth() const { return columns * pitch; }
    int pixelHeight() const { return rows * pitch; }
    int standardCells() const { return wide ? 17 : 11; }
    int edgeZone() const { return wide ? 5 : 8; }
    bool empty() const { return width <= 0 || height <= 0 || columns <= 0 || rows <= 0; }
};

ViewGeometry viewGeometry(const MapDocument& document);
// A geometry for a map of this size in the given mode, as the document would derive it.
ViewGeometry viewGeometry(int width, int height, bool wide);

// The point lies on the grid: 24 < x < 25 + visible pixel width, likewise y.
bool onGrid(const ViewGeometry& g, int x, int y);
// Visible-relative cell of a point on the grid (division truncating towards zero).
CellPoint visibleCell(const ViewGeometry& g, int x, int y);
// Visible-relative cell limited to the visible window, for drags beyond the grid.
CellPoint clampedVisibleCell(const ViewGeometry& g, int x, int y);
// Direction bits of a point outside the grid (0 on the grid).
int outsideDirection(const ViewGeometry& g, int x, int y);

// The hover element at a view pixel.
HoverElement hoverAt(const ViewGeometry& g, int x, int y);

// Normalised rectangle (edges included) of two corners.
CellRect cellRect(CellPoint a, CellPoint b);
bool contains(const CellRect& rect, CellPoint p);
// The selection rectangle extended for an edge of this kind: one row down for horizontal edges, one column
// right for vertical edges.
CellRect extendedFor(CellRect rect, int edgeKind);

// The rectangle (window pixels, right and bottom exclusive) the cursor is confined to while dragging.
PixelRect cursorConfinement(const ViewGeometry& g);

// Scroll origin kept inside 0 .. size - visible on both axes.
CellPoint clampOrigin(const ViewGeometry& g, CellPoint origin);
// The origin that centres this cell.
CellPoint centredOrigin(const ViewGeometry& g, CellPoint cell);
// The middle cell of the window at this origin.
CellPoint middleCell(const ViewGeometry& g, CellPoint origin);
bool visibleAt(const ViewGeometry& g, CellPoint origin, CellPoint cell);

// Overlay rectangles of a paint (window pixels, right and bottom exclusive), each inverted once.
std::vector<PixelRect> selectionInversion(const ViewGeometry& g, CellPoint origin, CellPoint base,
                                          CellPoint current);
std::vector<PixelRect> markerInversion(const ViewGeometry& g, CellPoint origin, CellPoint base, int style);
std::vector<PixelRect> hoverInversion(const ViewGeometry& g, const HoverElement& hover);

// What one auto-scroll tick does.
struct AutoScrollStep {
    int scrollRequest = 0;  // 1..4, or 0
    int diagonalButton = 0; // 12001..12004, or 0
    bool stop = false;      // kill the timer
    CellPoint moveBy;       // the current point's step (selection drags)
};
AutoScrollStep autoScrollStep(int direction);
// The current point after one selection auto-scroll step, within the map.
CellPoint advanceWithin(CellPoint point, int direction, int width, int height);

} // namespace tav
