#pragma once
// A picture converter for the fuzz targets: reads every byte a description points at, so one reaching past
// its record trips AddressSanitizer. Not instrumented: its loops run over every pixel and are no behaviour of
// the model.
#include <cstdint>

#include "model/document/picture_converter.h"

namespace tav::fuzz {

class TouchingConverter : public PictureConverter {
public:
    bool convert(const StoredBitmap& source, RoomPicture<23>& out) override { return fill(source, out); }
    bool convert(const StoredBitmap& source, RoomPicture<15>& out) override { return fill(source, out); }

private:
    template <int Side>
    __attribute__((no_sanitize("coverage"))) bool fill(const StoredBitmap& source, RoomPicture<Side>& out) {
        std::uint8_t sum = 0;
        for (std::size_t i = 0; i < source.colourCount * 4; ++i)
            sum = static_cast<std::uint8_t>(sum + source.colours[i]);
        for (std::size_t i = 0; i < source.stride * static_cast<std::size_t>(source.height); ++i)
            sum = static_cast<std::uint8_t>(sum + source.bits[i]);
        out.pixels.fill(sum);
        return (sum & 7) != 0; // sometimes the platform fails too
    }
};

} // namespace tav::fuzz
