#include "win/view/map_view.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "model/app/map_file_name.h"
#include "model/view/comment_placements.h"
#include "model/view/map_editor.h"
#include "model/view/map_layout.h"
#include "model/view/view_damage.h"
#include "resource.h"
#include "win/app/dialog.h"
#include "win/comments/comment_drawing.h"
#include "win/comments/comment_format_dialog.h"
#include "win/document/clipboard.h"
#include "win/marks/room_mark_images.h"
#include "win/platform/dib_image.h"
#include "win/platform/handles.h"
#include "win/platform/text.h"
#include "win/view/ahead_images.h"
#include "win/view/drawing_resource_cache.h"
#include "win/view/map_rendering.h"

namespace tav::win {

namespace {
constexpr wchar_t className[] = L"TavrosinMapView";
constexpr int side = map_view::imageSide;
constexpr COLORREF emptyColour = RGB(200, 200, 200);
// Draws the images kept for nearby origins while no input waits; apart from the editor's timers.
constexpr UINT_PTR aheadTimer = 4200;
constexpr double aheadBudgetMs = 8.0;
// What must not wait for drawing ahead: everything but timers.
constexpr UINT aheadYieldsTo = QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_PAINT | QS_HOTKEY;

// The view's keys: looked up by its accelerator table and, for key messages that reach the view without
// one, by its own key handling.
constexpr ACCEL viewKeys[] = {
    {FVIRTKEY | FCONTROL, 'Z', view_command::undo},
    {FVIRTKEY | FCONTROL, 'Y', view_command::redo},
    {FVIRTKEY | FCONTROL, 'X', view_command::cut},
    {FVIRTKEY | FCONTROL, 'C', view_command::copy},
    {FVIRTKEY | FCONTROL, 'V', view_command::paste},
    {FVIRTKEY, VK_DELETE, view_command::erase},
    {FVIRTKEY, VK_ESCAPE, view_command::escape},
    {FVIRTKEY | FSHIFT, VK_ESCAPE, view_command::escape},
    {FVIRTKEY, VK_UP, view_command::up},
    {FVIRTKEY, VK_DOWN, view_command::down},
    {FVIRTKEY, VK_LEFT, view_command::left},
    {FVIRTKEY, VK_RIGHT, view_command::right},
    {FVIRTKEY | FSHIFT, VK_UP, view_command::extendUp},
    {FVIRTKEY | FSHIFT, VK_DOWN, view_command::extendDown},
    {FVIRTKEY | FSHIFT, VK_LEFT, view_command::extendLeft},
    {FVIRTKEY | FSHIFT, VK_RIGHT, view_command::extendRight},
    {FVIRTKEY, VK_PRIOR, view_command::pageUp},
    {FVIRTKEY, VK_NEXT, view_command::pageDown},
    {FVIRTKEY, VK_HOME, view_command::home},
    {FVIRTKEY, VK_END, view_command::end},
};

int commandForKey(WPARAM key, bool ctrl, bool shift) {
    for (const ACCEL& a : viewKeys) {
        if (a.key == key && ((a.fVirt & FCONTROL) != 0) == ctrl && ((a.fVirt & FSHIFT) != 0) == shift)
            return a.cmd;
    }
    return 0;
}

// The key of a command that means text editing inside the in-place editor; 0 for the others.
UINT editorKeyOf(int id) {
    switch (id) {
    case view_command::erase:
        return VK_DELETE;
    case view_command::up:
    case view_command::extendUp:
        return VK_UP;
    case view_command::down:
    case view_command::extendDown:
        return VK_DOWN;
    case view_command::left:
    case view_command::extendLeft:
        return VK_LEFT;
    case view_command::right:
    case view_command::extendRight:
        return VK_RIGHT;
    case view_command::home:
        return VK_HOME;
    case view_command::end:
        return VK_END;
    case view_command::pageUp:
        return VK_PRIOR;
    case view_command::pageDown:
        return VK_NEXT;
    default:
        return 0;
    }
}

bool keyHeld(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

std::wstring withCrLf(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r'))
            out += L'\r';
        out += text[i];
    }
    return out;
}

LRESULT CALLBACK viewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The in-place editor keeps every key from the dialog manager and hands Esc to the view, whatever message
// loop runs.
LRESULT CALLBACK editorProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data) {
    switch (message) {
    case WM_GETDLGCODE:
        return DefSubclassProc(edit, message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            reinterpret_cast<MapView*>(data)->onCommand(view_command::escape);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == 0x1B)
            return 0;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, editorProcedure, 1);
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

// What a drawing changed in the map image: all of it, or these parts.
struct ImageChange {
    bool everything = false;
    std::vector<PixelRect> parts;
    static ImageChange whole() {
        ImageChange change;
        change.everything = true;
        return change;
    }
};

// What a paint draws over the map image: the selection, marker and hover inversions and the feedback of
// the comment area worked on.
struct Overlays {
    std::vector<PixelRect> inversions[3];
    CommentFeedbackLook feedback;
};

bool registerClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(moduleInstance(), className, &wc))
        return true;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = viewProcedure;
    wc.hInstance = moduleInstance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}
} // namespace

