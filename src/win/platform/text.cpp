#include "win/platform/text.h"

#include <windows.h>

#include <climits>

namespace tav::win {

namespace {
constexpr UINT codePage = 932; // fixed: the program behaves the same whatever the system's code page
}

std::wstring widen(std::string_view cp932) {
    if (cp932.empty() || cp932.size() > INT_MAX)
        return {};
    int size = static_cast<int>(cp932.size());
    int length = MultiByteToWideChar(codePage, 0, cp932.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length > 0)
        MultiByteToWideChar(codePage, 0, cp932.data(), size, wide.data(), length);
    return wide;
}

std::string narrow(std::wstring_view wide) {
    if (wide.empty() || wide.size() > INT_MAX)
        return {};
    int size = static_cast<int>(wide.size());
    int length =
        WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    if (length > 0)
        WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, text.data(), length, nullptr,
                            nullptr);
    return text;
}

std::wstring widen(const FilePath& path) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    const std::u16string& units = path.units();
    return std::wstring(units.begin(), units.end());
}

FilePath pathOf(std::wstring_view wide) {
    return FilePath(std::u16string(wide.begin(), wide.end()));
}

} // namespace tav::win
