#pragma once
// A 32-bit top-down DIB section to draw into and read back pixel by pixel.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "support/png_writer.h"
#include "win/platform/dib_image.h"
#include "win/platform/handles.h"

namespace tav::test {

inline constexpr COLORREF cream = RGB(255, 251, 241);
inline constexpr COLORREF white = RGB(255, 255, 255);

class DibCanvas {
public:
    DibCanvas(int width, int height, COLORREF fill = white) : width_(width), height_(height) {
        void* bits = nullptr;
        dc_.reset(CreateCompatibleDC(nullptr));
        bitmap_ = win::createDibSection(dc_.get(), width, -height, 32, bits);
        pixels_ = static_cast<std::uint32_t*>(bits);
        old_ = SelectObject(dc_.get(), bitmap_.get());
        paint({0, 0, width, height}, fill);
    }
    ~DibCanvas() { SelectObject(dc_.get(), old_); }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC dc() const { return dc_.get(); }
    bool ready() const { return pixels_ != nullptr; }
    int width() const { return width_; }
    int height() const { return height_; }

    void paint(RECT r, COLORREF colour) {
        GdiFlush();
        for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, height_); ++y)
            for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, width_); ++x)
                pixels_[std::size_t(y) * width_ + x] = rgbOf(colour);
    }
    COLORREF at(int x, int y) const {
        GdiFlush();
        const std::uint32_t p = pixels_[std::size_t(y) * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    std::vector<std::uint32_t> snapshot() const {
        GdiFlush();
        return {pixels_, pixels_ + std::size_t(width_) * height_};
    }
    // Rows of r as legend characters, '?' for a colour the legend lacks; rows end with '\n'.
    std::string picture(RECT r, const std::map<COLORREF, char>& legend) const {
        std::string text;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                auto found = legend.find(at(x, y));
                text += found == legend.end() ? '?' : found->second;
            }
            text += '\n';
        }
        return text;
    }
    // Bounding box of the pixels in r that are none of the given colours.
    RECT inkBox(RECT r, std::initializer_list<COLORREF> not_) const {
        RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (std::find(not_.begin(), not_.end(), at(x, y)) == not_.end()) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    }
    int count(RECT r, COLORREF colour) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += at(x, y) == colour;
        return n;
    }
    // Saved enlarged so that single pixels can be seen.
    bool save(const std::string& path, int zoom = 1) const {
        GdiFlush();
        std::vector<std::uint32_t> big(std::size_t(width_) * zoom * height_ * zoom);
        for (int y = 0; y < height_ * zoom; ++y)
            for (int x = 0; x < width_ * zoom; ++x)
                big[std::size_t(y) * width_ * zoom + x] = pixels_[std::size_t(y / zoom) * width_ + x / zoom];
        return writePng(path, width_ * zoom, height_ * zoom, big.data());
    }

private:
    static std::uint32_t rgbOf(COLORREF c) {
        return std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 | GetBValue(c);
    }

    int width_;
    int height_;
    win::MemoryDc dc_;
    win::Bitmap bitmap_;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* pixels_ = nullptr;
};

// What the screen shows of a window (clipped to the screen), saved for a person to look at.
inline bool saveScreenPicture(HWND window, const std::string& path) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT frame{}, placed{}, screenArea{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    GetWindowRect(window, &placed);
    if (!IntersectRect(&frame, &placed, &screenArea))
        return false;
    DibCanvas canvas(frame.right - frame.left, frame.bottom - frame.top);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.dc(), 0, 0, canvas.width(), canvas.height(), screen, frame.left, frame.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return canvas.save(path);
}

} // namespace tav::test