struct MapView::State : EditorHost, EditorClipboard {
    MapView& view;
    MapDocument& document;
    DrawingResourceCache& cache;
    MapClipboard& clipboard;
    Prompter& prompter;
    RoomMarkImages rooms;
    CommentFontCache fonts;
    DibImage mapImage;
    DibImage composite;
    MapEditor editor;
    HWND window = nullptr;
    HWND edit = nullptr;            // the in-place editor
    CommentArea* editing = nullptr; // the area whose text it holds
    Menu popup;
    HACCEL keys = nullptr;
    RECT hole{};
    bool hasHole = false;
    bool tracking = false;
    bool clipped = false;
    // Pointer confinement waits for the first move of a drag: under some display servers it costs a
    // round trip, which a plain click need not pay.
    bool confinePending = false;
    bool keyRepeating = false;
    PopupHook popupHook;
    // What the map image shows: drawing only what changed needs the layout it was drawn with.
    bool imageKept = false;
    ViewLayout shown;
    CommentPlacements placements;
    int wholeDrawings = 0;
    // Images of the origins a scroll likely reaches next, and the step of the last scroll.
    AheadImages ahead;
    CellPoint lastStep;
    int scrollsDrawnAhead = 0;
    bool aheadTimerSet = false;
    // What the window shows over the map image: a paint draws only where the image or these changed.
    Overlays painted;

    State(MapView& v, MapDocument& d, DrawingResourceCache& c, MapClipboard& cb, Prompter& p)
        : view(v), document(d), cache(c), clipboard(cb), prompter(p), editor(d, *this, this) {
        editor.usePlacements(&placements);
    }

    HWND owner() const { return window ? GetParent(window) : nullptr; }

