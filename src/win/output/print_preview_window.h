#pragma once
// The page area of the print preview: one sheet with its header, footer and slice of the print picture,
// either whole in the window or at 1:1 with scroll bars.
#include <windows.h>

#include "model/output/print_plan.h"
#include "model/output/print_preview.h"
#include "win/output/print_job.h"

namespace tav::win {

// What the preview shows: the print picture (borrowed, it outlives the preview) and what the job uses.
struct PreviewJob {
    HDC picture = nullptr;
    int pictureWidth = 0, pictureHeight = 0;
    PrintSettings settings;
    PrinterMetrics printer;
    print::JobTexts texts;
};

class PrintPreviewWindow {
public:
    explicit PrintPreviewWindow(const PreviewJob& job);
    ~PrintPreviewWindow();
    PrintPreviewWindow(const PrintPreviewWindow&) = delete;
    PrintPreviewWindow& operator=(const PrintPreviewWindow&) = delete;

    // A child of parent with both scroll bars; false when it cannot be made. Starts in whole-page view.
    bool create(HWND parent, int id, const RECT& place);
    HWND handle() const { return window_; }

    const print::PageCursor& pages() const { return cursor_; }
    // The page moves; each change resets the scrolling and repaints.
    bool first();
    bool previous();
    bool next();
    bool last();

    bool wholePage() const { return wholePage_; }
    void setWholePage(bool wholePage);
    double zoom() const { return zoom_; }

    // The current page as the window shows it, into a context of the client area's size.
    void paint(HDC dc) const;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool pageChanged(bool changed);
    // Zoom for the whole-page view, scroll ranges for the 1:1 view, from the present client size.
    void fitToClient();
    void scroll(int bar, int request);
    void paintTexts(HDC dc, const RECT& printable) const;

    PreviewJob job_;
    print::PrinterSheet sheet_;
    print::PreviewPaper paper_;
    print::PrintPlan plan_;
    print::PageCursor cursor_;
    HWND window_ = nullptr;
    bool wholePage_ = true;
    bool fitting_ = false;
    double zoom_ = 1;
    int scrollX_ = 0, scrollY_ = 0;
    print::ScrollRange rangeX_, rangeY_;
};

} // namespace tav::win
