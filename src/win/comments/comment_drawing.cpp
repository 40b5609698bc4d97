#include "win/comments/comment_drawing.h"

#include <algorithm>
#include <string>

#include "win/platform/text.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {

namespace {

constexpr int endMarkLow = 3;  // the 7 x 7 end mark spans anchor - 3 .. anchor + 3
constexpr int endMarkHigh = 4; // exclusive
constexpr int selectionBorder = 3;
constexpr unsigned selectionPattern = 6; // falling diagonal lines
constexpr int roundCorner = 16;

// Colours from files may carry stray high bytes; only "none" keeps its own.
COLORREF colourOf(std::uint32_t value) {
    return value == comment::noColour ? noColour : static_cast<COLORREF>(value & 0x00FFFFFF);
}

RECT toRect(const PixelRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

HGDIOBJ orStock(HGDIOBJ object, int stock) {
    return object ? object : GetStockObject(stock);
}

void setFace(LOGFONTW& font, std::string_view face) {
    std::wstring wide = widen(face);
    std::size_t length = std::min(wide.size(), std::size(font.lfFaceName) - 1);
    std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), L'\0');
    std::copy_n(wide.begin(), length, font.lfFaceName);
}

UINT horizontalFormat(int alignment) {
    switch (alignment) {
    case comment::align::centre:
        return DT_CENTER;
    case comment::align::right:
        return DT_RIGHT;
    default:
        return DT_LEFT;
    }
}

void drawFrame(HDC dc, std::uint8_t style, const PixelRect& f) {
    switch (style) {
    case comment::frame::none:
        break;
    case comment::frame::roundedRectangle:
        RoundRect(dc, f.left, f.top, f.right, f.bottom, roundCorner, roundCorner);
        break;
    case comment::frame::ellipse:
        Ellipse(dc, f.left, f.top, f.right, f.bottom);
        break;
    default:
        Rectangle(dc, f.left, f.top, f.right, f.bottom);
        break;
    }
}

void drawText(HDC dc, const CommentArea& area, const PixelRect& textRect, CommentToolSelection& tools) {
    if (area.text().empty() || textRect.empty())
        return;
    const std::wstring text = widen(area.text());
    tools.selectFont(area);
    // Without a background colour the text lies on the map as it is.
    tools.selectTextColours(colourOf(area.textColour()), colourOf(area.backgroundColour()));

    // Ampersands are text here, not mnemonic marks.
    const UINT format =
        DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | horizontalFormat(area.alignment() & 0x0F);
    const int vertical = area.alignment() >> 4;
    PixelRect placed = textRect;
    if (vertical == comment::align::middle || vertical == comment::align::bottom) {
        RECT measured = toRect(textRect);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
        placed = alignTextVertically(textRect, measured.bottom - measured.top, vertical);
    }
    RECT r = toRect(placed);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

void drawEndMark(HDC dc, std::uint8_t style, PixelPoint a) {
    const int l = a.x - endMarkLow, t = a.y - endMarkLow, r = a.x + endMarkHigh, b = a.y + endMarkHigh;
    if (style == comment::anchor::circle)
        Ellipse(dc, l, t, r, b);
    else if (style == comment::anchor::square)
        Rectangle(dc, l, t, r, b);
}

} // namespace

Font createCommentFont(const CommentFontDefinition& wanted) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(wanted.pointSize, 96, 72); // always 96 dpi, so every screen shows the same map
    lf.lfWeight = wanted.weight;
    lf.lfItalic = wanted.italic;
    lf.lfUnderline = wanted.underline;
    lf.lfStrikeOut = wanted.strikeOut;
    lf.lfCharSet = wanted.charset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DRAFT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_MODERN;
    setFace(lf, wanted.face);
    Font font(CreateFontIndirectW(&lf));
    if (!font) {
        lf.lfCharSet = SHIFTJIS_CHARSET;
        setFace(lf, "ＭＳ ゴシック");
        font.reset(CreateFontIndirectW(&lf));
    }
    return font;
}

HFONT CommentFontCache::fontFor(const CommentArea& area) {
    const CommentFontDefinition wanted = area.fontDefinition();
    for (const Entry& entry : entries_)
        if (entry.definition == wanted)
            return entry.font.get();
    Font font = createCommentFont(wanted);
    if (!font)
        return nullptr;
    if (entries_.size() >= limit_)
        entries_.pop_front();
    entries_.push_back({wanted, std::move(font)});
    return entries_.back().font.get();
}

