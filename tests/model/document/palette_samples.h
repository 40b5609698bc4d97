#pragma once
// Palettes for the palette tests: every slot and picture distinct, so a slot read into the wrong place or
// a byte off by one shows.
#include <cstdint>
#include <cstring>
#include <vector>

#include "model/document/palette_block.h"
#include "model/document/picture_converter.h"
#include "support/memory_file_system.h"

namespace tav::test {

template <int Side> RoomPicture<Side> samplePicture(int seed) {
    RoomPicture<Side> picture;
    picture.transparent = seed % 3 == 0 ? noColour : static_cast<std::uint32_t>(0x010203 * seed) & 0xFFFFFF;
    for (std::size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = static_cast<std::uint8_t>(i * 7 + seed * 13 + i / 251);
    return picture;
}

inline RoomMarkSlot sampleRoom(int seed) {
    RoomMarkSlot slot;
    slot.registered = true;
    slot.normalImage = samplePicture<23>(seed);
    slot.wideImage = samplePicture<15>(seed + 100);
    return slot;
}

inline WallMarkRecord sampleWall(int seed) {
    const auto s = static_cast<std::uint32_t>(seed);
    return {0x00102030u + s,
            0x00010101u * s,
            noColour,
            0x00ABCDEFu ^ s,
            0x00000100u * s,
            1,
            static_cast<std::uint8_t>(seed % 2),
            static_cast<std::uint8_t>(seed % 13),
            static_cast<std::uint8_t>((seed * 5) % 13)};
}

// Slot 3 of each kind stays empty; every other slot holds a mark.
inline MarkPalette samplePalette(int seed = 1) {
    MarkPalette palette;
    for (int i = 0; i < backgroundCandidateCount; ++i)
        palette.backgrounds[i] =
            static_cast<std::uint32_t>((i % 11) << 24) | static_cast<std::uint32_t>(0x111111 * (i + seed));
    for (int i = 0; i < wallSlotCount; ++i)
        if (i != 2)
            palette.walls[i] = sampleWall(seed * 31 + i);
    for (int i = 0; i < roomSlotCount; ++i)
        if (i != 2)
            palette.rooms[i] = sampleRoom(seed * 37 + i);
    return palette;
}

inline std::uint8_t* roomSlotBytes(std::vector<std::uint8_t>& block, int slot) {
    return block.data() + palette_layout::roomsOffset + palette_layout::roomSlotSize * (slot - 1);
}

inline void put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Cancels a failure point the last operation did not reach.
inline void disarm(MemoryFileSystem& files) {
    files.failAt(-1 - files.operationCount(), FileCause::none);
}

// A converter that reads every byte it is given (so the sanitizers see any overrun) and fills the picture
// from what it read.
class TouchingConverter : public PictureConverter {
public:
    bool convert(const StoredBitmap& source, RoomPicture<23>& out) override { return fill(source, out); }
    bool convert(const StoredBitmap& source, RoomPicture<15>& out) override { return fill(source, out); }

    std::vector<StoredBitmap> calls;
    bool answer = true;

private:
    template <int Side> bool fill(const StoredBitmap& source, RoomPicture<Side>& out) {
        calls.push_back(source);
        std::uint8_t sum = 0;
        for (std::size_t i = 0; i < source.colourCount * 4; ++i)
            sum = static_cast<std::uint8_t>(sum + source.colours[i]);
        for (std::size_t i = 0; i < source.stride * static_cast<std::size_t>(source.height); ++i)
            sum = static_cast<std::uint8_t>(sum + source.bits[i]);
        out.pixels.fill(sum);
        return answer;
    }
};

} // namespace tav::test
