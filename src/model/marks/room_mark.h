#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "model/marks/wall_mark.h"

namespace tav {

// Bottom-up 24-bit pixel rows padded to four bytes, as a device-independent bitmap holds them.
template <int Side> struct RoomPicture {
    static constexpr int side = Side;
    static constexpr std::size_t stride = (Side * 3 + 3) / 4 * 4;
    static constexpr std::size_t byteSize = stride * Side;

    std::uint32_t transparent = noColour;
    std::array<std::uint8_t, byteSize> pixels{};

    bool operator==(const RoomPicture&) const = default;
};

// A room mark slot: a 23x23 picture for the normal view and a 15x15 one for the wide view.
struct RoomMarkSlot {
    bool registered = false;
    RoomPicture<23> normalImage;
    RoomPicture<15> wideImage;

    bool operator==(const RoomMarkSlot&) const = default;
};

static_assert(RoomPicture<23>::byteSize == 1656);
static_assert(RoomPicture<15>::byteSize == 720);

} // namespace tav
