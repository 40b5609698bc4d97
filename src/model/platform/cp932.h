#pragma once
// Byte-level helpers for CP932 strings, where a trail byte may equal '\\' or an ASCII letter.
#include <cstddef>
#include <string>
#include <string_view>

namespace tav::cp932 {

inline bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length in bytes of the character starting at text[i] (1 or 2; a lead byte at the very end counts as 1).
inline std::size_t charLength(std::string_view text, std::size_t i) {
    return isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// ASCII case-insensitive comparison (double-byte characters compare exactly).
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Replaces the first "%s" of a message template with the argument (the argument is never parsed).
std::string formatWith(std::string_view pattern, std::string_view argument);

} // namespace tav::cp932
