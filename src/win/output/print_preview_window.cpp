#include "win/output/print_preview_window.h"

#include <algorithm>
#include <cmath>

#include "win/app/dialog.h"
#include "win/platform/dib_image.h"

namespace tav::win {

namespace {

constexpr wchar_t className[] = L"TavrosinPrintPreview";
constexpr COLORREF outside = 0xA0A0A0;
constexpr int lineStep = 16;

bool registerClass(WNDPROC procedure) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(moduleInstance(), className, &wc))
        return true;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.hInstance = moduleInstance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

void fill(HDC dc, const RECT& r, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

SIZE clientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

} // namespace

PrintPreviewWindow::PrintPreviewWindow(const PreviewJob& job)
    : job_(job), sheet_(printerSheet(job.printer)), paper_(print::previewPaper(sheet_)),
      plan_(print::planPages(pageSetup(job.settings, job.printer, job.pictureWidth, job.pictureHeight))),
      cursor_(static_cast<int>(plan_.pages.size())) {}

PrintPreviewWindow::~PrintPreviewWindow() {
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
}

bool PrintPreviewWindow::create(HWND parent, int id, const RECT& place) {
    if (!registerClass(&PrintPreviewWindow::procedure))
        return false;
    window_ =
        CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL,
                        place.left, place.top, place.right - place.left, place.bottom - place.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), moduleInstance(), this);
    if (!window_)
        return false;
    fitToClient();
    return true;
}

bool PrintPreviewWindow::pageChanged(bool changed) {
    if (changed) {
        scrollX_ = scrollY_ = 0;
        if (!wholePage_) {
            SetScrollPos(window_, SB_HORZ, 0, TRUE);
            SetScrollPos(window_, SB_VERT, 0, TRUE);
        }
        InvalidateRect(window_, nullptr, FALSE);
    }
    return changed;
}

bool PrintPreviewWindow::first() {
    return pageChanged(cursor_.first());
}

bool PrintPreviewWindow::previous() {
    return pageChanged(cursor_.previous());
}

bool PrintPreviewWindow::next() {
    return pageChanged(cursor_.next());
}

bool PrintPreviewWindow::last() {
    return pageChanged(cursor_.last());
}

void PrintPreviewWindow::setWholePage(bool wholePage) {
    wholePage_ = wholePage;
    fitToClient();
    InvalidateRect(window_, nullptr, FALSE);
}

void PrintPreviewWindow::fitToClient() {
    if (!window_ || fitting_)
        return;
    fitting_ = true;
    // Showing or hiding a scroll bar changes the client size: settle in a few rounds.
    for (int round = 0; round < 3; ++round) {
        const SIZE client = clientSize(window_);
        if (wholePage_) {
            rangeX_ = rangeY_ = {};
            zoom_ = print::wholePageZoom(client.cx, client.cy, paper_);
        } else {
            rangeX_ = print::scrollRange(paper_.width, client.cx);
            rangeY_ = print::scrollRange(paper_.height, client.cy);
            zoom_ = 1;
        }
        scrollX_ = std::min(scrollX_, rangeX_.max);
        scrollY_ = std::min(scrollY_, rangeY_.max);
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, 0, rangeX_.max, 0, scrollX_, 0};
        SetScrollInfo(window_, SB_HORZ, &info, TRUE);
        info.nMax = rangeY_.max;
        info.nPos = scrollY_;
        SetScrollInfo(window_, SB_VERT, &info, TRUE);
        const SIZE after = clientSize(window_);
        if (after.cx == client.cx && after.cy == client.cy)
            break;
    }
    fitting_ = false;
}

void PrintPreviewWindow::scroll(int bar, int request) {
    const print::ScrollRange& range = bar == SB_HORZ ? rangeX_ : rangeY_;
    int& position = bar == SB_HORZ ? scrollX_ : scrollY_;
    SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(window_, bar, &info);
    int wanted = position;
    switch (request) {
    case SB_LINEUP:
        wanted -= lineStep;
        break;
    case SB_LINEDOWN:
        wanted += lineStep;
        break;
    case SB_PAGEUP:
        wanted -= std::max(range.page, 1);
        break;
    case SB_PAGEDOWN:
        wanted += std::max(range.page, 1);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        wanted = info.nTrackPos;
        break;
    case SB_TOP:
        wanted = 0;
        break;
    case SB_BOTTOM:
        wanted = range.max;
        break;
    default:
        return;
    }
    wanted = std::clamp(wanted, 0, range.max);
    if (wanted == position)
        return;
    position = wanted;
    SetScrollPos(window_, bar, position, TRUE);
    InvalidateRect(window_, nullptr, FALSE);
}

