#include "win/output/print_job.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <iterator>

#include "model/document/map_document.h"
#include "model/view/map_layout.h"
#include "win/comments/comment_drawing.h"
#include "win/marks/room_mark_images.h"
#include "win/platform/text.h"
#include "win/view/drawing_resource_cache.h"
#include "win/output/image_export.h"
#include "win/view/map_rendering.h"

namespace tav::win {

namespace {

const char* const pictureFailedText = "印刷イメージの作成に失敗しました。\n\nWindows 95/98/Me\n"
                                      "ビットマップサイズが16MBを超えないようにしてください。\n"
                                      "（手抜きました。ご勘弁を・・・）";

// Puts back what the job changes on the printer's context, whichever way the job ends.
class PrinterStateScope {
public:
    explicit PrinterStateScope(HDC dc)
        : dc_(dc), colour_(GetTextColor(dc)), mode_(GetBkMode(dc)), stretch_(GetStretchBltMode(dc)) {}
    ~PrinterStateScope() {
        SetTextColor(dc_, colour_);
        SetBkMode(dc_, mode_);
        SetStretchBltMode(dc_, stretch_);
    }
    PrinterStateScope(const PrinterStateScope&) = delete;
    PrinterStateScope& operator=(const PrinterStateScope&) = delete;

private:
    HDC dc_;
    COLORREF colour_;
    int mode_, stretch_;
};

class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

// The chosen font at the printer's resolution; a chosen width is scaled like the height so the
// letters keep their shape.
Font printerFont(const LOGFONTW& chosen, const print::PrintPlan& plan, double scaleX) {
    LOGFONTW lf = chosen;
    lf.lfHeight = chosen.lfHeight < 0 ? -plan.headerFontHeight : plan.headerFontHeight;
    lf.lfWidth = static_cast<LONG>(std::lround(chosen.lfWidth * scaleX));
    return Font(CreateFontIndirectW(&lf));
}

void drawField(HDC dc, const std::string& text, RECT area, UINT format) {
    if (text.empty())
        return;
    const std::wstring wide = widen(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area, format | DT_SINGLELINE | DT_NOPREFIX);
}

bool anyText(const std::array<std::string, 3>& fields) {
    return !fields[0].empty() || !fields[1].empty() || !fields[2].empty();
}

} // namespace

LOGFONTW defaultHeaderFont() {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(10, 96, 72);
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfQuality = DRAFT_QUALITY;
    const std::wstring face = widen("ＭＳ ゴシック");
    face.copy(lf.lfFaceName, std::size(lf.lfFaceName) - 1);
    return lf;
}

PrintPicture::~PrintPicture() {
    if (previous_)
        SelectObject(dc_.get(), previous_);
}

bool PrintPicture::make(const MapDocument& document, DrawingResourceCache& cache, bool wide) {
    geometry_ = printPictureGeometry(document.width(), document.height(), wide);
    WindowDc screen(nullptr);
    dc_.reset(CreateCompatibleDC(screen.get()));
    bitmap_.reset(CreateCompatibleBitmap(screen.get(), geometry_.width, geometry_.height));
    if (!dc_ || !bitmap_)
        return false;
    previous_ = SelectObject(dc_.get(), bitmap_.get());
    RoomMarkImages rooms;
    rooms.rebuild(document.palette());
    CommentFontCache fonts;
    if (!drawWholeMap(dc_.get(), document, wide, 0, 0, document.width(), document.height(), geometry_.width,
                      geometry_.height, map_view::printMarginX, map_view::printMarginY,
                      MapDrawingTools{cache, rooms, fonts}))
        return false;
    ExportOptions bands;
    bands.wide = wide;
    drawRulerNumbers(dc_.get(), document, bands, geometry_);
    GdiFlush();
    return true;
}

PrinterMetrics PrintTarget::metrics() {
    PrinterMetrics m;
    HDC printer = dc();
    m.pixelsPerInchX = GetDeviceCaps(printer, LOGPIXELSX);
    m.pixelsPerInchY = GetDeviceCaps(printer, LOGPIXELSY);
    m.printableWidth = GetDeviceCaps(printer, HORZRES);
    m.printableHeight = GetDeviceCaps(printer, VERTRES);
    m.offsetX = GetDeviceCaps(printer, PHYSICALOFFSETX);
    m.offsetY = GetDeviceCaps(printer, PHYSICALOFFSETY);
    WindowDc screen(nullptr);
    if (screen) {
        m.screenPixelsPerInchX = GetDeviceCaps(screen.get(), LOGPIXELSX);
        m.screenPixelsPerInchY = GetDeviceCaps(screen.get(), LOGPIXELSY);
    }
    return m;
}

bool SpoolerTarget::startDocument() {
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = L"Tavrosin";
    info.lpszDatatype = L"";
    info.fwType = DI_APPBANDING;
    return StartDocW(printer_, &info) > 0;
}

bool SpoolerTarget::startPage() {
    return StartPage(printer_) > 0;
}

void SpoolerTarget::endPage() {
    EndPage(printer_);
}

void SpoolerTarget::endDocument() {
    EndDoc(printer_);
}

ProgressWindow::ProgressWindow(HWND owner) {
    constexpr int width = 300, height = 60;
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME, L"STATIC", L"",
                              WS_POPUP | WS_BORDER | SS_CENTER | SS_CENTERIMAGE,
                              (area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2,
                              width, height, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
}

ProgressWindow::~ProgressWindow() {
    if (window_)
        DestroyWindow(window_);
}

void ProgressWindow::show(const std::string& text) {
    if (!window_)
        return;
    SetWindowTextW(window_, widen(text).c_str());
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
}

print::JobTexts jobTexts(const MapDocument& document) {
    print::JobTexts texts;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::tm* converted = std::localtime(&now))
        local = *converted;
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d", &local);
    texts.date = text;
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    texts.time = text;
    const FilePath& path = document.currentFileName();
    texts.filePath = path.text();
    texts.fileName = texts.filePath.substr(path.folder().text().size());
    return texts;
}

print::PageSetup pageSetup(const PrintSettings& settings, const PrinterMetrics& m, int pictureWidth,
                           int pictureHeight) {
    print::PageSetup setup;
    setup.pictureWidth = pictureWidth;
    setup.pictureHeight = pictureHeight;
    setup.printableWidth = m.printableWidth;
    setup.printableHeight = m.printableHeight;
    if (m.screenPixelsPerInchX > 0 && m.screenPixelsPerInchY > 0) {
        setup.scaleX = static_cast<double>(m.pixelsPerInchX) / m.screenPixelsPerInchX;
        setup.scaleY = static_cast<double>(m.pixelsPerInchY) / m.screenPixelsPerInchY;
    }
    setup.left = print::marginPixels(settings.marginLeft, m.pixelsPerInchX);
    setup.right = print::marginPixels(settings.marginRight, m.pixelsPerInchX);
    setup.top = print::marginPixels(settings.marginTop, m.pixelsPerInchY);
    setup.bottom = print::marginPixels(settings.marginBottom, m.pixelsPerInchY);
    setup.headerFontHeight = std::abs(static_cast<int>(settings.font.lfHeight));
    setup.header = anyText(settings.texts.header);
    setup.footer = anyText(settings.texts.footer);
    setup.fitToPage = settings.fitToPage;
    setup.centreHorizontally = settings.centreHorizontally;
    setup.centreVertically = settings.centreVertically;
    return setup;
}

print::PrinterSheet printerSheet(const PrinterMetrics& m) {
    print::PrinterSheet sheet;
    sheet.printableWidth = m.printableWidth;
    sheet.printableHeight = m.printableHeight;
    sheet.offsetX = m.offsetX;
    sheet.offsetY = m.offsetY;
    sheet.printerPerInchX = m.pixelsPerInchX;
    sheet.printerPerInchY = m.pixelsPerInchY;
    sheet.screenPerInchX = m.screenPixelsPerInchX;
    sheet.screenPerInchY = m.screenPixelsPerInchY;
    return sheet;
}

bool makePrintPicture(PrintPicture& picture, const MapDocument& document, DrawingResourceCache& cache,
                      bool wide, Prompter& prompter) {
    WaitCursor wait;
    if (picture.make(document, cache, wide))
        return true;
    prompter.showMessage(pictureFailedText, msg::ok | msg::iconError);
    return false;
}

void drawPageTexts(HDC dc, const config::PageTexts& t, const print::JobTexts& job, int page, int count,
                   const RECT& area) {
    if (anyText(t.header)) {
        drawField(dc, print::expandField(t.header[0], job, page, count), area, DT_LEFT | DT_TOP);
        drawField(dc, print::expandField(t.header[1], job, page, count), area, DT_CENTER | DT_TOP);
        drawField(dc, print::expandField(t.header[2], job, page, count), area, DT_RIGHT | DT_TOP);
    }
    if (anyText(t.footer)) {
        drawField(dc, print::expandField(t.footer[0], job, page, count), area, DT_LEFT | DT_BOTTOM);
        drawField(dc, print::expandField(t.footer[1], job, page, count), area, DT_CENTER | DT_BOTTOM);
        drawField(dc, print::expandField(t.footer[2], job, page, count), area, DT_RIGHT | DT_BOTTOM);
    }
}

bool runPrintJob(PrintTarget& target, const MapDocument& document, DrawingResourceCache& cache,
                 const PrintSettings& settings, const print::JobTexts& job, Prompter& prompter,
                 ProgressWindow* progress) {
    WaitCursor wait;
    if (progress)
        progress->show("印刷するイメージを作成中です...");
    PrintPicture picture;
    if (!makePrintPicture(picture, document, cache, settings.wide, prompter))
        return false;

    const PrinterMetrics m = target.metrics();
    if (m.pixelsPerInchX <= 0 || m.pixelsPerInchY <= 0 || m.screenPixelsPerInchX <= 0 ||
        m.screenPixelsPerInchY <= 0)
        return false;
    const print::PageSetup setup = pageSetup(settings, m, picture.width(), picture.height());
    const print::PrintPlan plan = print::planPages(setup);
    // Margins or bands that leave no room would give a document of blank pages.
    if (plan.pages.empty())
        return false;

    if (!target.startDocument())
        return false;
    HDC dc = target.dc();
    {
        PrinterStateScope state(dc);
        Font font = printerFont(settings.font, plan, setup.scaleX);
        SelectObjectScope fontScope(dc, font.get());
        SetTextColor(dc, settings.colour);
        SetBkMode(dc, TRANSPARENT);
        SetStretchBltMode(dc, settings.fitToPage ? HALFTONE : COLORONCOLOR);
        const RECT printable{0, 0, m.printableWidth, m.printableHeight};
        const int count = plan.pageCount();
        for (const print::Page& page : plan.pages) {
            if (!target.startPage())
                continue;
            if (progress) {
                char text[64];
                std::snprintf(text, sizeof text, "%dページを印刷しています...", page.number);
                progress->show(text);
            }
            POINT origin{};
            if (settings.fitToPage)
                SetBrushOrgEx(dc, page.destination.left % 8, page.destination.top % 8, &origin);
            drawPageTexts(dc, settings.texts, job, page.number, count, printable);
            const PixelRect& d = page.destination;
            const PixelRect& s = page.source;
            StretchBlt(dc, d.left, d.top, d.right - d.left, d.bottom - d.top, picture.dc(), s.left, s.top,
                       s.right - s.left, s.bottom - s.top, SRCCOPY);
            if (settings.fitToPage)
                SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
            target.endPage();
        }
    }
    target.endDocument();
    return true;
}

} // namespace tav::win
