#pragma once
#include <array>
#include <cstdint>

#include "model/marks/room_mark.h"
#include "model/marks/wall_mark.h"

namespace tav {

constexpr int wallSlotCount = 20;
constexpr int roomSlotCount = 20;
constexpr int backgroundCandidateCount = 8;

// A background word: bits 24-31 the fill pattern type (0 solid, 1..10), bits 0-23 the RGB colour.
using BackgroundCandidates = std::array<std::uint32_t, backgroundCandidateCount>;

BackgroundCandidates defaultBackgroundCandidates();

// The marks a map is painted with: 20 wall marks, 20 room marks and 8 background candidates.
// Slot n (1..20) is element n-1.
struct MarkPalette {
    BackgroundCandidates backgrounds = defaultBackgroundCandidates();
    std::array<WallMarkRecord, wallSlotCount> walls{};
    std::array<RoomMarkSlot, roomSlotCount> rooms{};

    bool operator==(const MarkPalette&) const = default;
};

inline BackgroundCandidates defaultBackgroundCandidates() {
    return {0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00, 0xFF00FF};
}

} // namespace tav
