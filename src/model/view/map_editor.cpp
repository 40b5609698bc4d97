#include "model/view/map_editor.h"

#include <algorithm>
#include <cstdlib>

#include "model/view/map_layout.h"

namespace tav {

using namespace view_input;

namespace view_command {
bool ignoredWhileRepeating(int id) {
    switch (id) {
    case undo:
    case redo:
    case cut:
    case copy:
    case paste:
    case erase:
    case escape:
        return true;
    default:
        return false;
    }
}

bool isViewCommand(int id) {
    switch (id) {
    case undo:
    case redo:
    case cut:
    case copy:
    case paste:
    case erase:
    case escape:
    case up:
    case right:
    case down:
    case left:
    case pageUp:
    case end:
    case pageDown:
    case home:
    case extendUp:
    case extendRight:
    case extendDown:
    case extendLeft:
    case toTop:
    case toBottom:
    case forward:
    case backward:
    case format:
        return true;
    default:
        return false;
    }
}
} // namespace view_command

namespace {
// The scroll request that brings a step in this direction into view.
int scrollFor(int dx, int dy) {
    if (dy < 0)
        return scroll::rowUp;
    if (dy > 0)
        return scroll::rowDown;
    if (dx > 0)
        return scroll::columnRight;
    return scroll::columnLeft;
}

bool insideMap(const ViewGeometry& g, CellPoint p) {
    return p.column >= 0 && p.column < g.width && p.row >= 0 && p.row < g.height;
}

CellPoint clampToMap(const ViewGeometry& g, CellPoint p) {
    if (g.width <= 0 || g.height <= 0)
        return {};
    return {std::clamp(p.column, 0, g.width - 1), std::clamp(p.row, 0, g.height - 1)};
}
} // namespace

MapEditor::MapEditor(MapDocument& document, EditorHost& host, EditorClipboard* clipboard)
    : document_(document), host_(host), clipboard_(clipboard) {}

CommentArea* MapEditor::activeComment() const {
    if (active_ && document_.indexOfComment(active_) >= 0)
        return active_;
    return nullptr;
}

bool MapEditor::timerRunning(int id) const {
    if (id == selectionTimer)
        return selectionTimer_ != 0;
    if (id == commentTimer)
        return commentTimer_ != 0;
    return false;
}

PixelPoint MapEditor::mapPixel(int x, int y) const {
    const int p = document_.pitch();
    return {x - geometry::rulerMargin + origin_.column * p, y - geometry::rulerMargin + origin_.row * p};
}

void MapEditor::keepInside() {
    const ViewGeometry g = geometry();
    if (g.empty()) {
        origin_ = base_ = current_ = press_ = {};
        hover_ = {};
        return;
    }
    origin_ = clampOrigin(g, origin_);
    base_ = clampToMap(g, base_);
    current_ = clampToMap(g, current_);
    press_ = clampToMap(g, press_);
}

void MapEditor::mapChanged() {
    keepInside();
    // A hover element belongs to the window it was found in: forget it when the window's geometry changed.
    const ViewGeometry g = geometry();
    if (g.width != seen_.width || g.height != seen_.height || g.wide != seen_.wide)
        hover_ = {};
    seen_ = g;
    if (!activeComment())
        active_ = nullptr;
}

void MapEditor::setSelection(CellPoint base, CellPoint current) {
    base_ = base;
    current_ = current;
    press_ = base;
    keepInside();
}

void MapEditor::deactivateComment() {
    if (CommentArea* area = activeComment())
        area->clearDragPart();
    active_ = nullptr;
    cursor_ = CommentCursor::none;
}

void MapEditor::collapseTo(CellPoint cell) {
    base_ = current_ = press_ = cell;
}

CellPoint MapEditor::cellAtPixel(int x, int y) const {
    const CellPoint v = visibleCell(geometry(), x, y);
    return clampToMap(geometry(), {origin_.column + v.column, origin_.row + v.row});
}

// ---- operations of the main window ----

void MapEditor::setScrollOrigin(int column, int row, bool centre, bool redraw) {
    keepInside();
    const ViewGeometry g = geometry();
    if (g.empty())
        return;
    origin_ = clampOrigin(g, {column, row});
    if (centre) {
        base_ = current_ = clampToMap(g, middleCell(g, origin_));
    }
    if (redraw)
        host_.rerender();
}

void MapEditor::centreOn(int column, int row) {
    keepInside();
    const ViewGeometry g = geometry();
    if (g.empty())
        return;
    origin_ = centredOrigin(g, {column, row});
    host_.rerender();
    host_.originChanged(origin_);
}

void MapEditor::setMarkerStyle(int style) {
    markerStyle_ = style;
    host_.repaint();
}

// ---- mouse ----

void MapEditor::mouseMove(int x, int y) {
    keepInside();
    const ViewGeometry g = geometry();
    if (g.empty()) {
        hover_ = {};
        return;
    }
    switch (drag_) {
    case DragState::idle: {
        CommentCursor cursor = CommentCursor::none;
        const CommentArea* under = onGrid(g, x, y) ? commentCursorAt(mapPixel(x, y), cursor) : nullptr;
        cursor_ = under ? cursor : CommentCursor::none;
        const HoverElement h = under ? HoverElement{} : hoverAt(g, x, y);
        if (h != hover_) {
            hover_ = h;
            host_.repaint();
        }
        break;
    }
    case DragState::selection: {
        const CellPoint v = clampedVisibleCell(g, x, y);
        const CellPoint cell = clampToMap(g, {origin_.column + v.column, origin_.row + v.row});
        direction_ = outsideDirection(g, x, y);
        if (direction_ != 0 && selectionTimer_ == 0)
            startAutoScroll(selectionTimer);
        // Jiggling inside the pressed cell keeps the selection; entering another cell moves the current
        // point.
        if (cell != dragCell_) {
            dragCell_ = cell;
            if (cell != current_) {
                current_ = cell;
                host_.repaint();
            }
        }
        break;
    }
    case DragState::comment: {
        CommentArea* area = activeComment();
        if (!area) {
            drag_ = DragState::idle;
            break;
        }
        area->dragBy(x - pressPixel_.x, y - pressPixel_.y);
        pressPixel_ = {x, y};
        direction_ = outsideDirection(g, x, y);
        if (direction_ != 0 && commentTimer_ == 0)
            startAutoScroll(commentTimer);
        host_.repaint();
        break;
    }
    }
}

void MapEditor::mouseLeave() {
    if (!hover_.none()) {
        hover_ = {};
        host_.repaint();
    }
    cursor_ = CommentCursor::none;
}

bool MapEditor::setOne(int layer, int column, int row, std::uint8_t value, bool& first) {
    return document_.setCell(column, row, layer, value, first);
}

bool MapEditor::editAt(const HoverElement& hover) {
    const CellPoint cell{origin_.column + hover.column, origin_.row + hover.row};
    if (cell.column < 0 || cell.row < 0 || cell.column > document_.width() || cell.row > document_.height())
        return false;
    bool first = true;
    const int k = hover.baseKind();
    const int wallLayer = k == kind::horizontal ? layer::horizontalWall : layer::verticalWall;
    if (selected()) {
        const CellRect rect = selection();
        if (hover.isEdge()) {
            const CellRect extended = extendedFor(rect, k);
            if (contains(extended, cell)) {
                const bool farEdge =
                    k == kind::horizontal ? cell.row == extended.bottom : cell.column == extended.right;
                return document_.fillRect(extended, wallLayer, wall_, first, farEdge);
            }
        } else if (contains(rect, cell)) {
            const bool room = document_.fillRect(rect, layer::room, room_, first, false);
            const bool background = document_.fillRect(rect, layer::background, background_, first, false);
            return room || background;
        }
    }
    if (hover.isEdge())
        return setOne(wallLayer, cell.column, cell.row, wall_, first);
    if (k != kind::cell || cell.column >= document_.width() || cell.row >= document_.height())
        return false;
    const bool room = setOne(layer::room, cell.column, cell.row, room_, first);
    const bool background = setOne(layer::background, cell.column, cell.row, background_, first);
    return room || background;
}

bool MapEditor::commentsNear(PixelPoint at, std::vector<int>& near) const {
    if (!placements_ || !placements_->matches(document_.comments()))
        return false;
    // An anchor grabs a little way around its point.
    const int reach = comment::anchorReach + 1;
    near = placements_->meeting({{at.x - reach, at.y - reach, at.x + reach + 1, at.y + reach + 1}});
    return true;
}

const CommentArea* MapEditor::commentCursorAt(PixelPoint at, CommentCursor& cursor) const {
    std::vector<int> near;
    return document_.commentCursorAt(at, cursor, commentsNear(at, near) ? &near : nullptr);
}

// The top-most area at a view pixel; the others lose any part they were grabbed by. Areas learn where they
// show when drawn, and a scroll draws only what came into view: the area taken learns it here, before its
// drag feedback is worked out again.
CommentArea* MapEditor::hitComment(int x, int y) {
    const PixelPoint at = mapPixel(x, y);
    std::vector<int> near;
    CommentArea* before = activeComment();
    CommentArea* hit = document_.hitTestComments(at, commentsNear(at, near) ? &near : nullptr);
    // Only an area taken before may hold a part outside those looked at.
    if (before && before != hit)
        before->clearDragPart();
    if (hit) {
        const ViewLayout l = viewLayout(document_.width(), document_.height(), document_.isWide(),
                                        origin_.column, origin_.row);
        hit->placeOnScreen(l.visibleMapRect(), {map_view::gridOrigin, map_view::gridOrigin});
        hit->hitTest(at);
    }
    return hit;
}

bool MapEditor::leftPress(int x, int y, bool ctrl, bool shift) {
    keepInside();
    const ViewGeometry g = geometry();
    if (g.empty())
        return false;
    const bool grid = onGrid(g, x, y);
    if (grid) {
        CommentArea* hit = hitComment(x, y);
        if (hit) {
            active_ = hit;
            pressPixel_ = {x, y};
            hover_ = {};
            drag_ = DragState::comment;
            host_.repaint();
            return true;
        }
        active_ = nullptr; // a press on the map lets the comment area go
    }
    hover_ = hoverAt(g, x, y);
    const bool changed = !hover_.none() && !ctrl && editAt(hover_);
    if (!grid) {
        if (changed)
            host_.rerender();
        else
            host_.repaint();
        return false;
    }
    const CellPoint clicked = cellAtPixel(x, y);
    if (shift) {
        current_ = clicked;
    } else if (!selected()) {
        collapseTo(clicked);
    } else {
        const CellRect rect = hover_.isEdge() ? extendedFor(selection(), hover_.kind) : selection();
        if (!contains(rect, clicked))
            collapseTo(clicked);
    }
    press_ = clicked;
    dragCell_ = clicked;
    drag_ = DragState::selection;
    if (changed)
        host_.rerender();
    else
        host_.repaint();
    return true;
}

void MapEditor::leftRelease() {
    const DragState was = drag_;
    drag_ = DragState::idle;
    stopAutoScroll();
    if (was == DragState::comment) {
        if (CommentArea* area = activeComment()) {
            if (document_.endCommentDrag(*area, true)) {
                host_.rerender();
                return;
            }
        }
        host_.repaint();
    }
}

bool MapEditor::doubleClick(int x, int y, bool ctrl, bool shift) {
    CommentArea* area = activeComment();
    if (!area) {
        leftPress(x, y, ctrl, shift);
        return false;
    }
    if (!onGrid(geometry(), x, y))
        return false;
    const PixelPoint p = mapPixel(x, y);
    const PixelPoint anchor = area->anchor();
    const bool onAnchor =
        std::abs(p.x - anchor.x) <= comment::anchorReach && std::abs(p.y - anchor.y) <= comment::anchorReach;
    return onAnchor || area->frame().contains(p);
}

PopupMenu MapEditor::rightRelease(int x, int y) {
    keepInside();
    const ViewGeometry g = geometry();
    if (g.empty() || !onGrid(g, x, y))
        return PopupMenu::none;
    if (CommentArea* hit = hitComment(x, y)) {
        hit->endDrag(false);
        hit->select();
        active_ = hit;
        host_.repaint();
        return PopupMenu::comment;
    }
    active_ = nullptr;
    const CellPoint clicked = cellAtPixel(x, y);
    if (!contains(selection(), clicked)) {
        collapseTo(clicked);
        drag_ = DragState::idle;
        stopAutoScroll();
    }
    host_.repaint();
    return PopupMenu::map;
}

void MapEditor::startAutoScroll(int timer) {
    host_.startTimer(timer, slowPeriod);
    (timer == selectionTimer ? selectionTimer_ : commentTimer_) = timer;
}

void MapEditor::stopAutoScroll() {
    if (selectionTimer_) {
        host_.stopTimer(selectionTimer);
        selectionTimer_ = 0;
    }
    if (commentTimer_) {
        host_.stopTimer(commentTimer);
        commentTimer_ = 0;
    }
    ticks_ = 0;
    direction_ = 0;
}

void MapEditor::timerTick(int id) {
    if (id != selectionTimer && id != commentTimer)
        return;
    const DragState owner = id == selectionTimer ? DragState::selection : DragState::comment;
    const AutoScrollStep step = autoScrollStep(direction_);
    if (drag_ != owner || !host_.ownerAlive() || step.stop) {
        host_.stopTimer(id);
        (id == selectionTimer ? selectionTimer_ : commentTimer_) = 0;
        ticks_ = 0;
        direction_ = 0;
        return;
    }
    keepInside();
    const ViewGeometry g = geometry();
    if (id == selectionTimer)
        current_ = advanceWithin(current_, direction_, g.width, g.height);
    if (step.scrollRequest)
        host_.requestScroll(step.scrollRequest);
    else
        host_.diagonalScroll(step.diagonalButton);
    if (ticks_ < fastTick && ++ticks_ == fastTick)
        host_.startTimer(id, fastPeriod);
    host_.repaint();
}

// ---- keys and commands ----

bool MapEditor::command(int id, bool repeating) {
    namespace vc = view_command;
    if (!vc::isViewCommand(id))
        return false;
    if (repeating && vc::ignoredWhileRepeating(id))
        return true;
    switch (id) {
    case vc::undo:
        undo();
        break;
    case vc::redo:
        redo();
        break;
    case vc::cut:
        cut();
        break;
    case vc::copy:
        copy();
        break;
    case vc::paste:
        paste();
        break;
    case vc::erase:
        erase();
        break;
    case vc::escape:
        escape();
        break;
    case vc::up:
        moveBase(0, -1, repeating);
        break;
    case vc::down:
        moveBase(0, 1, repeating);
        break;
    case vc::left:
        moveBase(-1, 0, repeating);
        break;
    case vc::right:
        moveBase(1, 0, repeating);
        break;
    case vc::extendUp:
        moveCurrent(0, -1);
        break;
    case vc::extendDown:
        moveCurrent(0, 1);
        break;
    case vc::extendLeft:
        moveCurrent(-1, 0);
        break;
    case vc::extendRight:
        moveCurrent(1, 0);
        break;
    case vc::pageUp:
        host_.requestScroll(scroll::pageUp);
        break;
    case vc::pageDown:
        host_.requestScroll(scroll::pageDown);
        break;
    case vc::home:
        host_.requestScroll(scroll::home);
        break;
    case vc::end:
        host_.requestScroll(scroll::end);
        break;
    case vc::toTop:
    case vc::toBottom:
    case vc::forward:
    case vc::backward:
        if (CommentArea* area = activeComment()) {
            const bool changed = id == vc::toTop      ? document_.raiseToTop(area)
                                 : id == vc::toBottom ? document_.lowerToBottom(area)
                                 : id == vc::forward  ? document_.raiseOne(area)
                                                      : document_.lowerOne(area);
            if (changed)
                host_.rerender();
        }
        break;
    default: // the format dialog belongs to the window side
        break;
    }
    return true;
}

bool MapEditor::undo() {
    if (!document_.undo())
        return false;
    active_ = nullptr; // areas may have been re-created
    keepInside();
    host_.rerender();
    return true;
}

bool MapEditor::redo() {
    if (!document_.redo())
        return false;
    active_ = nullptr;
    keepInside();
    host_.rerender();
    return true;
}

void MapEditor::cut() {
    keepInside();
    if (!clipboard_ || geometry().empty())
        return;
    if (CommentArea* area = activeComment()) {
        if (clipboard_->copyComment(*area, true)) {
            active_ = nullptr;
            host_.rerender();
        }
        return;
    }
    if (clipboard_->copyCells(selection(), true))
        host_.rerender();
}

void MapEditor::copy() {
    keepInside();
    if (!clipboard_ || geometry().empty())
        return;
    if (CommentArea* area = activeComment()) {
        clipboard_->copyComment(*area, false);
        return;
    }
    clipboard_->copyCells(selection(), false);
}

void MapEditor::paste() {
    keepInside();
    const ViewGeometry g = geometry();
    if (!clipboard_ || g.empty())
        return;
    if (clipboard_->holdsComment()) {
        if (CommentArea* area = clipboard_->pasteComment(origin_.column, origin_.row)) {
            if (CommentArea* old = activeComment())
                old->clearDragPart();
            // Marked like an area taken by a press, so that it shows which area the keys now act on.
            area->select();
            active_ = area;
            host_.rerender();
        }
        return;
    }
    int width = 0, height = 0;
    if (clipboard_->pasteCells(base_.column, base_.row, width, height)) {
        if (width > 0 && height > 0)
            current_ = clampToMap(g, {base_.column + width - 1, base_.row + height - 1});
        host_.rerender();
    }
}

void MapEditor::erase() {
    keepInside();
    if (geometry().empty())
        return;
    if (CommentArea* area = activeComment()) {
        active_ = nullptr;
        document_.deleteComment(area);
        host_.rerender();
        return;
    }
    if (selected())
        document_.clearRect(selection(), true);
    else
        document_.clearRect({0, 0, -1, -1}, true);
    collapseTo(base_);
    host_.rerender();
}

void MapEditor::escape() {
    keepInside();
    collapseTo(base_);
    deactivateComment();
    host_.repaint();
}

void MapEditor::moveBase(int dx, int dy, bool repeating) {
    keepInside();
    const ViewGeometry g = geometry();
    if (g.empty())
        return;
    if (CommentArea* area = activeComment()) {
        if (document_.moveComment(*area, dx, dy, !repeating))
            host_.rerender();
        return;
    }
    const CellPoint next{base_.column + dx, base_.row + dy};
    if (visibleAt(g, origin_, base_)) {
        if (!insideMap(g, next))
            return;
        collapseTo(next);
        if (!visibleAt(g, origin_, next))
            host_.requestScroll(scrollFor(dx, dy));
        host_.repaint();
        return;
    }
    collapseTo(clampToMap(g, next));
    centreOn(base_.column, base_.row);
}

void MapEditor::moveCurrent(int dx, int dy) {
    keepInside();
    const ViewGeometry g = geometry();
    if (g.empty())
        return;
    const CellPoint next{current_.column + dx, current_.row + dy};
    if (!visibleAt(g, origin_, current_)) {
        current_ = clampToMap(g, next);
        centreOn(current_.column, current_.row);
        return;
    }
    if (!insideMap(g, next))
        return;
    current_ = next;
    if (!visibleAt(g, origin_, next))
        host_.requestScroll(scrollFor(dx, dy));
    host_.repaint();
}

bool MapEditor::keyEdit(int target, bool edge) {
    keepInside();
    const ViewGeometry g = geometry();
    if (g.empty())
        return true;
    const std::uint8_t value = target == layer::room         ? room_
                               : target == layer::background ? background_
                                                             : wall_;
    bool first = true;
    bool changed = false;
    if (!selected()) {
        int column = base_.column, row = base_.row;
        if (edge && target == layer::horizontalWall)
            row = row + 1 < g.height ? row + 1 : 0;
        if (edge && target == layer::verticalWall)
            column = column + 1 < g.width ? column + 1 : 0;
        changed = document_.setCell(column, row, target, value, first);
    } else {
        CellRect rect = selection();
        if (target == layer::horizontalWall)
            rect = extendedFor(rect, kind::horizontal);
        else if (target == layer::verticalWall)
            rect = extendedFor(rect, kind::vertical);
        changed = document_.fillRect(rect, target, value, first, edge);
    }
    if (!visibleAt(g, origin_, base_))
        centreOn(base_.column, base_.row);
    else if (changed)
        host_.rerender();
    return true;
}

bool MapEditor::letterKey(int key) {
    switch (key) {
    case 'W':
        return keyEdit(layer::horizontalWall, false);
    case 'Z':
        return keyEdit(layer::horizontalWall, true);
    case 'A':
        return keyEdit(layer::verticalWall, false);
    case 'S':
        return keyEdit(layer::verticalWall, true);
    case 'X':
        return keyEdit(layer::room, false);
    case 'C':
        return keyEdit(layer::background, false);
    default:
        return false;
    }
}

} // namespace tav