    // ---- EditorHost ----
    void rerender() override { view.refresh(); }
    void repaint() override { present({}); }
    void requestScroll(int request) override {
        if (HWND parent = owner())
            SendMessageW(parent, view_message::scroll, 0, request);
    }
    void originChanged(CellPoint origin) override {
        if (HWND parent = owner())
            SendMessageW(parent, view_message::scroll,
                         (static_cast<WPARAM>(origin.row & 0xFFFF) << 16) |
                             static_cast<WPARAM>(origin.column & 0xFFFF),
                         view_input::scroll::originSet);
    }
    void diagonalScroll(int buttonId) override {
        if (HWND parent = owner())
            SendMessageW(parent, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(parent, buttonId)));
    }
    void startTimer(int id, int period) override {
        if (window)
            SetTimer(window, static_cast<UINT_PTR>(id), static_cast<UINT>(period), nullptr);
    }
    void stopTimer(int id) override {
        if (window)
            KillTimer(window, static_cast<UINT_PTR>(id));
    }
    bool ownerAlive() const override {
        HWND parent = owner();
        return parent && IsWindow(parent);
    }

    // ---- EditorClipboard ----
    bool copyCells(CellRect rect, bool cut) override { return clipboard.copyCells(rect, cut); }
    bool pasteCells(int column, int row, int& width, int& height) override {
        return clipboard.pasteCells(column, row, width, height);
    }
    bool copyComment(const CommentArea& area, bool cut) override { return clipboard.copyComment(area, cut); }
    CommentArea* pasteComment(int column, int row) override { return clipboard.pasteComment(column, row); }
    bool holdsComment() const override {
        return clipboard.isFormatAvailable(MapClipboard::commentFormatIndex);
    }

    // ---- drawing ----
    ViewLayout currentLayout() const {
        const CellPoint origin = editor.origin();
        return viewLayout(document.width(), document.height(), document.isWide(), origin.column, origin.row);
    }

    // Draws all of the map image; the whole window must be painted again. The images kept ahead stay only
    // when the caller applied the document's changes to them.
    ImageChange renderMap(bool keepAhead = false) {
        HDC dc = mapImage.dc();
        imageKept = false;
        if (!keepAhead)
            ahead.forget();
        document.damage().clear();
        placements.clear();
        if (!dc)
            return ImageChange::whole();
        editor.mapChanged();
        if (document.width() <= 0 || document.height() <= 0) {
            RECT all{0, 0, side, side};
            if (HBRUSH brush = cache.solidBrush(emptyColour))
                FillRect(dc, &all, brush);
            return ImageChange::whole();
        }
        const ViewLayout l = currentLayout();
        drawView(dc, document, l.firstColumn, l.firstRow, MapDrawingTools{cache, rooms, fonts});
        ++wholeDrawings;
        document.setNewCommentRect(l.visibleMapRect());
        placements.rebuild(document.comments());
        lastStep = keepAhead ? CellPoint{l.firstColumn - shown.firstColumn, l.firstRow - shown.firstRow}
                             : CellPoint{};
        shown = l;
        imageKept = true;
        aimAhead();
        return ImageChange::whole();
    }

    void aimAhead() {
        ahead.aim(document, {shown.firstColumn, shown.firstRow}, lastStep);
        if (window && !aheadTimerSet && ahead.due())
            aheadTimerSet = SetTimer(window, aheadTimer, USER_TIMER_MINIMUM, nullptr) != 0;
    }

    // One part of an image kept ahead; false when none is due or the shown image must be brought up to
    // date first.
    bool drawAheadPart() {
        if (!imageKept || !document.damage().empty())
            return false;
        return ahead.drawNext(document, MapDrawingTools{cache, rooms, fonts}, placements, mapImage);
    }

    // Timer: steps of the images kept ahead until a message waits or the time is up. A hidden view cannot
    // scroll; its next drawing sets the timer again.
    void drawAheadWhileIdle() {
        LARGE_INTEGER frequency, start, now;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        do {
            if (HIWORD(GetQueueStatus(aheadYieldsTo)) != 0)
                return;
            if (!IsWindowVisible(window) || !drawAheadPart()) {
                KillTimer(window, aheadTimer);
                aheadTimerSet = false;
                return;
            }
            QueryPerformanceCounter(&now);
        } while (double(now.QuadPart - start.QuadPart) * 1000.0 < aheadBudgetMs * double(frequency.QuadPart));
    }

    // List positions of the comment areas a partial drawing must look at: those that may show in the parts
    // drawn or changed, and the active one; after a change of the list also those in view before and now,
    // which must learn where they show. A scroll does not re-place the areas it does not draw: an area
    // learns where it shows when the editor takes it.
    std::vector<int> areasToPlace(const ViewLayout& l, const std::vector<PixelRect>& parts, bool everyShown) {
        const MapDamage& damage = document.damage();
        const CommentList& list = document.comments();
        if (damage.commentListChanged() || !placements.update(list, damage.changedAreas())) {
            placements.rebuild(list);
            everyShown = true;
        }
        const int dx = l.firstColumn * l.pitch - map_view::gridOrigin;
        const int dy = l.firstRow * l.pitch - map_view::gridOrigin;
        std::vector<PixelRect> query = damage.pixels();
        for (const PixelRect& part : parts)
            query.push_back(part.offset(dx, dy));
        if (everyShown) {
            query.push_back(shown.visibleMapRect());
            query.push_back(l.visibleMapRect());
        }
        std::vector<int> areas = placements.meeting(query);
        if (const int active = document.indexOfComment(editor.activeComment()); active >= 0) {
            const auto at = std::lower_bound(areas.begin(), areas.end(), active);
            if (at == areas.end() || *at != active)
                areas.insert(at, active);
        }
        return areas;
    }

    // Draws again only what changed since the last drawing: what the document noted and, after a scroll,
    // what came into view, the rest of the image moved along. Everything when the map, its size or the
    // mode changed.
    ImageChange renderChanges() {
        HDC dc = mapImage.dc();
        if (!dc || !imageKept || document.damage().everything() || document.width() <= 0 ||
            document.height() <= 0)
            return renderMap();
        editor.mapChanged();
        const ViewLayout l = currentLayout();
        const int reach = viewCellReach(document.isWide());
        ImageChange change;
        std::vector<PixelRect> parts;
        const bool sameShape =
            l.pitch == shown.pitch && l.mapWidth == shown.mapWidth && l.mapHeight == shown.mapHeight;
        const CellPoint origin{l.firstColumn, l.firstRow};
        if (!sameShape || l.firstColumn != shown.firstColumn || l.firstRow != shown.firstRow) {
            if (sameShape && ahead.takeReady(origin, mapImage, {shown.firstColumn, shown.firstRow})) {
                dc = mapImage.dc();
                ++scrollsDrawnAhead;
            } else {
                ScrollReuse reuse = scrollReuse(shown, l, reach);
                if (!reuse.possible) {
                    if (sameShape)
                        ahead.damage(document.damage());
                    return renderMap(sameShape);
                }
                BitBlt(dc, reuse.dx, reuse.dy, side, side, dc, 0, 0, SRCCOPY);
                parts = std::move(reuse.redraw);
            }
            lastStep = {origin.column - shown.firstColumn, origin.row - shown.firstRow};
            change.everything = true; // for the window: all of it moved
        }
        ahead.damage(document.damage());
        const std::vector<PixelRect> damaged = damagedImageRects(document.damage(), l, reach);
        parts.insert(parts.end(), damaged.begin(), damaged.end());
        const std::vector<int> areas = areasToPlace(l, parts, false);
        if (!drawViewParts(dc, document, l.firstColumn, l.firstRow, MapDrawingTools{cache, rooms, fonts},
                           parts, areas))
            return renderMap();
        document.damage().clear();
        document.setNewCommentRect(l.visibleMapRect());
        shown = l;
        aimAhead();
        if (!change.everything)
            change.parts = std::move(parts);
        return change;
    }

    // Brings the window up to the map image and its overlays at once, through the window's own context:
    // on some systems a paint message costs many times the drawing. Only the parts that changed are copied.
    void showImageChange(const ImageChange& change) {
        std::vector<PixelRect> rects;
        if (change.everything)
            rects.push_back({0, 0, side, side});
        else
            rects = change.parts;
        present(std::move(rects));
    }

    void present(std::vector<PixelRect> rects) {
        if (!window)
            return;
        Overlays due = currentOverlays();
        addOverlayChanges(due, rects);
        if (rects.empty())
            return;
        HDC dc = IsWindowVisible(window) && mapImage.dc() && composite.dc() ? GetDC(window) : nullptr;
        if (!dc) {
            // Painted when it shows.
            for (const PixelRect& r : rects)
                invalidate(r);
            return;
        }
        // Many small pieces cost more one by one than the rectangle around them.
        if (rects.size() > 16) {
            PixelRect around;
            for (const PixelRect& r : rects)
                around = around.united(r);
            rects.assign(1, around);
        }
        if (hasHole)
            ExcludeClipRect(dc, hole.left, hole.top, hole.right, hole.bottom);
        for (const PixelRect& part : rects) {
            const RECT r{std::max(part.left, 0), std::max(part.top, 0), std::min(part.right, side),
                         std::min(part.bottom, side)};
            if (r.right <= r.left || r.bottom <= r.top)
                continue;
            compose(composite.dc(), due, r);
            BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, composite.dc(), r.left, r.top,
                   SRCCOPY);
        }
        ReleaseDC(window, dc);
        painted = std::move(due);
    }

    void invalidate(const PixelRect& r) {
        if (window && !r.empty()) {
            const RECT rect{r.left, r.top, r.right, r.bottom};
            InvalidateRect(window, &rect, FALSE);
        }
    }

    Overlays currentOverlays() const {
        Overlays o;
        const ViewGeometry g = editor.geometry();
        if (g.empty())
            return o;
        const CellPoint origin = editor.origin();
        o.inversions[0] = selectionInversion(g, origin, editor.base(), editor.current());
        o.inversions[1] = markerInversion(g, origin, editor.base(), editor.markerStyle());
        o.inversions[2] = hoverInversion(g, editor.hover());
        if (const CommentArea* active = editor.activeComment();
            active && active->dragPart() != comment::part::none)
            o.feedback = commentFeedbackLook(*active);
        return o;
    }

    // The places where the overlays shown and the overlays due differ.
    void addOverlayChanges(const Overlays& due, std::vector<PixelRect>& rects) const {
        for (std::size_t i = 0; i < std::size(due.inversions); ++i) {
            if (due.inversions[i] == painted.inversions[i])
                continue;
            rects.insert(rects.end(), painted.inversions[i].begin(), painted.inversions[i].end());
            rects.insert(rects.end(), due.inversions[i].begin(), due.inversions[i].end());
        }
        if (!(due.feedback == painted.feedback)) {
            rects.push_back(painted.feedback.bounds);
            rects.push_back(due.feedback.bounds);
        }
        std::erase_if(rects, [](const PixelRect& r) { return r.empty(); });
    }

    static void invert(HDC dc, const std::vector<PixelRect>& rects) {
        for (const PixelRect& r : rects)
            if (!r.empty())
                PatBlt(dc, r.left, r.top, r.width(), r.height(), DSTINVERT);
    }

    // The map image with the overlays over it, inside the area given.
    void compose(HDC target, const Overlays& overlays, const RECT& area) {
        if (!mapImage.dc() || !target)
            return;
        const int saved = SaveDC(target);
        IntersectClipRect(target, area.left, area.top, area.right, area.bottom);
        BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, mapImage.dc(),
               area.left, area.top, SRCCOPY);
        composeOverlays(target, overlays, {area.left, area.top, area.right, area.bottom});
        RestoreDC(target, saved);
    }

    void composeOverlays(HDC target, const Overlays& overlays, const PixelRect& area) {
        const ViewGeometry g = editor.geometry();
        if (g.empty())
            return;
        const int right = geometry::rulerMargin + g.pixelWidth();
        const int bottom = geometry::rulerMargin + g.pixelHeight();
        CommentArea* active = editor.activeComment();
        if (active && active->dragPart() != comment::part::none) {
            const int saved = SaveDC(target);
            IntersectClipRect(target, geometry::rulerMargin + 1, geometry::rulerMargin + 1, right, bottom);
            drawCommentFeedback(target, *active, cache);
            RestoreDC(target, saved);
        }
        const CellPoint origin = editor.origin();
        const auto& inversions = overlays.inversions;
        // Only the areas over an inversion are cut out: with thousands of areas in view, cutting out every
        // one would make the clip region itself cost more than the whole paint.
        const PixelRect seen{std::max(geometry::rulerMargin, area.left),
                             std::max(geometry::rulerMargin, area.top), std::min(right + 1, area.right),
                             std::min(bottom + 1, area.bottom)};
        const int dx = geometry::rulerMargin - origin.column * g.pitch;
        const int dy = geometry::rulerMargin - origin.row * g.pitch;
        std::vector<PixelRect> inverted;
        for (const auto& rects : inversions)
            for (const PixelRect& i : rects)
                if (i.intersects(seen))
                    inverted.push_back(i.offset(-dx, -dy));
        if (!inverted.empty()) {
            const std::vector<PixelRect>& frames = placements.frames();
            for (int index : placements.meeting(inverted)) {
                const PixelRect r = frames[static_cast<std::size_t>(index)].offset(dx, dy);
                if (r.intersects(seen) &&
                    std::any_of(inverted.begin(), inverted.end(),
                                [&](const PixelRect& i) { return i.offset(dx, dy).intersects(r); }))
                    ExcludeClipRect(target, r.left, r.top, r.right, r.bottom);
            }
        }
        for (const auto& rects : inversions)
            invert(target, rects);
    }

    void paint() {
        // Overlays that changed since they were last shown are painted too: what lies outside the paint
        // would show them as they were.
        Overlays due = currentOverlays();
        std::vector<PixelRect> changed;
        addOverlayChanges(due, changed);
        for (const PixelRect& r : changed)
            invalidate(r);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        if (dc && mapImage.dc() && composite.dc()) {
            const RECT& area = ps.rcPaint;
            compose(composite.dc(), due, area);
            if (hasHole)
                ExcludeClipRect(dc, hole.left, hole.top, hole.right, hole.bottom);
            BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, composite.dc(),
                   area.left, area.top, SRCCOPY);
            painted = std::move(due);
        }
        EndPaint(window, &ps);
    }

    // ---- mouse ----
    void captureForDrag() {
        if (!window)
            return;
        SetCapture(window);
        confinePending = true;
    }
    // Confines the pointer to the map, and brings a point the pointer reached before to where the
    // confinement would have held it.
    void confineCursor(int& x, int& y) {
        confinePending = false;
        if (!window)
            return;
        const PixelRect c = cursorConfinement(editor.geometry());
        x = std::clamp(x, c.left, std::max(c.left, c.right - 1));
        y = std::clamp(y, c.top, std::max(c.top, c.bottom - 1));
        RECT w{};
        GetWindowRect(window, &w);
        RECT clip{w.left + c.left, w.top + c.top, w.left + c.right, w.top + c.bottom};
        ClipCursor(&clip);
        clipped = true;
    }
    void release() {
        confinePending = false;
        if (clipped) {
            ClipCursor(nullptr);
            clipped = false;
        }
        if (window && GetCapture() == window)
            ReleaseCapture();
    }

    void startInPlaceEditing() {
        CommentArea* area = editor.activeComment();
        if (!area || !edit)
            return;
        editing = area;
        SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.fontFor(*area)), FALSE);
        SetWindowTextW(edit, withCrLf(widen(area->text())).c_str());
        const PixelRect r = area->textRect().inflated(-3, -3);
        MoveWindow(edit, r.left, r.top, std::max(r.width(), 8), std::max(r.height(), 8), FALSE);
        ShowWindow(edit, SW_SHOW);
        SetFocus(edit);
        SendMessageW(edit, EM_SETSEL, 0, -1);
    }

    // True when text was stored.
    bool finishEditing() {
        if (!editing || !edit)
            return false;
        CommentArea* area = editing;
        editing = nullptr;
        const int length = GetWindowTextLengthW(edit);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        GetWindowTextW(edit, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(std::max(length, 0)));
        const bool hadFocus = GetFocus() == edit;
        ShowWindow(edit, SW_HIDE);
        if (hadFocus)
            SetFocus(window);
        if (document.indexOfComment(area) >= 0)
            document.setCommentText(*area, narrow(text), true);
        return true;
    }

    void showPopup(PopupMenu which, int x, int y) {
        if (which == PopupMenu::none || !popup)
            return;
        HMENU sub = GetSubMenu(popup.get(), which == PopupMenu::map ? 0 : 1);
        if (!sub)
            return;
        if (which == PopupMenu::map) {
            EnableMenuItem(sub, view_command::undo,
                           MF_BYCOMMAND | (document.canUndo() ? MF_ENABLED : MF_GRAYED));
            EnableMenuItem(sub, view_command::redo,
                           MF_BYCOMMAND | (document.canRedo() ? MF_ENABLED : MF_GRAYED));
        }
        int chosen = 0;
        if (popupHook) {
            chosen = popupHook(sub, which == PopupMenu::map ? 0 : 1);
        } else {
            POINT at{x, y};
            ClientToScreen(window, &at);
            chosen = static_cast<int>(
                TrackPopupMenu(sub, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x,
                               at.y, 0, window, nullptr));
        }
        if (chosen != 0)
            view.onCommand(chosen);
    }

    void dropFiles(HDROP drop) {
        FilePath found;
        const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count && found.empty(); ++i) {
            const UINT length = DragQueryFileW(drop, i, nullptr, 0);
            std::wstring name(length + 1, L'\0');
            DragQueryFileW(drop, i, name.data(), length + 1);
            name.resize(length);
            if (FilePath path = pathOf(name); map_file_name::isMapFile(path))
                found = std::move(path);
        }
        DragFinish(drop);
        if (found.empty())
            return;
        if (HWND parent = owner())
            SendMessageW(parent, view_message::openDropped, reinterpret_cast<WPARAM>(&found), 0);
    }

    void destroyed() {
        stopTimer(view_input::selectionTimer);
        stopTimer(view_input::commentTimer);
        release();
        mapImage.reset();
        composite.reset();
        popup.reset();
        if (keys) {
            DestroyAcceleratorTable(keys);
            keys = nullptr;
        }
        editing = nullptr;
        edit = nullptr;
        window = nullptr;
        view.window_ = nullptr; // destroyed with its parent: the handle may be reused
    }

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
};

