#include "model/platform/settings.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tav {

std::string Settings::readString(const std::string& section, const std::string& key,
                                 const std::string& fallback) {
    std::optional<std::string> value = readString(section, key);
    return value ? *value : fallback;
}

int Settings::readInt(const std::string& section, const std::string& key, int fallback) {
    std::optional<std::string> text = readString(section, key);
    if (!text)
        return fallback;
    return parseProfileInt(*text).value_or(fallback);
}

int Settings::readInt(const std::string& section, const std::string& key, int fallback, int lowest,
                      int highest) {
    return std::clamp(readInt(section, key, fallback), lowest, highest);
}

bool Settings::writeInt(const std::string& section, const std::string& key, int value) {
    return writeString(section, key, std::to_string(value));
}

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<int> parseProfileInt(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    if (begin == end)
        return std::nullopt;

    if (end - begin > 2 && text[begin] == '0' && (text[begin + 1] == 'x' || text[begin + 1] == 'X')) {
        std::size_t digits = end - begin - 2;
        if (digits > 8)
            return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = begin + 2; i < end; ++i) {
            int d = hexDigit(text[i]);
            if (d < 0)
                return std::nullopt;
            value = value << 4 | static_cast<std::uint32_t>(d);
        }
        return static_cast<int>(value); // colours like 0xFF000000 keep their bit pattern
    }

    bool negative = false;
    if (text[begin] == '-' || text[begin] == '+') {
        negative = text[begin] == '-';
        ++begin;
    }
    if (begin == end)
        return std::nullopt;
    constexpr std::int64_t bound = std::int64_t{std::numeric_limits<int>::max()} + 1;
    std::int64_t magnitude = 0;
    for (std::size_t i = begin; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        magnitude = std::min(bound, magnitude * 10 + (text[i] - '0'));
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int>(
        std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace tav
