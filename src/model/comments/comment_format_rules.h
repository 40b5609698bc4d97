#pragma once
// Rules of the comment format dialog that are numbers and bytes: the style list, the size field and its
// preview, the face list of the font pages and the ranges of the placement page.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/comments/comment_area.h"
#include "model/comments/pixel_rect.h"

namespace tav::comment_format {

// Style list order: regular, italic, bold, bold italic. Underline and strike-out are kept apart.
inline constexpr int styleCount = 4;
int styleIndex(std::uint8_t styleFlags);
// The flags with bold and italic from the list position; the other bits are kept. A position outside the
// list leaves the flags as they are.
std::uint8_t withStyleIndex(std::uint8_t styleFlags, int index);

inline constexpr std::array<int, 22> listedSizes = {6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                                                    18, 20, 22, 24, 26, 28, 30, 32, 48, 64, 80};
// Smaller sizes show no preview.
inline constexpr int smallestPreviewed = 6;
inline constexpr int largestSize = 999;
// The preview's cell height in pixels for the size typed; nothing for no number or a size of 5 or less.
std::optional<int> previewHeight(std::string_view sizeText);
// The size OK stores: the number typed, kept to 1..largestSize; text that is no number keeps previous.
int storedPointSize(std::string_view sizeText, int previous);
// The preview shows Japanese for the Shift-JIS and symbol character sets, Latin letters otherwise.
std::string_view previewSample(std::uint8_t charset);

// Face names compare without regard to case, double-byte characters as a whole (full-width letters fold
// too). Negative, zero or positive like strcmp.
int compareFaceNames(std::string_view a, std::string_view b);

struct FontFace {
    std::string name;
    std::uint8_t charset = 0;
    bool operator==(const FontFace&) const = default;
};
// Inserts before the first entry that compares smaller; a face already listed keeps its first character
// set. True when inserted.
bool addFace(std::vector<FontFace>& list, std::string_view name, std::uint8_t charset);
// Vertical-writing variants ("@" faces) never show. The screen keeps TrueType faces in the ANSI, symbol and
// Shift-JIS sets only; a printer keeps all others.
bool keepsScreenFont(std::string_view fullName, bool trueType, std::uint8_t charset);
bool keepsPrinterFont(std::string_view fullName);

// Placement page: the map's pixel size is columns x pitch + 1 by rows x pitch + 1.
struct Range {
    int lowest = 0;
    int highest = 0;
    int clamp(int value) const { return value < lowest ? lowest : value > highest ? highest : value; }
    bool operator==(const Range&) const = default;
};
struct PlacementRanges {
    Range x, y, width, height, anchorX, anchorY;
};
PlacementRanges placementRanges(int mapPixelWidth, int mapPixelHeight);

// The numbers of the placement page, frame as position and size, anchor relative to the frame's top-left.
struct Placement {
    int x = 0, y = 0, width = 0, height = 0, anchorX = 0, anchorY = 0;
    bool operator==(const Placement&) const = default;
};
Placement placementOf(const PixelRect& frame, PixelPoint anchorOffset);
// Each number kept to its range.
Placement clamped(const Placement& placement, const PlacementRanges& ranges);
inline PixelRect frameOf(const Placement& p) {
    return {p.x, p.y, p.x + p.width, p.y + p.height};
}

// Alignment byte: horizontal in the low 4 bits, vertical in the high 4 bits.
inline std::uint8_t alignmentByte(int horizontal, int vertical) {
    return static_cast<std::uint8_t>(((vertical & 0x0F) << 4) | (horizontal & 0x0F));
}

// The working copy of the dialog: the area's look and placement, and the ranges of its map at the area's
// current view pitch.
struct Draft {
    CommentFormat format;
    Placement placement;
    PlacementRanges ranges;
};
Draft draftOf(const CommentArea& area, int columns, int rows);

} // namespace tav::comment_format
