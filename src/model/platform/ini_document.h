#pragma once
// The configuration file as bytes: looked up and changed the way the platform's profile calls do, but
// always in CP932 (or in the Unicode encoding its byte order mark names), whatever the system code page.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tav {

class IniDocument {
public:
    enum class Encoding { cp932, utf8Bom, utf16le, utf16be };

    // The longest value read gives, in bytes of CP932: the program's buffers hold 4096 with the zero.
    static constexpr std::size_t maxValueBytes = 4095;

    IniDocument() = default; // an empty CP932 file
    explicit IniDocument(std::vector<std::uint8_t> bytes);

    Encoding encoding() const { return encoding_; }

    // The value as CP932 (characters CP932 cannot hold become '?'), or nothing when absent. Names are
    // CP932 and compare without regard to ASCII letter case; the first section and key of a name win.
    std::optional<std::string> read(std::string_view section, std::string_view key) const;

    // Sets the key, keeping every other byte of the file. False, with nothing changed, for a name or value
    // that could not be read back from one line: an empty name, a line end anywhere, ']' in the section
    // name, '=' in the key or a key that would start a comment or a section line.
    bool write(std::string_view section, std::string_view key, std::string_view value);

    // The whole file as it must be written.
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    Encoding encoding_ = Encoding::cp932;
    std::size_t textBegin_ = 0; // after the byte order mark
    std::size_t textEnd_ = 0;   // before an odd last byte of a UTF-16 file
};

} // namespace tav
