#pragma once
// A room mark slot's pictures as bitmaps and back: what the room mark editor loads into its canvases and
// takes from them.
#include <windows.h>

#include "model/marks/room_mark.h"
#include "win/platform/handles.h"

namespace tav::win {

// The picture as a 24-bit device-independent section; empty when it cannot be made.
template <int Side> Bitmap pictureBitmap(const RoomPicture<Side>& picture);
// The bitmap's top-left Side x Side pixels into the picture's rows (the transparent colour is left alone);
// false when the bitmap is smaller or cannot be read. The bitmap must not be selected into a context.
template <int Side> bool readPictureBitmap(HBITMAP bitmap, RoomPicture<Side>& picture);

extern template Bitmap pictureBitmap(const RoomPicture<23>&);
extern template Bitmap pictureBitmap(const RoomPicture<15>&);
extern template bool readPictureBitmap(HBITMAP, RoomPicture<23>&);
extern template bool readPictureBitmap(HBITMAP, RoomPicture<15>&);

} // namespace tav::win