HFONT CommentFontCache::find(const CommentFontDefinition& definition) const {
    for (const Entry& entry : entries_)
        if (entry.definition == definition)
            return entry.font.get();
    return nullptr;
}

void CommentToolSelection::selectFont(const CommentArea& area) {
    HFONT font = fonts_.find(area.fontDefinition());
    if (font && font == font_)
        return;
    if (!font) {
        // Making it may drop the font now selected, which must not be deleted while it is in use.
        restoreFont();
        font = fonts_.fontFor(area);
        if (!font)
            return;
    }
    HGDIOBJ previous = SelectObject(dc_, font);
    if (!originalFont_)
        originalFont_ = previous;
    font_ = font;
}

void CommentToolSelection::restoreFont() {
    if (originalFont_)
        SelectObject(dc_, originalFont_);
    originalFont_ = nullptr;
    font_ = nullptr;
}

void CommentToolSelection::selectPenAndBrush(COLORREF pen, COLORREF brush) {
    // Ours go back before the cache is asked again, which may drop the one selected.
    if (!originalPen_ || pen != pen_) {
        if (originalPen_)
            SelectObject(dc_, originalPen_);
        HGDIOBJ previous = SelectObject(dc_, orStock(cache_.pen(PS_SOLID, 1, pen), NULL_PEN));
        if (!originalPen_)
            originalPen_ = previous;
        pen_ = pen;
    }
    if (!originalBrush_ || brush != brush_) {
        if (originalBrush_)
            SelectObject(dc_, originalBrush_);
        HGDIOBJ previous = SelectObject(dc_, orStock(cache_.solidBrush(brush), NULL_BRUSH));
        if (!originalBrush_)
            originalBrush_ = previous;
        brush_ = brush;
    }
}

void CommentToolSelection::selectTextColours(COLORREF text, COLORREF background) {
    if (!coloursSaved_) {
        originalMode_ = GetBkMode(dc_);
        originalText_ = GetTextColor(dc_);
        originalBackground_ = GetBkColor(dc_);
        coloursSaved_ = true;
    } else if (text == text_ && background == background_) {
        return;
    }
    if (background == noColour) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, background);
    }
    SetTextColor(dc_, text);
    text_ = text;
    background_ = background;
}

void CommentToolSelection::restore() {
    restoreFont();
    if (originalPen_)
        SelectObject(dc_, originalPen_);
    if (originalBrush_)
        SelectObject(dc_, originalBrush_);
    originalPen_ = originalBrush_ = nullptr;
    if (coloursSaved_) {
        SetBkMode(dc_, originalMode_);
        SetBkColor(dc_, originalBackground_);
        SetTextColor(dc_, originalText_);
        coloursSaved_ = false;
    }
}

void drawCommentArea(HDC dc, CommentArea& area, const PixelRect& visible, POINT origin,
                     DrawingResourceCache& cache, CommentFontCache& fonts) {
    if (!dc)
        return;
    const CommentDrawGeometry g = area.beginDraw(visible, {origin.x, origin.y});
    CommentToolSelection tools(dc, cache, fonts);
    drawCommentArea(dc, area, g, CommentPieces{true, true, true, true}, tools);
}

void drawCommentArea(HDC dc, const CommentArea& area, const CommentDrawGeometry& g,
                     const CommentPieces& pieces, CommentToolSelection& tools) {
    if (!dc || !pieces.any())
        return;
    tools.selectPenAndBrush(colourOf(area.frameColour()), colourOf(area.backgroundColour()));
    if (pieces.line && area.anchorStyle() != comment::anchor::noLine) {
        MoveToEx(dc, g.anchor.x, g.anchor.y, nullptr);
        LineTo(dc, (g.frame.left + g.frame.right) / 2, (g.frame.top + g.frame.bottom) / 2);
    }
    // The filled frame covers the part of the pointer line inside it.
    if (pieces.frame)
        drawFrame(dc, area.frameStyle(), g.frame);
    if (pieces.text)
        drawText(dc, area, g.text, tools);
    if (pieces.endMark)
        drawEndMark(dc, area.anchorStyle(), g.anchor);
}

