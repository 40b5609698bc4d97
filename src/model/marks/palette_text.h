#pragma once
// The readable source of a mark palette (data/base_palette.txt): a colour legend, wall mark records as
// key = value lines and room pictures drawn as rows of legend characters.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/marks/mark_palette.h"

namespace tav {

// Names of the wall mark shape codes 0..12 in the text, in code order.
inline constexpr std::array<std::string_view, 13> wallShapeNames = {
    "none",           "rectangle", "half-up",  "half-down", "arrow-up", "arrow-down", "trapezoid-up",
    "trapezoid-down", "circle",    "triangle", "square",    "cross",    "lock"};

struct PaletteTextError {
    int line = 0; // 1-based line where the fault was found
    std::string message;

    std::string describe() const { return "line " + std::to_string(line) + ": " + message; }
};

// Parses the text into palette. Slots without a section stay unregistered; background candidates keep
// their defaults. On failure palette is left as it was and the first fault is returned.
std::optional<PaletteTextError> parsePaletteText(std::string_view text, MarkPalette& palette);

} // namespace tav
