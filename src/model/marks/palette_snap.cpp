#include "model/marks/palette_snap.h"

namespace tav {

namespace {

constexpr int reach = 16;

bool near(int value, int target) {
    return target - reach < value && value < target + reach;
}

} // namespace

SnapPosition snapToMainWindow(SnapPosition proposed, int width, const SnapFrame& main) {
    SnapPosition snapped = proposed;
    if (near(proposed.y, main.top))
        snapped.y = main.top;
    if (near(proposed.x + width, main.left))
        snapped.x = main.left - width;
    else if (near(proposed.x, main.right))
        snapped.x = main.right;
    return snapped;
}

} // namespace tav
