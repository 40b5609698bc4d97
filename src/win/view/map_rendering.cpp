#include "win/view/map_rendering.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "model/comments/comment_cover.h"
#include "model/document/map_document.h"
#include "model/view/map_layout.h"
#include "win/comments/comment_drawing.h"
#include "win/marks/mark_drawing.h"
#include "win/marks/room_mark_images.h"
#include "win/marks/wall_mark_sprites.h"
#include "win/platform/handles.h"
#include "win/platform/text.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {

namespace {

constexpr COLORREF creamColour = RGB(255, 251, 241);
constexpr COLORREF greyColour = RGB(200, 200, 200); // beyond a small map, and the inner grid
constexpr COLORREF cornerColour = RGB(16, 16, 16);
constexpr COLORREF borderColour = RGB(96, 96, 96);
constexpr COLORREF whiteColour = RGB(255, 255, 255);
constexpr int rulerPoints = 8;

// Restores everything the drawing changes in the caller's context (pen, brush, font, modes, clip, brush
// origin) on scope exit.
class SavedDc {
public:
    explicit SavedDc(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDc() {
        if (saved_)
            RestoreDC(dc_, saved_);
    }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

private:
    HDC dc_;
    int saved_;
};

void fill(HDC dc, const PixelRect& r, COLORREF colour, DrawingResourceCache& cache) {
    const RECT rect{r.left, r.top, r.right, r.bottom};
    if (HBRUSH brush = cache.solidBrush(colour))
        FillRect(dc, &rect, brush);
}

void line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

// Grid lines and borders are drawn with the pens of the cache; a missing border pen falls back to black,
// a missing grid pen to what the context holds.
HGDIOBJ borderPen(DrawingResourceCache& cache) {
    HPEN pen = cache.pen(PS_DOT, 1, borderColour);
    return pen ? static_cast<HGDIOBJ>(pen) : GetStockObject(BLACK_PEN);
}

bool meetsAny(const std::vector<PixelRect>& parts, const PixelRect& r) {
    for (const PixelRect& part : parts)
        if (part.intersects(r))
            return true;
    return false;
}

struct CellPass {
    HDC dc;
    const MapDocument& document;
    const MapDrawingTools& tools;
    int scale;
    POINT patternOrigin; // shared by every cell, so patterns run on across grid lines; set once per pass
    int pitch = 0;
    // When set, only what may touch these image rectangles is drawn; reach is how far walls stray.
    const std::vector<PixelRect>* parts = nullptr;
    int reach = 0;
    // Wall marks copied from kept pictures, where that gives the same pixels.
    bool copyWalls = false;

