#pragma once
// Device-independent bitmaps: the one place that fills in a BITMAPINFO for them.
#include <windows.h>

#include <utility>

#include "win/platform/handles.h"

namespace tav::win {

// A DIB section of width x height at bitCount bits per pixel; a negative height makes the rows run
// top-down. bits points at the pixels, or is null with an empty result.
Bitmap createDibSection(HDC dc, int width, int height, WORD bitCount, void*& bits);

// A 32-bit top-down DIB section selected into its own memory context. Empty when either could not be made.
class DibImage {
public:
    DibImage() = default;
    DibImage(int width, int height) { make(width, height); }
    ~DibImage() { reset(); }
    DibImage(const DibImage&) = delete;
    DibImage& operator=(const DibImage&) = delete;

    bool make(int width, int height);
    void reset();
    HDC dc() const { return dc_.get(); }
    void* bits() const { return bits_; }
    explicit operator bool() const { return bits_ != nullptr; }
    // Trades pictures with another image: each context keeps the bitmap it has selected.
    void swap(DibImage& other) noexcept {
        std::swap(dc_, other.dc_);
        std::swap(bitmap_, other.bitmap_);
        std::swap(old_, other.old_);
        std::swap(bits_, other.bits_);
    }

private:
    MemoryDc dc_;
    Bitmap bitmap_;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

} // namespace tav::win
