#pragma once
// Little-endian fields of the stored file and clipboard layouts, read and written byte by byte so neither
// the host's byte order nor its alignment matters.
#include <cstdint>

namespace tav::le {

inline std::uint16_t get16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

inline std::uint32_t get32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

inline std::int32_t getSigned32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(get32(p));
}

inline void put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

} // namespace tav::le