    bool shows(const PixelRect& r) const { return !parts || meetsAny(*parts, r); }
    bool showsInside(PixelPoint at) const { return shows({at.x, at.y, at.x + pitch + 1, at.y + pitch + 1}); }
    bool showsHorizontalWall(PixelPoint at) const {
        return shows({at.x - reach, at.y - reach, at.x + pitch + 1 + reach, at.y + reach + 1});
    }
    bool showsVerticalWall(PixelPoint at) const {
        return shows({at.x - reach, at.y - reach, at.x + reach + 1, at.y + pitch + 1 + reach});
    }
};

void drawWall(const CellPass& pass, PixelPoint at, int slot, WallDirection direction) {
    const MarkPalette& palette = pass.document.palette();
    if (pass.copyWalls)
        copyWallMark(pass.dc, at.x, at.y, palette, slot, pass.scale, direction, pass.tools.cache);
    else
        drawWallMark(pass.dc, at.x, at.y, palette, slot, pass.scale, direction, pass.tools.cache);
}

// Each part of a cell that cannot touch the rectangles being drawn is left out: it would paint nothing
// there.
void drawCell(const CellPass& pass, int column, int row, PixelPoint at) {
    const Cell& cell = pass.document.cell(column, row);
    if (pass.showsInside(at)) {
        fillAlignedCellBackground(pass.dc, at.x, at.y, pass.document.palette().backgrounds, cell.background,
                                  pass.scale, pass.tools.cache);
        drawRoomMark(pass.dc, at.x, at.y, pass.tools.rooms, cell.room, pass.scale, true);
    }
    if (pass.showsHorizontalWall(at))
        drawWall(pass, at, cell.horizontalWall, WallDirection::horizontal);
    if (pass.showsVerticalWall(at))
        drawWall(pass, at, cell.verticalWall, WallDirection::vertical);
}

// Cells row by row, so later cells paint over the parts of earlier walls that reach into them; then the
// walls closing the right and bottom edges, which the map keeps in column 0 and row 0 at its borders.
template <typename Layout> void drawCells(const CellPass& pass, const Layout& l, int endColumn, int endRow) {
    if (pass.document.width() <= 0 || pass.document.height() <= 0)
        return;
    // Nothing the cells draw moves it again.
    alignBrushOrigin(pass.dc, nullptr, pass.patternOrigin.x, pass.patternOrigin.y);
    for (int row = l.firstRow; row < endRow; ++row)
        for (int column = l.firstColumn; column < endColumn; ++column)
            drawCell(pass, column, row, l.cellCorner(column, row));
    for (int row = l.firstRow; row < endRow; ++row) {
        const PixelPoint at = l.cellCorner(endColumn, row);
        if (pass.showsVerticalWall(at))
            drawWall(pass, at, pass.document.cell(l.closingColumn, row).verticalWall,
                     WallDirection::vertical);
    }
    for (int column = l.firstColumn; column < endColumn; ++column) {
        const PixelPoint at = l.cellCorner(column, endRow);
        if (pass.showsHorizontalWall(at))
            drawWall(pass, at, pass.document.cell(column, l.closingRow).horizontalWall,
                     WallDirection::horizontal);
    }
}

Font rulerFont(HDC) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(rulerPoints, 96, 72);
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    const std::wstring face = widen("ＭＳ ゴシック");
    face.copy(lf.lfFaceName, std::size(lf.lfFaceName) - 1);
    return Font(CreateFontIndirectW(&lf));
}

void drawNumber(HDC dc, std::int32_t value, RECT r, UINT format) {
    wchar_t text[16];
    const int length = std::swprintf(text, std::size(text), L"%d", static_cast<int>(value));
    DrawTextW(dc, text, length, &r, format | DT_SINGLELINE | DT_NOPREFIX);
}

void drawRulers(HDC dc, const MapDocument& document, const ViewLayout& l) {
    using namespace map_view;
    SelectObject(dc, GetStockObject(BLACK_PEN));
    Font font = rulerFont(dc);
    SelectObjectScope fontScope(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    const RulerNumbers numbers =
        rulerNumbers(document.getRuler(), document.width(), document.height(), l.firstColumn, l.firstRow);
    const int p = l.pitch;
    for (int k = 0; k <= l.columns; ++k) {
        const int x = gridOrigin + k * p;
        line(dc, x, tickFrom, x, tickTo);
        if (k < l.columns && rulerLabelled(numbers.column(k)))
            drawNumber(dc, numbers.column(k), {x, 0, x + p + 1, columnLabelBottom}, DT_CENTER | DT_BOTTOM);
    }
    for (int k = 0; k <= l.rows; ++k) {
        const int y = gridOrigin + k * p;
        line(dc, tickFrom, y, tickTo, y);
        if (k < l.rows && rulerLabelled(numbers.row(k)))
            drawNumber(dc, numbers.row(k), {0, y, rowLabelRight, y + p}, DT_RIGHT | DT_VCENTER);
    }
}

// Draws the comment areas in list order inside the clip. Every area is told where it shows, which the
// view's hit testing needs, but only the pieces that can show are drawn: on a crowded map most areas lie
// outside the clip or under later opaque ones, and drawing them would cost far more than a frame's time.
// With parts, only what may touch one of them is drawn; with only, just the areas at those list positions
// are looked at.
// How a drawing treats the comment areas: the view's image tells them where they show; an image kept aside
// must not; printing and export draw them in the scale asked for.
enum class AreaUse { place, aside, copies };

void drawComments(HDC dc, const CommentList& comments, const PixelRect& clip, const PixelRect& visible,
                  PixelPoint origin, const MapDrawingTools& tools, bool wide, AreaUse use,
                  const std::vector<PixelRect>* parts = nullptr, const std::vector<int>* only = nullptr) {
    const bool onCopies = use == AreaUse::copies;
    struct Shown {
        std::size_t index;
        CommentDrawGeometry geometry;
        CommentPieces pieces;
    };
    // What may show, bottom-most first.
    std::vector<Shown> shown;
    const PixelPoint shift{origin.x - visible.left, origin.y - visible.top};
    const std::size_t count = only ? only->size() : comments.size();
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t i = only ? static_cast<std::size_t>((*only)[k]) : k;
        if (i >= comments.size())
            continue;
        CommentArea& area = *comments[i];
        // Images kept aside, printing and export must not disturb the areas' view mapping or scale.
        CommentDrawGeometry geometry;
        PixelRect bounds;
        if (use == AreaUse::place) {
            area.placeOnScreen(visible, origin);
            bounds = area.mapBounds().offset(shift.x, shift.y);
        } else {
            geometry =
                onCopies ? area.drawGeometry(visible, origin, wide) : area.drawGeometry(visible, origin);
            bounds = commentDrawBounds(geometry);
        }
        if (!bounds.intersects(clip) || (parts && !meetsAny(*parts, bounds)))
            continue;
        if (use == AreaUse::place)
            geometry = area.drawGeometry(visible, origin);
        shown.push_back({i, geometry, {}});
    }
    // Top-most first, collecting what the areas above surely paint over.
    CommentOcclusion occlusion(clip, parts);
    for (auto at = shown.rbegin(); at != shown.rend(); ++at) {
        const CommentArea& area = *comments[at->index];
        at->pieces = occlusion.place(at->geometry, area.frameStyle(), area.anchorStyle(),
                                     area.backgroundColour() != comment::noColour, !area.text().empty());
    }

    SavedDc saved(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    CommentToolSelection selection(dc, tools.cache, tools.fonts);
    for (const Shown& s : shown) {
        if (!s.pieces.any())
            continue;
        const CommentArea& area = *comments[s.index];
        if (onCopies && area.isWide() != wide) {
            // Drawn from a copy in the scale asked for, so the area's own font stays.
            CommentArea copy = area;
            copy.rescale(wide);
            drawCommentArea(dc, copy, s.geometry, s.pieces, selection);
        } else {
            drawCommentArea(dc, area, s.geometry, s.pieces, selection);
        }
    }
}

bool hasBitmap(HDC dc) {
    if (GetObjectType(dc) != OBJ_MEMDC)
        return false;
    // A memory context starts with a 1x1 monochrome stand-in bitmap.
    BITMAP bitmap{};
    HGDIOBJ current = GetCurrentObject(dc, OBJ_BITMAP);
    if (!current || !GetObjectW(current, sizeof bitmap, &bitmap))
        return false;
    return !(bitmap.bmWidth == 1 && bitmap.bmHeight == 1 && bitmap.bmBitsPixel == 1);
}

bool drawViewIn(HDC dc, MapDocument& document, int firstColumn, int firstRow, const MapDrawingTools& tools,
                const std::vector<PixelRect>* parts, const std::vector<int>* areas, AreaUse use) {
    using namespace map_view;
    if (!dc)
        return false;
    const ViewLayout l =
        viewLayout(document.width(), document.height(), document.isWide(), firstColumn, firstRow);
    SavedDc saved(dc);
    PixelRect bounds{0, 0, imageSide, imageSide};
    if (parts) {
        if (parts->empty()) {
            if (use != AreaUse::place)
                return true;
            // Nothing to draw, but the areas asked for still learn where they are.
            for (int i : *areas)
                if (CommentArea* area = document.commentAt(i))
                    area->beginDraw(l.visibleMapRect(), {gridOrigin, gridOrigin});
            return true;
        }
        Region clip(CreateRectRgn(0, 0, 0, 0));
        bounds = {};
        for (const PixelRect& r : *parts) {
            Region piece(CreateRectRgn(r.left, r.top, r.right, r.bottom));
            if (clip && piece)
                CombineRgn(clip.get(), clip.get(), piece.get(), RGN_OR);
            bounds = bounds.united(r);
        }
        // Without the clip the drawing would spill over what is kept.
        if (!clip || SelectClipRgn(dc, clip.get()) == ERROR)
            return false;
    }
    // Dotted lines show the backdrop through their gaps, whatever background colour the context holds.
    SetBkMode(dc, TRANSPARENT);

    if (!l.fillsView)
        fill(dc, {0, 0, imageSide, imageSide}, greyColour, tools.cache);
    fill(dc, l.creamArea(), creamColour, tools.cache);
    fill(dc, {0, 0, cornerSide, cornerSide}, cornerColour, tools.cache);

    const int right = l.gridRight(), bottom = l.gridBottom();
    {
        // Dotted lines start at the map's top-left corner, even when it is scrolled off, and are cut at the
        // grid: their dots then move with the map, so a scrolled image can be kept.
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, gridOrigin, gridOrigin, right + 1, bottom + 1);
        const PixelPoint start = l.cellCorner(0, 0);
        if (HPEN pen = tools.cache.pen(PS_DOT, 1, greyColour))
            SelectObject(dc, pen);
        for (int k = 0; k <= l.rows; ++k)
            line(dc, start.x, gridOrigin + k * l.pitch, right, gridOrigin + k * l.pitch);
        for (int k = 0; k <= l.columns; ++k)
            line(dc, gridOrigin + k * l.pitch, start.y, gridOrigin + k * l.pitch, bottom);

        SelectObject(dc, borderPen(tools.cache));
        if (l.leftBorder)
            line(dc, gridOrigin, start.y, gridOrigin, bottom);
        if (l.rightBorder)
            line(dc, right, start.y, right, bottom);
        if (l.topBorder)
            line(dc, start.x, gridOrigin, right, gridOrigin);
        if (l.bottomBorder)
            line(dc, start.x, bottom, right, bottom);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        RestoreDC(dc, saved);
    }

    if (!parts || meetsAny(*parts, {0, 0, imageSide, gridOrigin}) ||
        meetsAny(*parts, {0, 0, gridOrigin, imageSide}))
        drawRulers(dc, document, l);
    // Cache pens must not stay selected while the marks ask the cache for more.
    SelectObject(dc, GetStockObject(BLACK_PEN));

    const PixelPoint origin = l.patternOrigin();
    const int scale = document.isWide() ? mark_scale::wide : mark_scale::normal;
    CellPass pass{dc, document, tools, scale, {origin.x, origin.y}, l.pitch, parts, wallMarkReach(scale)};
    pass.copyWalls = wallSpritesFit(dc);
    drawCells(pass, l, l.firstColumn + l.columns, l.firstRow + l.rows);

    if (!document.comments().empty()) {
        const PixelRect grid = l.commentClip();
        const PixelRect clip{std::max(grid.left, bounds.left), std::max(grid.top, bounds.top),
                             std::min(grid.right, bounds.right), std::min(grid.bottom, bounds.bottom)};
        drawComments(dc, document.comments(), clip, l.visibleMapRect(), {gridOrigin, gridOrigin}, tools,
                     document.isWide(), use, parts, areas);
    }
    return true;
}

} // namespace

