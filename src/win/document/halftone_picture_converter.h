#pragma once
// Draws stored room pictures of other formats into the 24-bit pictures with GDI's halftone stretching.
#include "model/document/picture_converter.h"

namespace tav::win {

class HalftonePictureConverter : public PictureConverter {
public:
    bool convert(const StoredBitmap& source, RoomPicture<23>& out) override;
    bool convert(const StoredBitmap& source, RoomPicture<15>& out) override;
};

} // namespace tav::win
