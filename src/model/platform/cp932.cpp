#include "model/platform/cp932.h"

namespace tav::cp932 {

std::size_t lastBackslash(std::string_view path) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); i += charLength(path, i)) {
        if (path[i] == '\\')
            found = i;
    }
    return found;
}

std::string folderOf(std::string_view path) {
    std::size_t slash = lastBackslash(path);
    return slash == std::string_view::npos ? std::string{} : std::string{path.substr(0, slash + 1)};
}

std::string extensionOf(std::string_view path) {
    std::size_t slash = lastBackslash(path);
    std::size_t start = slash == std::string_view::npos ? 0 : slash + 1;
    std::size_t dot = std::string_view::npos;
    for (std::size_t i = start; i < path.size(); i += charLength(path, i)) {
        if (path[i] == '.')
            dot = i;
    }
    return dot == std::string_view::npos ? std::string{} : std::string{path.substr(dot + 1)};
}

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