LRESULT MapView::State::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN: {
        view.finishInPlaceEditing();
        if (editor.leftPress(x, y, (wParam & MK_CONTROL) != 0, (wParam & MK_SHIFT) != 0))
            captureForDrag();
        SetFocus(window);
        return 0;
    }
    case WM_LBUTTONDBLCLK: {
        view.finishInPlaceEditing();
        const bool editText = editor.doubleClick(x, y, (wParam & MK_CONTROL) != 0, (wParam & MK_SHIFT) != 0);
        if (editText) {
            startInPlaceEditing();
        } else {
            if (editor.dragging())
                captureForDrag();
            SetFocus(window);
        }
        return 0;
    }
    case WM_LBUTTONUP:
        editor.leftRelease();
        release();
        return 0;
    case WM_RBUTTONUP: {
        SetFocus(window);
        view.finishInPlaceEditing();
        const PopupMenu which = editor.rightRelease(x, y);
        if (!editor.dragging())
            release();
        if (window)
            UpdateWindow(window);
        showPopup(which, x, y);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (!tracking) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
            tracking = TrackMouseEvent(&track) != FALSE;
        }
        // A drag follows the held button only: a move without it (the pointer pulled into the confinement
        // from elsewhere, say) would otherwise carry the area or the selection away.
        if (editor.dragging() && (wParam & MK_LBUTTON) == 0)
            return 0;
        if (editor.dragging() && confinePending) {
            int cx = x, cy = y;
            confineCursor(cx, cy);
            editor.mouseMove(cx, cy);
            return 0;
        }
        editor.mouseMove(x, y);
        return 0;
    case WM_MOUSELEAVE:
        tracking = false;
        editor.mouseLeave();
        repaint();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != window)
            confinePending = false;
        if (reinterpret_cast<HWND>(lParam) != window && editor.dragging()) {
            editor.leftRelease();
            if (clipped) {
                ClipCursor(nullptr);
                clipped = false;
            }
        }
        return 0;
    case WM_TIMER:
        if (wParam == aheadTimer) {
            drawAheadWhileIdle();
            return 0;
        }
        editor.timerTick(static_cast<int>(wParam));
        return 0;
    case WM_SETFOCUS:
        if (HWND parent = owner())
            SendMessageW(parent, view_message::focus, 1, 0);
        return 0;
    case WM_KILLFOCUS:
        if (HWND parent = owner())
            SendMessageW(parent, view_message::focus, 0, 0);
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == window &&
            editor.commentCursor() != CommentCursor::none) {
            if (HCURSOR cursor = loadCommentCursor(editor.commentCursor())) {
                SetCursor(cursor);
                return TRUE;
            }
        }
        break;
    case WM_DROPFILES:
        dropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_KEYDOWN: {
        keyRepeating = (lParam & (1 << 30)) != 0;
        const bool ctrl = keyHeld(VK_CONTROL), shift = keyHeld(VK_SHIFT);
        if (const int id = commandForKey(wParam, ctrl, shift)) {
            view.onCommand(id);
            return 0;
        }
        if (!ctrl && !keyHeld(VK_MENU) && editor.letterKey(static_cast<int>(wParam)))
            return 0;
        break;
    }
    case WM_KEYUP:
        keyRepeating = false;
        break;
    case WM_COMMAND:
        if (edit && reinterpret_cast<HWND>(lParam) == edit)
            return 0;
        view.onCommand(LOWORD(wParam));
        return 0;
    case WM_DESTROY:
        destroyed();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

