#pragma once
// The small preview beside a pixel canvas: the canvas's picture at its own size, on a background colour,
// with its transparent colour showing the background when asked. It reads the canvas's picture directly,
// so the host refreshes it after every change.
#include <windows.h>

#include "win/platform/handles.h"

namespace tav::win {

class ImagePreview {
public:
    ImagePreview() = default;
    ~ImagePreview();
    ImagePreview(const ImagePreview&) = delete;
    ImagePreview& operator=(const ImagePreview&) = delete;

    // Takes over a static control of the host.
    bool attach(HWND control);
    HWND handle() const { return window_; }
    // Borrows the canvas's picture context; false (and unbound) when its size or the mask cannot be had.
    bool bindCanvas(HDC picture, COLORREF background);
    void setPreviewTransparentColour(COLORREF colour);
    void setPreviewTransparent(bool transparent);
    // Builds the mask of the transparent colour again and repaints.
    void refreshMask();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
    void paint();

    HWND window_ = nullptr;
    HDC picture_ = nullptr; // borrowed
    int width_ = 0, height_ = 0;
    RECT destination_{};
    COLORREF background_ = 0xF1FBFF;
    COLORREF transparent_ = 0x008000;
    bool transparentShown_ = false;
    Bitmap mask_;
    MemoryDc maskDc_;
    HGDIOBJ previousMask_ = nullptr;
};

} // namespace tav::win
