#include "model/app/settings_entries.h"

#include <algorithm>

#include "model/app/configuration.h"
#include "model/platform/settings.h"

namespace tav::entries {

std::optional<int> parseNumber(std::string_view text) {
    // The profile reader also takes "0x" hexadecimal, which nobody types into these edits.
    if (text.find_first_of("xX") != std::string_view::npos)
        return std::nullopt;
    return parseProfileInt(std::string(text));
}

int numberIn(std::string_view text, int lowest, int highest, int fallback) {
    return std::clamp(parseNumber(text).value_or(fallback), lowest, highest);
}

UndoDepthEntry readUndoDepthEntry(std::string_view text) {
    const std::optional<int> number = parseNumber(text);
    if (number && *number > config::largestUndoDepthSetting)
        return {config::largestUndoDepthSetting, std::to_string(config::largestUndoDepthSetting)};
    if (!number || *number < 0)
        return {0, std::string("0")};
    return {*number, std::nullopt};
}

int mapSideLimit(int mapSizeMax, int currentSide) {
    return std::max(mapSizeMax, currentSide);
}

int mapSideDigits(int limit) {
    int digits = 1;
    for (int rest = limit; rest >= 10; rest /= 10)
        ++digits;
    return std::max(digits, 2);
}

std::optional<int> mapSideEntry(std::string_view text, int limit) {
    const std::optional<int> side = parseNumber(text);
    if (!side || *side < 1 || *side > limit)
        return std::nullopt;
    return side;
}

namespace {

int shownStart(std::int32_t start) {
    return start < -rulerStartLimit || start > rulerStartLimit ? 0 : start;
}

} // namespace

RulerChoice rulerChoiceOf(const RulerSettings& ruler) {
    RulerChoice choice;
    choice.basePosition = ruler.basePosition > 2 ? 0 : ruler.basePosition;
    choice.columnStart = shownStart(ruler.columnStart);
    choice.rowStart = shownStart(ruler.rowStart);
    choice.columnsIncrease = ruler.columnStep >= 0;
    choice.rowsIncrease = ruler.rowStep >= 0;
    return choice;
}

RulerSettings rulerSettingsOf(const RulerChoice& choice, const RulerSettings& previous) {
    RulerSettings ruler = previous;
    ruler.basePosition = static_cast<std::uint8_t>(std::clamp(choice.basePosition, 0, 2));
    const bool centre = ruler.basePosition == 0;
    ruler.columnStart = centre ? 0 : std::clamp(choice.columnStart, -rulerStartLimit, rulerStartLimit);
    ruler.rowStart = centre ? 0 : std::clamp(choice.rowStart, -rulerStartLimit, rulerStartLimit);
    ruler.columnStep = choice.columnsIncrease ? 1 : -1;
    ruler.rowStep = choice.rowsIncrease ? 1 : -1;
    return ruler;
}

} // namespace tav::entries