namespace {
LRESULT CALLBACK viewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* state = reinterpret_cast<MapView::State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY)
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (!state || !state->window)
        return DefWindowProcW(window, message, wParam, lParam);
    return state->handle(message, wParam, lParam);
}
} // namespace

MapView::MapView(MapDocument& document, DrawingResourceCache& cache, MapClipboard& clipboard,
                 Prompter& prompter)
    : state_(std::make_unique<State>(*this, document, cache, clipboard, prompter)) {}

MapView::~MapView() {
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
}

bool MapView::create(HWND parent, int controlId, const RECT& place) {
    if (window_ || !registerClass())
        return false;
    State& s = *state_;
    if (!s.mapImage.make(side, side) || !s.composite.make(side, side)) {
        s.mapImage.reset();
        s.composite.reset();
        return false;
    }
    HWND placeholder = parent ? GetDlgItem(parent, controlId) : nullptr;
    HWND window = CreateWindowExW(
        WS_EX_ACCEPTFILES, className, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN, place.left,
        place.top, place.right - place.left, place.bottom - place.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), moduleInstance(), state_.get());
    if (!window) {
        s.mapImage.reset();
        s.composite.reset();
        return false;
    }
    window_ = window;
    s.window = window;
    if (placeholder && placeholder != window) {
        SetWindowPos(window, placeholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        DestroyWindow(placeholder);
    }
    // No scroll bar: it would take much of a small area's width from the text, which wraps there as drawn.
    s.edit = CreateWindowExW(0, L"EDIT", L"",
                             WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL, 0, 0,
                             10, 10, window, nullptr, moduleInstance(), nullptr);
    if (s.edit)
        SetWindowSubclass(s.edit, editorProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
    s.popup.reset(LoadMenuW(moduleInstance(), MAKEINTRESOURCEW(IDR_VIEWMENU)));
    s.keys = CreateAcceleratorTableW(const_cast<ACCEL*>(viewKeys), static_cast<int>(std::size(viewKeys)));
    DragAcceptFiles(window, TRUE);
    s.rooms.rebuild(s.document.palette());
    rerender();
    return true;
}

bool MapView::translateAccelerator(MSG& message) {
    State& s = *state_;
    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN)
        s.keyRepeating = (message.lParam & (1 << 30)) != 0;
    else if (message.message == WM_KEYUP || message.message == WM_SYSKEYUP)
        s.keyRepeating = false;
    if (!window_ || !s.keys)
        return false;
    if (message.hwnd == window_)
        return TranslateAcceleratorW(window_, s.keys, &message) != 0;
    if (s.edit && message.hwnd == s.edit && message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
        onCommand(view_command::escape);
        return true;
    }
    return false;
}

