#pragma once
#include <cstdint>

namespace tav {

// How the rulers number columns and rows; kept with the map and stored in its file header.
struct RulerSettings {
    std::int32_t columnStart = 0;
    std::int32_t rowStart = 0;
    std::uint8_t basePosition = 0; // 0 map centre, 1 top-left, 2 bottom-left
    std::int8_t columnStep = 1;
    std::int8_t rowStep = -1;
    std::uint8_t reserved = 0;

    bool operator==(const RulerSettings&) const = default;
};
static_assert(sizeof(RulerSettings) == 12);

} // namespace tav