void PrintPreviewWindow::paintTexts(HDC dc, const RECT& printable) const {
    LOGFONTW lf = job_.settings.font;
    if (wholePage_) {
        lf.lfHeight = static_cast<LONG>(std::lround(lf.lfHeight * zoom_));
        lf.lfWidth = static_cast<LONG>(std::lround(lf.lfWidth * zoom_));
        lf.lfWeight = static_cast<LONG>(std::max<LONG>(lf.lfWeight, FW_NORMAL) * zoom_);
    }
    // A font that cannot be made leaves the texts out of this paint.
    Font font(CreateFontIndirectW(&lf));
    if (!font)
        return;
    SelectObjectScope selected(dc, font.get());
    SetTextColor(dc, job_.settings.colour);
    SetBkMode(dc, TRANSPARENT);
    drawPageTexts(dc, job_.settings.texts, job_.texts, cursor_.index() + 1, cursor_.count(), printable);
}

void PrintPreviewWindow::paint(HDC dc) const {
    const SIZE client = clientSize(window_);
    const PixelRect sheet =
        print::sheetPlacement(client.cx, client.cy, paper_, wholePage_, zoom_, scrollX_, scrollY_);
    fill(dc, {0, 0, client.cx, client.cy}, outside);
    fill(dc, {sheet.left, sheet.top, sheet.right, sheet.bottom}, RGB(255, 255, 255));
    // Offsets from the sheet's corner, zoomed.
    const auto x = [&](int pixels) { return sheet.left + print::zoomed(pixels, zoom_); };
    const auto y = [&](int pixels) { return sheet.top + print::zoomed(pixels, zoom_); };
    const RECT printable{x(paper_.offsetX), y(paper_.offsetY), x(paper_.width - paper_.offsetX),
                         y(paper_.height - paper_.offsetY)};
    paintTexts(dc, printable);
    if (cursor_.count() == 0 || !job_.picture)
        return;

    const print::Page& page = plan_.pages[static_cast<std::size_t>(cursor_.index())];
    const PixelRect d = print::previewDestination(plan_, page, sheet_);
    const RECT to{x(paper_.offsetX + d.left), y(paper_.offsetY + d.top), x(paper_.offsetX + d.right),
                  y(paper_.offsetY + d.bottom)};
    const bool shrunk = plan_.fitScale < 1;
    const int previousMode = SetStretchBltMode(dc, shrunk ? HALFTONE : COLORONCOLOR);
    POINT origin{};
    if (shrunk)
        SetBrushOrgEx(dc, ((to.left % 8) + 8) % 8, ((to.top % 8) + 8) % 8, &origin);
    const PixelRect& s = page.source;
    StretchBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, job_.picture, s.left, s.top,
               s.width(), s.height(), SRCCOPY);
    if (shrunk)
        SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    SetStretchBltMode(dc, previousMode);
}

LRESULT CALLBACK PrintPreviewWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<PrintPreviewWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<PrintPreviewWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = self->handleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
    }
    return result;
}

LRESULT PrintPreviewWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        fitToClient();
        return 0;
    case WM_HSCROLL:
        scroll(SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        scroll(SB_VERT, LOWORD(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window_, &ps);
        const SIZE client = clientSize(window_);
        // Drawn off screen first so that stepping through pages does not flicker.
        DibImage buffer;
        if (client.cx > 0 && client.cy > 0 && buffer.make(client.cx, client.cy)) {
            paint(buffer.dc());
            BitBlt(dc, 0, 0, client.cx, client.cy, buffer.dc(), 0, 0, SRCCOPY);
        } else {
            paint(dc);
        }
        EndPaint(window_, &ps);
        return 0;
    }
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

} // namespace tav::win
