#include "win/canvas/image_preview.h"

#include <commctrl.h>

#include <algorithm>

namespace tav::win {

namespace {
constexpr UINT_PTR subclassId = 0x4950; // "IP"
} // namespace

ImagePreview::~ImagePreview() {
    if (maskDc_ && previousMask_)
        SelectObject(maskDc_.get(), previousMask_);
    if (window_ && IsWindow(window_))
        RemoveWindowSubclass(window_, &ImagePreview::procedure, subclassId);
}

bool ImagePreview::attach(HWND control) {
    if (!control ||
        !SetWindowSubclass(control, &ImagePreview::procedure, subclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    window_ = control;
    return true;
}

bool ImagePreview::bindCanvas(HDC picture, COLORREF background) {
    picture_ = nullptr;
    background_ = background;
    HBITMAP bitmap = picture ? static_cast<HBITMAP>(GetCurrentObject(picture, OBJ_BITMAP)) : nullptr;
    BITMAP size{};
    if (!bitmap || !GetObjectW(bitmap, sizeof(size), &size) || !window_)
        return false;
    if (maskDc_ && previousMask_)
        SelectObject(maskDc_.get(), previousMask_);
    previousMask_ = nullptr;
    mask_.reset(CreateBitmap(size.bmWidth, size.bmHeight, 1, 1, nullptr));
    maskDc_.reset(CreateCompatibleDC(picture));
    if (!mask_ || !maskDc_)
        return false;
    previousMask_ = SelectObject(maskDc_.get(), mask_.get());
    width_ = size.bmWidth;
    height_ = size.bmHeight;
    RECT client{};
    GetClientRect(window_, &client);
    const int cw = client.right, ch = client.bottom;
    const int x = cw - width_ >= 2 ? (cw - width_) >> 1 : 0;
    const int y = ch - height_ >= 2 ? (ch - height_) >> 1 : 0;
    destination_ = {x, y, x + std::min(cw, width_), y + std::min(ch, height_)};
    picture_ = picture;
    refreshMask();
    return true;
}

void ImagePreview::setPreviewTransparentColour(COLORREF colour) {
    transparent_ = colour;
    refreshMask();
}

void ImagePreview::setPreviewTransparent(bool transparent) {
    transparentShown_ = transparent;
    refreshMask();
}

void ImagePreview::refreshMask() {
    if (transparentShown_ && picture_ && maskDc_) {
        // A monochrome copy turns the background colour white and everything else black.
        const COLORREF old = SetBkColor(picture_, transparent_);
        BitBlt(maskDc_.get(), 0, 0, width_, height_, picture_, 0, 0, SRCCOPY);
        SetBkColor(picture_, old);
    }
    if (window_)
        InvalidateRect(window_, nullptr, FALSE);
}

void ImagePreview::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    RECT client{};
    GetClientRect(window_, &client);
    Brush background(CreateSolidBrush(background_));
    FillRect(dc, &client, background.get());
    if (picture_) {
        const int w = destination_.right - destination_.left, h = destination_.bottom - destination_.top;
        SetStretchBltMode(dc, COLORONCOLOR);
        if (transparentShown_ && maskDc_) {
            // The mask's white must come out white and its black black.
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, RGB(255, 255, 255));
            StretchBlt(dc, destination_.left, destination_.top, w, h, picture_, 0, 0, w, h, SRCINVERT);
            StretchBlt(dc, destination_.left, destination_.top, w, h, maskDc_.get(), 0, 0, w, h, SRCAND);
            StretchBlt(dc, destination_.left, destination_.top, w, h, picture_, 0, 0, w, h, SRCINVERT);
        } else {
            StretchBlt(dc, destination_.left, destination_.top, w, h, picture_, 0, 0, w, h, SRCCOPY);
        }
    }
    EndPaint(window_, &ps);
}

LRESULT CALLBACK ImagePreview::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self) {
    auto* preview = reinterpret_cast<ImagePreview*>(self);
    switch (message) {
    case WM_PAINT:
        preview->paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, &ImagePreview::procedure, subclassId);
        preview->window_ = nullptr;
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace tav::win
