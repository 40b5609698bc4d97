#pragma once
// The 76-byte stored form of a comment area, as map files and the comment clipboard block carry it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tav {

namespace comment {
constexpr std::size_t recordSize = 76;
constexpr std::size_t faceNameSize = 32;
// COLORREF meaning "none": no frame or pointer line, or a transparent background.
constexpr std::uint32_t noColour = 0xFF000000;
constexpr std::uint8_t shiftJisCharset = 128;

namespace frame {
constexpr std::uint8_t rectangle = 0;
constexpr std::uint8_t roundedRectangle = 1;
constexpr std::uint8_t ellipse = 2;
constexpr std::uint8_t none = 3;
} // namespace frame

namespace anchor {
constexpr std::uint8_t circle = 0;
constexpr std::uint8_t square = 1;
constexpr std::uint8_t lineOnly = 2;
constexpr std::uint8_t noLine = 3;
} // namespace anchor

namespace style {
constexpr std::uint8_t bold = 1;
constexpr std::uint8_t italic = 2;
constexpr std::uint8_t underline = 4;
constexpr std::uint8_t strikeOut = 8;
} // namespace style

// Alignment byte: horizontal in the low 4 bits, vertical in the high 4 bits.
namespace align {
constexpr int left = 0;
constexpr int centre = 1;
constexpr int right = 2;
constexpr int top = 0;
constexpr int middle = 1;
constexpr int bottom = 2;
} // namespace align
} // namespace comment

struct CommentRecord {
    std::array<char, comment::faceNameSize> faceName{}; // CP932, zero-terminated
    // Frame in map pixels at the normal-view pitch, right and bottom exclusive.
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    // Anchor point minus the frame's top-left, normal-view pixels.
    std::int32_t anchorDx = 0;
    std::int32_t anchorDy = 0;
    std::uint32_t frameColour = 0;
    std::uint32_t backgroundColour = 0xFFFFFF;
    std::uint32_t textColour = 0;
    std::int16_t pointSize = 9; // at normal-view scale
    std::uint8_t charset = comment::shiftJisCharset;
    std::uint8_t styleFlags = 0;
    std::uint8_t frameStyle = comment::frame::rectangle;
    std::uint8_t anchorStyle = comment::anchor::circle;
    std::uint8_t alignment = 0;
    std::uint8_t reserved = 0;

    // The look of a new comment area: "ＭＳ ゴシック" 9 points, black on white, rectangle, circle mark.
    static CommentRecord defaults();

    // Up to the first zero byte (all 32 bytes when there is none).
    std::string face() const;
    // Keeps at most 31 bytes and never cuts a double-byte character in half.
    void setFace(std::string_view face);

    int horizontalAlignment() const { return alignment & 0x0F; }
    int verticalAlignment() const { return alignment >> 4; }

    std::array<std::uint8_t, comment::recordSize> encode() const;
    // False when fewer than 76 bytes are given. The reserved byte is not interpreted.
    static bool decode(std::span<const std::uint8_t> bytes, CommentRecord& record);

    bool operator==(const CommentRecord&) const = default;
};

} // namespace tav
