#pragma once
#include <cstdint>

namespace tav {

constexpr std::uint32_t noColour = 0xFF000000;

// A wall mark: a line along a cell edge with an optional back and front shape. Stored as these 24 bytes.
struct WallMarkRecord {
    std::uint32_t lineColor = 0;
    std::uint32_t backFrameColor = noColour;
    std::uint32_t backFillColor = noColour;
    std::uint32_t frontFrameColor = noColour;
    std::uint32_t frontFillColor = noColour;
    std::uint8_t registered = 0;
    std::uint8_t lineVisible = 0;
    std::uint8_t backShape = 0;
    std::uint8_t frontShape = 0;

    bool operator==(const WallMarkRecord&) const = default;
};
static_assert(sizeof(WallMarkRecord) == 24);

} // namespace tav
