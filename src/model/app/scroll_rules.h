#pragma once
// Scroll-bar arithmetic of the main window: the range of each axis, the moves of the bar's parts, the
// diagonal corner buttons and the recentring after a size or mode change.
namespace tav::scroll {

// One axis: origins 0..maximum; a page moves by page cells.
struct AxisRange {
    int maximum = 0;
    int page = 0;

    bool operator==(const AxisRange&) const = default;
};

// size cells of which visible are shown at once; a map narrower than the window gives 0..0.
AxisRange axisRange(int size, int visible);

enum class Move { lineBack, lineForward, pageBack, pageForward, first, last, thumb };

// The origin after a move of the bar, always inside 0..maximum; thumb takes the thumb position.
int moveOrigin(const AxisRange& range, int origin, Move move, int thumb = 0);

// The origin that puts cell centre in the middle of visible cells, inside 0..size - visible.
int centredOrigin(int centre, int size, int visible);

// The corner buttons: up-left, down-left, up-right, down-right.
enum class Corner { upLeft, downLeft, upRight, downRight };

struct Origin {
    int column = 0;
    int row = 0;

    bool operator==(const Origin&) const = default;
};

// One step on both axes where the axis can still move; the origin is unchanged when neither can.
Origin diagonalStep(Corner corner, Origin origin, const AxisRange& columns, const AxisRange& rows);

} // namespace tav::scroll
