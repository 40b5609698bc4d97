#pragma once
// Room pictures stored with a header other than the standard 24-bit one are redrawn by the platform.
#include <cstddef>
#include <cstdint>

#include "model/marks/room_mark.h"

namespace tav {

// A stored bitmap whose header has been checked against the bytes really there: the colour table and
// every pixel row lie inside the slot. Only uncompressed bitmaps (with bit fields for 16 and 32 bits).
struct StoredBitmap {
    int width = 0;
    int height = 0; // positive: bottom row first
    int bitCount = 0;
    bool bitFields = false;
    std::uint32_t masks[3] = {};           // red, green, blue when bitFields
    const std::uint8_t* colours = nullptr; // colourCount entries of blue, green, red, reserved
    std::size_t colourCount = 0;           // at most 256
    const std::uint8_t* bits = nullptr;    // height rows of stride bytes
    std::size_t stride = 0;
};

class PictureConverter {
public:
    virtual ~PictureConverter() = default;
    // Draws source into out with halftone stretching; false leaves the slot empty.
    virtual bool convert(const StoredBitmap& source, RoomPicture<23>& out) = 0;
    virtual bool convert(const StoredBitmap& source, RoomPicture<15>& out) = 0;
};

// Checks a stored 40-byte header and what follows it (area bytes) and describes the bitmap; false when
// the header is not one the platform can draw or the data would not fit.
bool describeStoredBitmap(const std::uint8_t* header, std::size_t areaSize, StoredBitmap& out);

} // namespace tav
