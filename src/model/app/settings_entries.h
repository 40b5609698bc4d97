#pragma once
// What the settings dialogs make of the numbers typed into their edits.
#include <optional>
#include <string>
#include <string_view>

#include "model/document/ruler.h"

namespace tav::entries {

// Decimal with an optional sign and blanks around; saturates beyond the int range. Anything else (empty,
// letters, hexadecimal, full-width digits) gives nothing.
std::optional<int> parseNumber(std::string_view text);

// The number an edit holds, limited to lowest..highest; text that is no number gives the fallback.
int numberIn(std::string_view text, int lowest, int highest, int fallback);

// The undo depth edit corrects itself as it is typed in: above the largest depth it becomes the largest,
// empty, negative or not a number it becomes 0. replacement is the text to put back, if any.
struct UndoDepthEntry {
    int depth;
    std::optional<std::string> replacement;
};
UndoDepthEntry readUndoDepthEntry(std::string_view text);
// The print margins (millimetres) keep to the same 0..255 rule.
inline UndoDepthEntry readMarginEntry(std::string_view text) {
    return readUndoDepthEntry(text);
}

// The map size dialog offers up to the configured maximum, or the current side when that is larger.
int mapSideLimit(int mapSizeMax, int currentSide);
// Characters its edit takes: enough for the limit, at least 2.
int mapSideDigits(int limit);
// The side typed, when it is a number 1..limit.
std::optional<int> mapSideEntry(std::string_view text, int limit);

// The ruler dialog's view of the ruler settings.
inline constexpr int rulerStartLimit = 500;
struct RulerChoice {
    int basePosition = 0; // 0 map centre, 1 top-left, 2 bottom-left
    int columnStart = 0;
    int rowStart = 0;
    bool columnsIncrease = true;
    bool rowsIncrease = false;

    bool operator==(const RulerChoice&) const = default;
};
// A base position above 2 shows as the centre, a start beyond +-500 as 0, a negative step as "decrease".
RulerChoice rulerChoiceOf(const RulerSettings& ruler);
// The centre numbers from 0 whatever the starts say; starts are limited to +-500; steps become +1 or -1.
RulerSettings rulerSettingsOf(const RulerChoice& choice, const RulerSettings& previous);

} // namespace tav::entries
