#pragma once
// The settings seam: the configuration file's sections and keys.
#include <optional>
#include <string>

namespace tav {

class Settings {
public:
    virtual ~Settings() = default;
    // The stored text, or nothing when the key is absent.
    virtual std::optional<std::string> readString(const std::string& section, const std::string& key) = 0;
    virtual bool writeString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;

    std::string readString(const std::string& section, const std::string& key, const std::string& fallback);
    // An absent, empty or malformed value gives the fallback; decimal beyond 32 bits saturates.
    int readInt(const std::string& section, const std::string& key, int fallback);
    int readInt(const std::string& section, const std::string& key, int fallback, int lowest, int highest);
    bool writeInt(const std::string& section, const std::string& key, int value);
};

// Settings with no file behind them: every key is absent and nothing is written.
class EmptySettings : public Settings {
public:
    using Settings::readString;
    std::optional<std::string> readString(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    bool writeString(const std::string&, const std::string&, const std::string&) override { return false; }
};

// Reads decimal with an optional sign, or "0x" hexadecimal of up to 32 bits (taken as the bit pattern),
// with blanks around. Anything else gives nothing.
std::optional<int> parseProfileInt(const std::string& text);

} // namespace tav
