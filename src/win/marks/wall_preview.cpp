#include "win/marks/wall_preview.h"

#include <commctrl.h>

#include "model/marks/wall_mark_draft.h"
#include "win/marks/mark_drawing.h"
#include "win/platform/dib_image.h"
#include "win/view/drawing_resource_cache.h"

namespace tav::win {

namespace {

constexpr UINT_PTR subclassId = 0x5750; // "WP"
constexpr COLORREF field = RGB(255, 255, 255);
// Normal view: the line runs 35 pixels and the shapes reach 5 pixels either side of it.
constexpr int normalLineLength = 35;

// The images share one bitmap; this colour is left out of every image.
constexpr COLORREF transparentColour = 0x808000;
constexpr COLORREF imageLine = RGB(128, 128, 128);
constexpr COLORREF imageFrame = RGB(0, 0, 0);
constexpr COLORREF imageFill = RGB(192, 192, 192);
// Normal-view figures span columns 5..29 and rows -5..5 around (x, y).
constexpr int imageShiftX = -4;
constexpr int imageWallRow = 7;

} // namespace

POINT wallPreviewOrigin(int width, int height) {
    return {(width - normalLineLength) / 2, height / 2};
}

void paintWallPreview(HDC dc, const RECT& r, const WallMarkRecord& record, DrawingResourceCache& cache) {
    if (HBRUSH white = cache.solidBrush(field))
        FillRect(dc, &r, white);
    const POINT at = wallPreviewOrigin(r.right - r.left, r.bottom - r.top);
    drawHorizontalWallMarkRecord(dc, r.left + at.x, r.top + at.y, record, mark_scale::normal, cache);
}

WallPreview::~WallPreview() {
    detach();
}

bool WallPreview::attach(HWND control) {
    detach();
    if (!control ||
        !SetWindowSubclass(control, &WallPreview::procedure, subclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    control_ = control;
    InvalidateRect(control_, nullptr, FALSE);
    return true;
}

void WallPreview::detach() {
    if (control_ && IsWindow(control_))
        RemoveWindowSubclass(control_, &WallPreview::procedure, subclassId);
    control_ = nullptr;
}

void WallPreview::setRecord(const WallMarkRecord& record) {
    if (record == record_)
        return;
    record_ = record;
    if (control_)
        InvalidateRect(control_, nullptr, FALSE);
}

LRESULT CALLBACK WallPreview::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR data) {
    auto* self = reinterpret_cast<WallPreview*>(data);
    switch (message) {
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, &WallPreview::procedure, subclassId);
        self->control_ = nullptr;
        break;
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        if (HDC dc = BeginPaint(window, &ps)) {
            RECT client{};
            GetClientRect(window, &client);
            paintWallPreview(dc, client, self->record_, self->cache_);
        }
        EndPaint(window, &ps);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client{};
        GetClientRect(window, &client);
        paintWallPreview(reinterpret_cast<HDC>(wParam), client, self->record_, self->cache_);
        return 0;
    }
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

ImageList makeWallShapeImages(DrawingResourceCache& cache) {
    constexpr int count = wall_edit::shapeCount;
    constexpr int stripWidth = wallShapeImageWidth * count;
    ImageList images(
        ImageList_Create(wallShapeImageWidth, wallShapeImageHeight, ILC_COLOR24 | ILC_MASK, count, 0));
    WindowDc screen(nullptr);
    void* bits = nullptr;
    Bitmap strip = createDibSection(screen.get(), stripWidth, wallShapeImageHeight, 24, bits);
    MemoryDc dc(CreateCompatibleDC(screen.get()));
    if (!images || !strip || !dc)
        return {};
    {
        SelectObjectScope selected(dc.get(), strip.get());
        RECT whole{0, 0, stripWidth, wallShapeImageHeight};
        if (HBRUSH background = cache.solidBrush(transparentColour))
            FillRect(dc.get(), &whole, background);
        for (int code = 0; code < count; ++code) {
            const int left = code * wallShapeImageWidth;
            if (HPEN line = cache.pen(PS_SOLID, 1, imageLine)) {
                SelectObjectScope pen(dc.get(), line);
                MoveToEx(dc.get(), left, imageWallRow, nullptr);
                LineTo(dc.get(), left + wallShapeImageWidth, imageWallRow);
            }
            drawMarkShape(dc.get(), left + imageShiftX, imageWallRow, code, imageFrame, imageFill,
                          mark_scale::normal, WallDirection::horizontal, cache);
        }
    }
    if (ImageList_AddMasked(images.get(), strip.get(), transparentColour) < 0 ||
        ImageList_GetImageCount(images.get()) != count)
        return {};
    return images;
}

} // namespace tav::win
