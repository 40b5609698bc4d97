#pragma once
// Arithmetic of the background candidates dialog: a candidate word is the pattern type in bits 24-31 and
// the colour 0x00BBGGRR in bits 0-23; the dialog edits one colour component at a time.
#include <cstdint>

#include "model/app/scroll_rules.h"

namespace tav::candidate {

inline constexpr unsigned lastPattern = 10;
inline constexpr int componentMaximum = 255;
// A component bar: line steps of 1, page steps of 32, 0..255.
inline constexpr scroll::AxisRange componentBar{componentMaximum, 32};

enum class Component { red, green, blue };

inline unsigned patternOf(std::uint32_t word) {
    return word >> 24;
}
inline std::uint32_t colourOf(std::uint32_t word) {
    return word & 0xFFFFFF;
}
std::uint32_t pack(unsigned pattern, std::uint32_t colour);

// The list position that shows a pattern: anything outside 0..lastPattern shows the solid fill.
int listPosition(unsigned pattern);
// Candidate 1..8 to select first; any other number selects 1.
int firstSelection(int requested, int count);

int component(std::uint32_t word, Component which);
// The colour with only this component, the value clamped to 0..255.
std::uint32_t pure(Component which, int value);
// The word with one component replaced; the other components and the pattern are kept.
std::uint32_t withComponent(std::uint32_t word, Component which, int value);

// A component bar's position after a move; thumb positions are clamped too.
int scrolledComponent(int position, scroll::Move move, int thumb = 0);

} // namespace tav::candidate
