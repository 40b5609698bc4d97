#pragma once
// What the wall mark editor's controls hold, as data: the line radio, the two shape lists, the four colour
// boxes and the five swatches. The swatches keep their colours whatever their boxes say, so unchecking and
// checking a box brings back the colour last chosen.
#include <array>
#include <cstddef>
#include <cstdint>

#include "model/marks/wall_mark.h"

namespace tav::wall_edit {

inline constexpr int shapeCount = 13; // codes 0 (none) .. 12

// The name the shape lists show for a code; "" for a code that has none.
const char* shapeName(int code);

// The five colours in swatch order.
enum class Colour { line, backFrame, backFill, frontFrame, frontFill };
inline constexpr int colourCount = 5;
enum class Mark { back, front };

class WallMarkDraft {
public:
    // Shows a record: an unregistered one resets the line, shapes and boxes but leaves the swatches; a
    // registered one shows its line, shapes and set colours. Unknown shape codes show as none.
    void load(const WallMarkRecord& record);

    void setLine(bool on) { lineOn_ = on; }
    // A code outside 0..12 selects none.
    void setShape(Mark mark, int code);
    // The box of a mark colour; for Colour::line the line radio.
    void setChecked(Colour colour, bool checked);
    // A chosen colour; only its low 24 bits are kept.
    void setSwatch(Colour colour, std::uint32_t value);

    bool lineOn() const { return lineOn_; }
    int shape(Mark mark) const { return shapes_[index(mark)]; }
    bool checked(Colour colour) const;
    std::uint32_t swatch(Colour colour) const { return swatches_[index(colour)]; }
    // Whether the colour's box and swatch take input: the line swatch with the line on, a mark's with a
    // shape chosen.
    bool enabled(Colour colour) const;

    // What the preview draws: every colour not in use is none.
    WallMarkRecord working() const;
    // What registering hands back. A mark with no line and no shapes is an empty slot.
    WallMarkRecord result() const;

private:
    static std::size_t index(Mark mark) { return static_cast<std::size_t>(mark); }
    static std::size_t index(Colour colour) { return static_cast<std::size_t>(colour); }
    static Mark markOf(Colour colour);
    // The colour a mark's frame or fill gives the record: the swatch's when its box is checked.
    std::uint32_t markColour(Colour colour) const;

    bool lineOn_ = false;
    std::array<int, 2> shapes_{};
    std::array<bool, colourCount> checks_{}; // the line's entry is unused: lineOn_ stands for it
    std::array<std::uint32_t, colourCount> swatches_{};
};

} // namespace tav::wall_edit
