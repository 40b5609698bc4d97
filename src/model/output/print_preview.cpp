#include "model/output/print_preview.h"

#include <algorithm>
#include <cstdio>

namespace tav::print {

int toScreen(int printerPixels, int screenPerInch, int printerPerInch) {
    if (printerPerInch <= 0)
        return 0;
    return static_cast<int>(static_cast<double>(printerPixels) * screenPerInch / printerPerInch + 0.5);
}

PreviewPaper previewPaper(const PrinterSheet& s) {
    PreviewPaper paper;
    paper.width = toScreen(s.printableWidth + 2 * s.offsetX, s.screenPerInchX, s.printerPerInchX);
    paper.height = toScreen(s.printableHeight + 2 * s.offsetY, s.screenPerInchY, s.printerPerInchY);
    paper.offsetX = toScreen(s.offsetX, s.screenPerInchX, s.printerPerInchX);
    paper.offsetY = toScreen(s.offsetY, s.screenPerInchY, s.printerPerInchY);
    return paper;
}

PixelRect previewDestination(const PrintPlan& plan, const Page& page, const PrinterSheet& s) {
    const PixelRect& d = page.destination;
    const int left = toScreen(d.left, s.screenPerInchX, s.printerPerInchX);
    const int top = toScreen(d.top, s.screenPerInchY, s.printerPerInchY);
    if (plan.fitScale < 1)
        return {left, top, toScreen(d.right, s.screenPerInchX, s.printerPerInchX),
                toScreen(d.bottom, s.screenPerInchY, s.printerPerInchY)};
    return {left, top, left + page.source.width(), top + page.source.height()};
}

double wholePageZoom(int clientWidth, int clientHeight, const PreviewPaper& paper) {
    if (paper.width <= 0 || paper.height <= 0)
        return 1;
    const double zoom = std::min(static_cast<double>(clientWidth) / paper.width,
                                 static_cast<double>(clientHeight) / paper.height);
    return std::clamp(zoom, 0.0, 1.0);
}

int zoomed(int pixels, double zoom) {
    return static_cast<int>(pixels * zoom + 0.5);
}

namespace {

// The sheet's start along one direction of the 1:1 view.
int unzoomedStart(int paper, int client, int scroll) {
    return paper < client ? (client - paper) / 2 : -scroll;
}

} // namespace

PixelRect sheetPlacement(int clientWidth, int clientHeight, const PreviewPaper& paper, bool wholePage,
                         double zoom, int scrollX, int scrollY) {
    if (wholePage) {
        const int width = zoomed(paper.width, zoom);
        const int height = zoomed(paper.height, zoom);
        const int left = (clientWidth - width) / 2, top = (clientHeight - height) / 2;
        return {left, top, left + width, top + height};
    }
    const int left = unzoomedStart(paper.width, clientWidth, scrollX);
    const int top = unzoomedStart(paper.height, clientHeight, scrollY);
    return {left, top, left + paper.width, top + paper.height};
}

ScrollRange scrollRange(int paperSize, int clientSize) {
    const int max = std::max(paperSize - clientSize, 0);
    return {max, max / 4};
}

bool PageCursor::first() {
    if (index_ <= 0)
        return false;
    index_ = 0;
    return true;
}

bool PageCursor::previous() {
    if (index_ <= 0)
        return false;
    --index_;
    return true;
}

bool PageCursor::next() {
    if (!canGoForward())
        return false;
    ++index_;
    return true;
}

bool PageCursor::last() {
    if (!canGoForward())
        return false;
    index_ = count_ - 1;
    return true;
}

std::string PageCursor::label() const {
    char text[32];
    std::snprintf(text, sizeof text, "%d / %d", count_ > 0 ? index_ + 1 : 0, count_);
    return text;
}

PixelRect keepAtLeast(PixelRect r, DraggedEdges edges, int minimumWidth, int minimumHeight) {
    if (r.width() < minimumWidth) {
        if (edges.left)
            r.left = r.right - minimumWidth;
        else
            r.right = r.left + minimumWidth;
    }
    if (r.height() < minimumHeight) {
        if (edges.top)
            r.top = r.bottom - minimumHeight;
        else
            r.bottom = r.top + minimumHeight;
    }
    return r;
}

} // namespace tav::print
