#include "model/platform/cp932.h"

namespace tav::cp932 {

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); i += charLength(a, i)) {
        if (charLength(a, i) == 2) {
            if (a.substr(i, 2) != b.substr(i, 2))
                return false;
        } else if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string formatWith(std::string_view pattern, std::string_view argument) {
    for (std::size_t i = 0; i + 1 < pattern.size(); i += charLength(pattern, i)) {
        if (pattern[i] == '%' && pattern[i + 1] == 's') {
            std::string result{pattern.substr(0, i)};
            result += argument;
            result += pattern.substr(i + 2);
            return result;
        }
    }
    return std::string{pattern};
}

} // namespace tav::cp932