bool MapView::onCommand(int id) {
    State& s = *state_;
    if (!view_command::isViewCommand(id))
        return false;
    if (s.keyRepeating && view_command::ignoredWhileRepeating(id))
        return true;
    // While a comment's text is typed, Delete and the movement keys that reach the view through an
    // accelerator table belong to the text.
    if (s.editing && s.edit && GetFocus() == s.edit) {
        if (const UINT key = editorKeyOf(id)) {
            SendMessageW(s.edit, WM_KEYDOWN, key, 1);
            return true;
        }
    }
    finishInPlaceEditing();
    if (id == view_command::format) {
        CommentArea* area = s.editor.activeComment();
        if (area &&
            editCommentFormat(s.document, *area, window_ ? GetAncestor(window_, GA_ROOT) : nullptr, s.cache))
            rerender();
        return true;
    }
    s.editor.command(id, s.keyRepeating);
    return true;
}

void MapView::setScrollOrigin(int column, int row, bool centre, bool redraw) {
    state_->editor.setScrollOrigin(column, row, centre, redraw);
}

int MapView::scrollColumn() const {
    return state_->editor.origin().column;
}

int MapView::scrollRow() const {
    return state_->editor.origin().row;
}

void MapView::centreOn(int column, int row) {
    state_->editor.centreOn(column, row);
}

