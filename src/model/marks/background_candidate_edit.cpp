#include "model/marks/background_candidate_edit.h"

#include <algorithm>

namespace tav::candidate {

namespace {
int shiftOf(Component which) {
    return 8 * static_cast<int>(which);
}
} // namespace

std::uint32_t pack(unsigned pattern, std::uint32_t colour) {
    return (pattern & 0xFF) << 24 | colourOf(colour);
}

int listPosition(unsigned pattern) {
    return pattern <= lastPattern ? static_cast<int>(pattern) : 0;
}

int firstSelection(int requested, int count) {
    return requested >= 1 && requested <= count ? requested : 1;
}

int component(std::uint32_t word, Component which) {
    return static_cast<int>(word >> shiftOf(which) & 0xFF);
}

std::uint32_t pure(Component which, int value) {
    return static_cast<std::uint32_t>(std::clamp(value, 0, componentMaximum)) << shiftOf(which);
}

std::uint32_t withComponent(std::uint32_t word, Component which, int value) {
    return (word & ~(std::uint32_t{0xFF} << shiftOf(which))) | pure(which, value);
}

int scrolledComponent(int position, scroll::Move move, int thumb) {
    return scroll::moveOrigin(componentBar, position, move, thumb);
}

} // namespace tav::candidate
