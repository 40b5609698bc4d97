#include "win/platform/dib_image.h"

namespace tav::win {

Bitmap createDibSection(HDC dc, int width, int height, WORD bitCount, void*& bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    bits = nullptr;
    Bitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) {
        bits = nullptr;
        return Bitmap{};
    }
    return bitmap;
}

bool DibImage::make(int width, int height) {
    reset();
    dc_.reset(CreateCompatibleDC(nullptr));
    if (!dc_)
        return false;
    void* bits = nullptr;
    bitmap_ = createDibSection(dc_.get(), width, -height, 32, bits);
    if (!bitmap_) {
        dc_.reset();
        return false;
    }
    old_ = SelectObject(dc_.get(), bitmap_.get());
    bits_ = bits;
    return true;
}

void DibImage::reset() {
    if (dc_ && old_)
        SelectObject(dc_.get(), old_);
    old_ = nullptr;
    bits_ = nullptr;
    bitmap_.reset();
    dc_.reset();
}

} // namespace tav::win
