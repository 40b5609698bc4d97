#include "win/marks/room_picture_bitmaps.h"

#include <cstring>
#include <vector>

#include "win/platform/dib_image.h"

namespace tav::win {

template <int Side> Bitmap pictureBitmap(const RoomPicture<Side>& picture) {
    void* bits = nullptr;
    Bitmap bitmap = createDibSection(nullptr, Side, Side, 24, bits); // bottom-up, as the slot keeps its rows
    if (!bitmap || !bits)
        return {};
    std::memcpy(bits, picture.pixels.data(), picture.pixels.size());
    return bitmap;
}

template <int Side> bool readPictureBitmap(HBITMAP bitmap, RoomPicture<Side>& picture) {
    BITMAP size{};
    if (!bitmap || !GetObjectW(bitmap, sizeof size, &size) || size.bmWidth < Side ||
        (size.bmHeight < 0 ? -size.bmHeight : size.bmHeight) < Side)
        return false;
    // Copied through a section of the picture's own size, so a larger bitmap gives its top-left corner.
    void* bits = nullptr;
    Bitmap rows = createDibSection(nullptr, Side, Side, 24, bits);
    MemoryDc source(CreateCompatibleDC(nullptr));
    MemoryDc target(CreateCompatibleDC(nullptr));
    if (!rows || !bits || !source || !target)
        return false;
    {
        SelectObjectScope from(source.get(), bitmap);
        SelectObjectScope to(target.get(), rows.get());
        if (GetCurrentObject(source.get(), OBJ_BITMAP) != bitmap ||
            !BitBlt(target.get(), 0, 0, Side, Side, source.get(), 0, 0, SRCCOPY))
            return false;
        GdiFlush();
    }
    std::memcpy(picture.pixels.data(), bits, picture.pixels.size());
    return true;
}

template Bitmap pictureBitmap(const RoomPicture<23>&);
template Bitmap pictureBitmap(const RoomPicture<15>&);
template bool readPictureBitmap(HBITMAP, RoomPicture<23>&);
template bool readPictureBitmap(HBITMAP, RoomPicture<15>&);

} // namespace tav::win
