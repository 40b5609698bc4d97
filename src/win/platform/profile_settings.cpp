#include "win/platform/profile_settings.h"

#include <windows.h>

#include "win/platform/text.h"

namespace tav::win {

namespace {
// Tells an absent key from an empty value; no real value holds these control characters.
constexpr wchar_t absent[] = L"\x1\x2\x3";
constexpr DWORD bufferSize = 4096;
} // namespace

std::optional<std::string> ProfileSettings::readString(const std::string& section, const std::string& key) {
    std::wstring buffer(bufferSize, L'\0');
    DWORD length = GetPrivateProfileStringW(widen(section).c_str(), widen(key).c_str(), absent, buffer.data(),
                                            bufferSize, widen(path_).c_str());
    buffer.resize(length);
    if (buffer == absent)
        return std::nullopt;
    return narrow(buffer);
}

bool ProfileSettings::writeString(const std::string& section, const std::string& key,
                                  const std::string& value) {
    return WritePrivateProfileStringW(widen(section).c_str(), widen(key).c_str(), widen(value).c_str(),
                                      widen(path_).c_str()) != FALSE;
}

} // namespace tav::win