bool drawView(HDC dc, MapDocument& document, int firstColumn, int firstRow, const MapDrawingTools& tools) {
    return drawViewIn(dc, document, firstColumn, firstRow, tools, nullptr, nullptr, AreaUse::place);
}

bool drawViewParts(HDC dc, MapDocument& document, int firstColumn, int firstRow, const MapDrawingTools& tools,
                   const std::vector<PixelRect>& parts, const std::vector<int>& areas) {
    return drawViewIn(dc, document, firstColumn, firstRow, tools, &parts, &areas, AreaUse::place);
}

bool drawViewAside(HDC dc, MapDocument& document, int firstColumn, int firstRow, const MapDrawingTools& tools,
                   const std::vector<PixelRect>& parts, const std::vector<int>& areas) {
    return drawViewIn(dc, document, firstColumn, firstRow, tools, &parts, &areas, AreaUse::aside);
}

int viewCellReach(bool wide) {
    return wallMarkReach(wide ? mark_scale::wide : mark_scale::normal);
}

bool drawWholeMap(HDC dc, const MapDocument& document, bool wide, int firstColumn, int firstRow,
                  int endColumn, int endRow, int imageWidth, int imageHeight, int left, int top,
                  const MapDrawingTools& tools) {
    if (!dc || !hasBitmap(dc))
        return false;
    const WholeMapLayout l = wholeMapLayout(document.width(), document.height(), wide, firstColumn, firstRow,
                                            endColumn, endRow, imageWidth, imageHeight, left, top);
    SavedDc saved(dc);
    SetBkMode(dc, TRANSPARENT);
    fill(dc, {0, 0, imageWidth, imageHeight}, whiteColour, tools.cache);

    const int right = l.gridRight(), bottom = l.gridBottom();
    if (HPEN pen = tools.cache.pen(PS_DOT, 1, greyColour))
        SelectObject(dc, pen);
    for (int k = 0; k <= l.endColumn - l.firstColumn; ++k)
        line(dc, left + k * l.pitch, top, left + k * l.pitch, bottom + 1);
    for (int k = 0; k <= l.endRow - l.firstRow; ++k)
        line(dc, left, top + k * l.pitch, right + 1, top + k * l.pitch);

    SelectObject(dc, borderPen(tools.cache));
    if (l.leftBorder)
        line(dc, left, top, left, bottom + 1);
    if (l.topBorder)
        line(dc, left, top, right + 1, top);
    if (l.rightBorder)
        line(dc, right, top, right, bottom + 1);
    if (l.bottomBorder)
        line(dc, left, bottom, right + 1, bottom);
    SelectObject(dc, GetStockObject(BLACK_PEN));

    const PixelPoint origin = l.patternOrigin();
    const int scale = wide ? mark_scale::wide : mark_scale::normal;
    CellPass pass{dc, document, tools, scale, {origin.x, origin.y}, l.pitch};
    pass.copyWalls = wallSpritesFit(dc);
    drawCells(pass, l, l.endColumn, l.endRow);

    if (!document.comments().empty())
        drawComments(dc, document.comments(), l.commentClip, l.visibleMapRect, {left, top}, tools, wide,
                     AreaUse::copies);
    return true;
}

} // namespace tav::win