void drawCommentFeedback(HDC dc, const CommentArea& area, DrawingResourceCache& cache) {
    if (!dc)
        return;
    const int part = area.dragPart();
    const PixelRect frame = area.screenFrame();
    if (part == comment::part::anchor) {
        // The mark stays on the anchor; only the focus square follows the mouse.
        const COLORREF colour = colourOf(area.frameColour());
        const PixelPoint a{frame.left + area.anchorOffset().x, frame.top + area.anchorOffset().y};
        HPEN pen = cache.pen(PS_SOLID, 1, colour);
        HBRUSH brush = cache.solidBrush(colour);
        {
            SelectObjectScope penScope(dc, orStock(pen, NULL_PEN));
            SelectObjectScope brushScope(dc, orStock(brush, NULL_BRUSH));
            Ellipse(dc, a.x - endMarkLow, a.y - endMarkLow, a.x + endMarkHigh, a.y + endMarkHigh);
        }
        if (area.isDragging() && !area.feedback().empty()) {
            const RECT r = toRect(area.feedback().normalised());
            DrawFocusRect(dc, &r);
        }
        return;
    }
    if (part < comment::part::frame || part >= comment::part::anchor)
        return;
    // A frame without colour still needs a visible selection border.
    const COLORREF colour =
        area.frameColour() == comment::noColour ? RGB(0, 0, 0) : colourOf(area.frameColour());
    HBRUSH hatch = cache.patternBrush(selectionPattern, colour);
    if (hatch) {
        const RECT outer = toRect(frame.inflated(selectionBorder, selectionBorder));
        const int saved = SaveDC(dc);
        ExcludeClipRect(dc, frame.left, frame.top, frame.right, frame.bottom);
        alignBrushOrigin(dc, hatch, outer.left, outer.top);
        FillRect(dc, &outer, hatch);
        RestoreDC(dc, saved);
    }
    if (area.isDragging()) {
        const RECT r = toRect(area.feedback().normalised());
        DrawFocusRect(dc, &r);
    }
}

void drawCommentSample(HDC dc, const RECT& place, const CommentFormat& look, DrawingResourceCache& cache,
                       CommentFontCache& fonts) {
    if (!dc)
        return;
    const int width = place.right - place.left, height = place.bottom - place.top;
    if (HBRUSH white = cache.solidBrush(RGB(255, 255, 255)))
        FillRect(dc, &place, white);
    // Room for the selection border around the frame and for the anchor below it.
    constexpr int margin = 8;
    CommentArea sample;
    CommentFormat format = look;
    format.face = "ＭＳ ゴシック";
    format.charset = comment::shiftJisCharset;
    format.pointSize = 8;
    format.styleFlags = 0;
    format.alignment = 0;
    sample.setFormat(format);
    sample.setText("コメント領域");
    sample.setFrame({margin, margin, std::max(width - margin, margin + comment::minSide),
                     std::max(height * 11 / 20, margin + comment::minSide)});
    sample.setAnchor(std::max(width / 5 - margin, 0), std::max(height - 2 * margin - margin, 0));
    const PixelRect visible{0, 0, width, height};
    drawCommentArea(dc, sample, visible, {place.left, place.top}, cache, fonts);
    sample.select();
    drawCommentFeedback(dc, sample, cache);
}

CommentFeedbackLook commentFeedbackLook(const CommentArea& area) {
    CommentFeedbackLook look;
    look.part = area.dragPart();
    if (look.part < comment::part::frame || look.part > comment::part::anchor)
        return look;
    look.frame = area.screenFrame();
    look.anchorOffset = area.anchorOffset();
    look.frameColour = area.frameColour();
    look.dragging = area.isDragging();
    look.feedback = area.feedback().normalised();
    if (look.part == comment::part::anchor) {
        const PixelPoint a{look.frame.left + look.anchorOffset.x, look.frame.top + look.anchorOffset.y};
        look.bounds = {a.x - endMarkLow, a.y - endMarkLow, a.x + endMarkHigh, a.y + endMarkHigh};
    } else {
        look.bounds = look.frame.inflated(selectionBorder, selectionBorder);
    }
    if (look.dragging && !look.feedback.empty())
        look.bounds = look.bounds.united(look.feedback);
    return look;
}

LPCWSTR commentCursorId(CommentCursor cursor) {
    switch (cursor) {
    case CommentCursor::anchor:
        return IDC_UPARROW;
    case CommentCursor::move:
        return IDC_SIZEALL;
    case CommentCursor::sizeNS:
        return IDC_SIZENS;
    case CommentCursor::sizeWE:
        return IDC_SIZEWE;
    case CommentCursor::sizeNWSE:
        return IDC_SIZENWSE;
    case CommentCursor::sizeNESW:
        return IDC_SIZENESW;
    default:
        return nullptr;
    }
}

HCURSOR loadCommentCursor(CommentCursor cursor) {
    LPCWSTR id = commentCursorId(cursor);
    return id ? LoadCursorW(nullptr, id) : nullptr;
}

} // namespace tav::win