void MapView::rerender() {
    State& s = *state_;
    s.finishEditing();
    s.showImageChange(s.renderMap());
}

void MapView::refresh() {
    State& s = *state_;
    s.finishEditing();
    s.showImageChange(s.renderChanges());
}

void MapView::setMarkerStyle(int style) {
    state_->editor.setMarkerStyle(style);
}

void MapView::setCurrentWallMark(std::uint8_t mark) {
    state_->editor.setWallMark(mark);
}

void MapView::setCurrentRoomMark(std::uint8_t mark) {
    state_->editor.setRoomMark(mark);
}

void MapView::setCurrentBackground(std::uint8_t background) {
    state_->editor.setBackground(background);
}

void MapView::paletteChanged() {
    state_->rooms.rebuild(state_->document.palette());
    rerender();
}

void MapView::cutCornerHole(const RECT& hole) {
    State& s = *state_;
    s.hole = hole;
    s.hasHole = true;
    if (!window_)
        return;
    HRGN whole = CreateRectRgn(0, 0, side, side);
    HRGN cut = CreateRectRgnIndirect(&hole);
    if (whole && cut && CombineRgn(whole, whole, cut, RGN_XOR) != ERROR && SetWindowRgn(window_, whole, TRUE))
        whole = nullptr; // the window owns it now
    if (whole)
        DeleteObject(whole);
    if (cut)
        DeleteObject(cut);
}

void MapView::finishInPlaceEditing() {
    State& s = *state_;
    if (s.finishEditing())
        s.showImageChange(s.renderChanges());
}

POINT MapView::basePoint() const {
    const CellPoint p = state_->editor.base();
    return {p.column, p.row};
}

POINT MapView::currentPoint() const {
    const CellPoint p = state_->editor.current();
    return {p.column, p.row};
}

void MapView::paintInto(HDC target) {
    State& s = *state_;
    s.compose(target, s.currentOverlays(), RECT{0, 0, side, side});
}

int MapView::scrollsDrawnAhead() const {
    return state_->scrollsDrawnAhead;
}

bool MapView::drawAheadPart() {
    return state_->drawAheadPart();
}

HDC MapView::mapImageDc() const {
    return state_->mapImage.dc();
}

int MapView::wholeDrawings() const {
    return state_->wholeDrawings;
}

void MapView::setPopupHook(PopupHook hook) {
    state_->popupHook = std::move(hook);
}

HWND MapView::inPlaceEditor() const {
    return state_->edit;
}

bool MapView::editingInPlace() const {
    return state_->editing != nullptr;
}

MapEditor& MapView::editor() {
    return state_->editor;
}

} // namespace tav::win
