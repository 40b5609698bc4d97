#pragma once
// The arithmetic of the print preview: the sheet in screen pixels, where a planned page lands on it, the
// whole-page zoom, the sheet's place in the window, the 1:1 scroll ranges and stepping through pages.
#include <string>

#include "model/comments/pixel_rect.h"
#include "model/output/print_plan.h"

namespace tav::print {

// Printer pixels to screen pixels, rounded half up.
int toScreen(int printerPixels, int screenPerInch, int printerPerInch);

struct PrinterSheet {
    int printableWidth = 0, printableHeight = 0; // HORZRES and VERTRES
    int offsetX = 0, offsetY = 0;                // PHYSICALOFFSETX and PHYSICALOFFSETY
    int printerPerInchX = 0, printerPerInchY = 0;
    int screenPerInchX = 96, screenPerInchY = 96;
};

// The whole sheet and where its printable area starts, in screen pixels.
struct PreviewPaper {
    int width = 0, height = 0;
    int offsetX = 0, offsetY = 0;
};
PreviewPaper previewPaper(const PrinterSheet& sheet);

// Where a planned page's picture lands, in screen pixels from the printable area's top-left. A page
// printed at the picture's own scale keeps the source's size, so the 1:1 view copies it pixel for pixel.
PixelRect previewDestination(const PrintPlan& plan, const Page& page, const PrinterSheet& sheet);

// The whole-page view's zoom: the sheet fits the window and is never enlarged.
double wholePageZoom(int clientWidth, int clientHeight, const PreviewPaper& paper);
int zoomed(int pixels, double zoom); // rounded half up

// The sheet's rectangle in the window: whole-page view zooms and centres it; the 1:1 view centres it
// along a direction where it is smaller than the window and otherwise scrolls it.
PixelRect sheetPlacement(int clientWidth, int clientHeight, const PreviewPaper& paper, bool wholePage,
                         double zoom, int scrollX, int scrollY);

// The 1:1 view's scroll range along one direction, from 0 to max; a page step is a quarter of it.
struct ScrollRange {
    int max = 0;
    int page = 0;
};
ScrollRange scrollRange(int paperSize, int clientSize);

// The page shown, counted from 0; the moves answer whether the page changed.
class PageCursor {
public:
    explicit PageCursor(int count) : count_(count) {}
    int index() const { return index_; }
    int count() const { return count_; }
    bool canGoBack() const { return index_ > 0; }
    bool canGoForward() const { return index_ + 1 < count_; }
    bool first();
    bool previous();
    bool next();
    bool last();
    // "%d / %d": the page shown and the count; "0 / 0" when there are no pages.
    std::string label() const;

private:
    int index_ = 0;
    int count_;
};

// Which edges a border drag moves.
struct DraggedEdges {
    bool left = false, top = false, right = false, bottom = false;
};
// Puts a dragged edge back so the window keeps at least the given size; the opposite edge stays.
PixelRect keepAtLeast(PixelRect window, DraggedEdges edges, int minimumWidth, int minimumHeight);

} // namespace tav::print
