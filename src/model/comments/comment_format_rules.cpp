#include "model/comments/comment_format_rules.h"

#include <algorithm>

#include "model/app/settings_entries.h"
#include "model/comments/comment_area.h"
#include "model/comments/comment_record.h"

namespace tav::comment_format {

namespace {

constexpr std::uint8_t boldAndItalic = comment::style::bold | comment::style::italic;

bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// One character as a number: a byte, or lead and trail byte together; letters folded to lower case.
unsigned foldedCharacter(std::string_view text, std::size_t& at) {
    const auto first = static_cast<unsigned char>(text[at++]);
    if (isLeadByte(first) && at < text.size()) {
        const unsigned code = (first << 8) | static_cast<unsigned char>(text[at++]);
        // Full-width A..Z (0x8260..0x8279) to a..z (0x8281..0x829A).
        return code >= 0x8260 && code <= 0x8279 ? code + 0x21 : code;
    }
    return first >= 'A' && first <= 'Z' ? first + ('a' - 'A') : first;
}

} // namespace

int styleIndex(std::uint8_t styleFlags) {
    const bool bold = styleFlags & comment::style::bold;
    const bool italic = styleFlags & comment::style::italic;
    return (bold ? 2 : 0) + (italic ? 1 : 0);
}

std::uint8_t withStyleIndex(std::uint8_t styleFlags, int index) {
    if (index < 0 || index >= styleCount)
        return styleFlags;
    std::uint8_t flags = styleFlags & ~boldAndItalic;
    if (index & 2)
        flags |= comment::style::bold;
    if (index & 1)
        flags |= comment::style::italic;
    return flags;
}

std::optional<int> previewHeight(std::string_view sizeText) {
    const std::optional<int> size = entries::parseNumber(sizeText);
    if (!size || *size < smallestPreviewed)
        return std::nullopt;
    return std::min(*size, largestSize);
}

int storedPointSize(std::string_view sizeText, int previous) {
    const std::optional<int> size = entries::parseNumber(sizeText);
    return size ? std::clamp(*size, 1, largestSize) : previous;
}

std::string_view previewSample(std::uint8_t charset) {
    if (charset == 2 || charset == comment::shiftJisCharset)
        return "Aaあぁアァ亜宇";
    return "AaBbYyZz";
}

int compareFaceNames(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const unsigned x = foldedCharacter(a, i);
        const unsigned y = foldedCharacter(b, j);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    return j < b.size() ? -1 : 0;
}

bool addFace(std::vector<FontFace>& list, std::string_view name, std::uint8_t charset) {
    auto at = list.begin();
    for (; at != list.end(); ++at) {
        const int order = compareFaceNames(name, at->name);
        if (order == 0)
            return false;
        if (order > 0)
            break;
    }
    list.insert(at, FontFace{std::string(name), charset});
    return true;
}

bool keepsScreenFont(std::string_view fullName, bool trueType, std::uint8_t charset) {
    return trueType && (charset == 0 || charset == 2 || charset == comment::shiftJisCharset) &&
           keepsPrinterFont(fullName);
}

bool keepsPrinterFont(std::string_view fullName) {
    return fullName.empty() || fullName.front() != '@';
}

PlacementRanges placementRanges(int mapPixelWidth, int mapPixelHeight) {
    const int w = std::max(mapPixelWidth, comment::minSide + 1);
    const int h = std::max(mapPixelHeight, comment::minSide + 1);
    return {{0, w - 9},        {0, h - 9},       {comment::minSide, w}, {comment::minSide, h},
            {-(w - 1), w - 1}, {-(h - 1), h - 1}};
}

Placement placementOf(const PixelRect& frame, PixelPoint anchorOffset) {
    return {frame.left, frame.top, frame.width(), frame.height(), anchorOffset.x, anchorOffset.y};
}

Placement clamped(const Placement& p, const PlacementRanges& r) {
    return {r.x.clamp(p.x),
            r.y.clamp(p.y),
            r.width.clamp(p.width),
            r.height.clamp(p.height),
            r.anchorX.clamp(p.anchorX),
            r.anchorY.clamp(p.anchorY)};
}

Draft draftOf(const CommentArea& area, int columns, int rows) {
    const int pitch = commentPitch(area.isWide());
    return {area.format(), placementOf(area.frame(), area.anchorOffset()),
            placementRanges(columns * pitch + 1, rows * pitch + 1)};
}

} // namespace tav::comment_format
