#include "model/view/view_ahead.h"

#include <algorithm>

namespace tav {

namespace {

constexpr int side = map_view::imageSide;
constexpr int tile = (side + AheadPlan::tilesPerSide - 1) / AheadPlan::tilesPerSide;

std::vector<PixelRect> wholeImage() {
    return aheadPieces({{0, 0, side, side}});
}

long long areaOf(const std::vector<PixelRect>& rects) {
    long long area = 0;
    for (const PixelRect& r : rects)
        area += static_cast<long long>(r.width()) * r.height();
    return area;
}

} // namespace

std::vector<CellPoint> aheadOrigins(int width, int height, bool wide, CellPoint origin, CellPoint lastStep) {
    const ViewLayout here = viewLayout(width, height, wide, origin.column, origin.row);
    const int pageColumns = std::max(here.columns - 1, 1), pageRows = std::max(here.rows - 1, 1);
    const CellPoint steps[] = {lastStep,         {-lastStep.column, -lastStep.row},
                               {1, 0},           {-1, 0},
                               {0, 1},           {0, -1},
                               {pageColumns, 0}, {-pageColumns, 0},
                               {0, pageRows},    {0, -pageRows}};
    std::vector<CellPoint> origins;
    for (const CellPoint& step : steps) {
        const ViewLayout there =
            viewLayout(width, height, wide, here.firstColumn + step.column, here.firstRow + step.row);
        const CellPoint at{there.firstColumn, there.firstRow};
        if (at == CellPoint{here.firstColumn, here.firstRow} ||
            std::find(origins.begin(), origins.end(), at) != origins.end())
            continue;
        origins.push_back(at);
    }
    return origins;
}

std::vector<PixelRect> aheadPieces(const std::vector<PixelRect>& rects) {
    constexpr long long most = static_cast<long long>(tile) * tile;
    std::vector<PixelRect> pieces;
    for (const PixelRect& r : rects) {
        if (r.empty())
            continue;
        const int w = r.width(), h = r.height();
        const long long area = static_cast<long long>(w) * h;
        // Square pieces where the rectangle allows, so that each meets as few comment areas as it can.
        int across = 1, down = 1;
        if (area > most && w > tile && h > tile) {
            across = (w + tile - 1) / tile;
            down = (h + tile - 1) / tile;
        } else if (area > most) {
            const int n = static_cast<int>((area + most - 1) / most);
            (w > h ? across : down) = n;
        }
        for (int y = 0; y < down; ++y)
            for (int x = 0; x < across; ++x)
                pieces.push_back({r.left + w * x / across, r.top + h * y / down,
                                  r.left + w * (x + 1) / across, r.top + h * (y + 1) / down});
    }
    return pieces;
}

void AheadPlan::aim(int width, int height, bool wide, int reach, CellPoint origin, CellPoint lastStep) {
    if (width != width_ || height != height_ || wide != wide_ || reach != reach_)
        forget();
    width_ = width;
    height_ = height;
    wide_ = wide;
    reach_ = reach;
    shown_ = origin;
    std::vector<CellPoint> origins = aheadOrigins(width, height, wide, origin, lastStep);
    if (origins.size() > slots_.size())
        origins.resize(slots_.size());
    std::vector<int> order(origins.size(), -1);
    std::array<bool, slotCount> taken{};
    for (std::size_t i = 0; i < origins.size(); ++i)
        for (int s = 0; s < slotCount; ++s)
            if (!taken[s] && (slots_[s].wanted || !slots_[s].empty) && slots_[s].origin == origins[i]) {
                taken[s] = true;
                order[i] = s;
                break;
            }
    // A new origin near a complete image no longer wanted moves that image into place.
    for (std::size_t i = 0; i < origins.size(); ++i) {
        if (order[i] >= 0)
            continue;
        Nearest nearest = nearestImage(layoutAt(origins[i]), false, taken);
        if (nearest.source == noSource)
            continue;
        const int s = nearest.source;
        taken[s] = true;
        order[i] = s;
        slots_[s] = {true,
                     false,
                     true,
                     nearest.reuse.dx,
                     nearest.reuse.dy,
                     origins[i],
                     aheadPieces(nearest.reuse.redraw)};
    }
    // The others take an empty slot, or else one no longer wanted.
    for (std::size_t i = 0; i < origins.size(); ++i) {
        if (order[i] >= 0)
            continue;
        int free = -1;
        for (int s = 0; s < slotCount && free < 0; ++s)
            if (!taken[s] && !slots_[s].complete())
                free = s;
        for (int s = 0; s < slotCount && free < 0; ++s)
            if (!taken[s])
                free = s;
        taken[free] = true;
        order[i] = free;
        slots_[free] = {true, true, false, 0, 0, origins[i], {}};
    }
    for (int s = 0; s < slotCount; ++s)
        if (!taken[s])
            slots_[s].wanted = false;
    order_ = std::move(order);
}

void AheadPlan::damage(const MapDamage& damage) {
    if (damage.empty())
        return;
    for (int s = 0; s < slotCount; ++s) {
        Slot& slot = slots_[s];
        if (slot.empty)
            continue;
        if (damage.everything()) {
            slot = {};
            continue;
        }
        const std::vector<PixelRect> rects = aheadPieces(damagedImageRects(damage, layoutOf(s), reach_));
        slot.due.insert(slot.due.end(), rects.begin(), rects.end());
        // Past this many pieces, drawing every tile costs no more.
        if (slot.due.size() > 64)
            slot.due = wholeImage();
    }
}

void AheadPlan::forget() {
    slots_ = {};
    order_.clear();
    width_ = height_ = -1;
}

int AheadPlan::ready(CellPoint origin) const {
    for (int s = 0; s < slotCount; ++s)
        if (slots_[s].origin == origin && slots_[s].complete())
            return s;
    return -1;
}

void AheadPlan::exchanged(int slot, CellPoint shownOrigin) {
    slots_[slot].origin = shownOrigin;
    slots_[slot].empty = false;
    slots_[slot].moving = false;
    slots_[slot].due.clear();
}

bool AheadPlan::due() const {
    return std::any_of(order_.begin(), order_.end(), [&](int s) { return !slots_[s].complete(); });
}

bool AheadPlan::next(Step& step) const {
    for (int s : order_) {
        const Slot& slot = slots_[s];
        if (slot.moving) {
            step = {};
            step.slot = s;
            step.fill = true;
            step.copies = true;
            step.source = s;
            step.dx = slot.dx;
            step.dy = slot.dy;
            step.due = slot.due;
            return true;
        }
        if (slot.empty) {
            step = {};
            step.slot = s;
            step.fill = true;
            const Nearest nearest = nearestImage(layoutOf(s), true, {});
            if (nearest.source == noSource) {
                step.due = wholeImage();
            } else {
                step.copies = true;
                step.source = nearest.source;
                step.dx = nearest.reuse.dx;
                step.dy = nearest.reuse.dy;
                step.due = aheadPieces(nearest.reuse.redraw);
            }
            return true;
        }
        if (!slot.due.empty()) {
            step = {};
            step.slot = s;
            step.part = slot.due.front();
            return true;
        }
    }
    return false;
}

AheadPlan::Nearest AheadPlan::nearestImage(const ViewLayout& target, bool shownToo,
                                           const std::array<bool, slotCount>& excluded) const {
    Nearest nearest;
    long long least = static_cast<long long>(side) * side;
    auto consider = [&](int source, const ViewLayout& from) {
        ScrollReuse reuse = scrollReuse(from, target, reach_);
        const long long area = areaOf(reuse.redraw);
        if (reuse.possible && area < least) {
            least = area;
            nearest = {source, std::move(reuse)};
        }
    };
    if (shownToo)
        consider(shownImage, layoutAt(shown_));
    for (int s = 0; s < slotCount; ++s)
        if (!excluded[s] && slots_[s].complete())
            consider(s, layoutOf(s));
    return nearest;
}

void AheadPlan::done(const Step& step) {
    Slot& slot = slots_[step.slot];
    if (step.fill) {
        slot.empty = false;
        slot.moving = false;
        slot.due = step.due;
    } else if (!slot.due.empty()) {
        slot.due.erase(slot.due.begin());
    }
}

ViewLayout AheadPlan::layoutOf(int slot) const {
    return layoutAt(slots_[slot].origin);
}

ViewLayout AheadPlan::layoutAt(CellPoint origin) const {
    return viewLayout(width_, height_, wide_, origin.column, origin.row);
}

} // namespace tav
