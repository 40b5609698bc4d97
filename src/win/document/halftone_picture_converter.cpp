#include "win/document/halftone_picture_converter.h"

#include <windows.h>

#include <cstring>

#include "win/platform/handles.h"

namespace tav::win {

namespace {

// Room for the three bit-field masks and a full colour table after the header.
struct SourceInfo {
    BITMAPINFOHEADER header;
    std::uint8_t table[12 + 256 * 4];
};

template <int Side> bool draw(const StoredBitmap& source, RoomPicture<Side>& out) {
    if (source.width <= 0 || source.height <= 0 || !source.bits || source.colourCount > 256)
        return false;
    // The header is rebuilt from the checked description: GDI never sees a stored field as it was.
    SourceInfo info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = source.width;
    info.header.biHeight = source.height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(source.bitCount);
    info.header.biCompression = source.bitFields ? BI_BITFIELDS : BI_RGB;
    info.header.biSizeImage = static_cast<DWORD>(source.stride * static_cast<std::size_t>(source.height));
    info.header.biClrUsed = static_cast<DWORD>(source.colourCount);
    std::size_t offset = 0;
    if (source.bitFields) {
        std::memcpy(info.table, source.masks, sizeof(source.masks));
        offset = sizeof(source.masks);
    }
    if (source.colourCount)
        std::memcpy(info.table + offset, source.colours, source.colourCount * 4);

    BITMAPINFO target{};
    target.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    target.bmiHeader.biWidth = Side;
    target.bmiHeader.biHeight = Side;
    target.bmiHeader.biPlanes = 1;
    target.bmiHeader.biBitCount = 24;
    target.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    Bitmap bitmap(CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &pixels, nullptr, 0));
    MemoryDc dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc || !pixels)
        return false;
    {
        SelectObjectScope select(dc.get(), bitmap.get());
        SetStretchBltMode(dc.get(), HALFTONE);
        SetBrushOrgEx(dc.get(), 0, 0, nullptr); // halftone needs the origin reset after the mode
        const int lines =
            StretchDIBits(dc.get(), 0, 0, Side, Side, 0, 0, source.width, source.height, source.bits,
                          reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
        if (lines <= 0) // 0, or GDI_ERROR as an int
            return false;
        GdiFlush();
    }
    // A 24-bit bottom-up section has the same row padding as the picture.
    std::memcpy(out.pixels.data(), pixels, out.pixels.size());
    return true;
}

} // namespace

bool HalftonePictureConverter::convert(const StoredBitmap& source, RoomPicture<23>& out) {
    return draw(source, out);
}

bool HalftonePictureConverter::convert(const StoredBitmap& source, RoomPicture<15>& out) {
    return draw(source, out);
}

} // namespace tav::win
