#pragma once
// Printing the whole map: the picture the pages are cut from, and the job that spreads it over pages (or
// shrinks it onto one) with header and footer, on any context that behaves as a printer.
#include <windows.h>

#include <array>
#include <string>

#include "model/app/configuration.h"
#include "model/output/image_export.h"
#include "model/output/print_plan.h"
#include "model/output/print_preview.h"
#include "model/platform/prompter.h"
#include "win/platform/handles.h"

namespace tav {
class MapDocument;
}

namespace tav::win {

class DrawingResourceCache;

// The whole map at screen resolution with ruler numbers on all four sides, in a screen-compatible bitmap.
class PrintPicture {
public:
    PrintPicture() = default;
    ~PrintPicture();
    PrintPicture(const PrintPicture&) = delete;
    PrintPicture& operator=(const PrintPicture&) = delete;

    // False when the bitmap or the drawing cannot be made.
    bool make(const MapDocument& document, DrawingResourceCache& cache, bool wide);
    HDC dc() const { return dc_.get(); }
    int width() const { return geometry_.width; }
    int height() const { return geometry_.height; }

private:
    MemoryDc dc_;
    Bitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
    ExportGeometry geometry_;
};

// "ＭＳ ゴシック" at 10 points, character set 128: the header and footer font until the user chooses.
LOGFONTW defaultHeaderFont();

// What the print dialog hands to a job.
struct PrintSettings {
    bool wide = false;
    bool fitToPage = false;
    bool centreHorizontally = false, centreVertically = false;
    int marginLeft = 0, marginRight = 0, marginTop = 0, marginBottom = 0; // millimetres
    config::PageTexts texts;
    LOGFONTW font = defaultHeaderFont();
    COLORREF colour = 0;
};

// The page size and resolutions a job plans with.
struct PrinterMetrics {
    int pixelsPerInchX = 0, pixelsPerInchY = 0;
    int screenPixelsPerInchX = 96, screenPixelsPerInchY = 96;
    int printableWidth = 0, printableHeight = 0;
    int offsetX = 0, offsetY = 0; // of the printable area on the sheet
};

// The job's page arithmetic for a picture of this size on this printer.
print::PageSetup pageSetup(const PrintSettings& settings, const PrinterMetrics& printer, int pictureWidth,
                           int pictureHeight);
print::PrinterSheet printerSheet(const PrinterMetrics& printer);

// Makes the picture with the wait cursor up; a failure shows its own message.
bool makePrintPicture(PrintPicture& picture, const MapDocument& document, DrawingResourceCache& cache,
                      bool wide, Prompter& prompter);

// The page's header and footer fields inside area, in the context's font and colour.
void drawPageTexts(HDC dc, const config::PageTexts& texts, const print::JobTexts& job, int page,
                   int pageCount, const RECT& area);

// The document calls of a printer; a memory context can stand in for it.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    virtual HDC dc() = 0;
    virtual PrinterMetrics metrics();
    virtual bool startDocument() = 0;
    virtual bool startPage() = 0;
    virtual void endPage() = 0;
    virtual void endDocument() = 0;
};

// A printer's device context and the spooler behind it.
class SpoolerTarget : public PrintTarget {
public:
    explicit SpoolerTarget(HDC printer) : printer_(printer) {}
    HDC dc() override { return printer_; }
    bool startDocument() override;
    bool startPage() override;
    void endPage() override;
    void endDocument() override;

private:
    HDC printer_;
};

// The small window that tells what the job is doing; nothing shows when it cannot be made.
class ProgressWindow {
public:
    explicit ProgressWindow(HWND owner);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;
    void show(const std::string& text);

private:
    HWND window_ = nullptr;
};

// Today's date and time and the map's file name, as the fields' tokens read them.
print::JobTexts jobTexts(const MapDocument& document);

// Runs the whole job. The picture failure shows its own message; false also when the document cannot be
// started or the page leaves no room for the picture, and the caller reports that the print failed.
bool runPrintJob(PrintTarget& target, const MapDocument& document, DrawingResourceCache& cache,
                 const PrintSettings& settings, const print::JobTexts& job, Prompter& prompter,
                 ProgressWindow* progress);

} // namespace tav::win
