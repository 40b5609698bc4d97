#pragma once
// A file path as Windows hands it over: UTF-16 units, so every name Windows allows survives (CP932
// cannot hold "Müller" or an emoji). A path is not a text the program shows or stores; it becomes CP932
// only to be shown in a message or written to the configuration file.
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace tav {

class FilePath {
public:
    FilePath() = default;
    FilePath(std::u16string units) : units_(std::move(units)) {}
    FilePath(const char16_t* units) : units_(units) {}
    // A path stored as CP932 text, such as a folder kept in the configuration file.
    static FilePath fromText(std::string_view cp932);

    const std::u16string& units() const { return units_; }
    bool empty() const { return units_.empty(); }

    // For messages: characters CP932 cannot hold become '?'.
    std::string text() const;
    // For storing: nothing when CP932 cannot hold every character.
    std::optional<std::string> storedText() const;

    // The folder with its trailing backslash (or slash); empty when the path names no folder.
    FilePath folder() const;
    // After the last '.' of the file name, without the dot.
    std::u16string_view extension() const;
    // True when the extension equals the ASCII name in any letter case.
    bool hasExtension(std::string_view ascii) const;

    FilePath operator+(std::u16string_view tail) const { return FilePath(units_ + std::u16string(tail)); }
    friend bool operator==(const FilePath&, const FilePath&) = default;
    friend auto operator<=>(const FilePath&, const FilePath&) = default;

private:
    std::size_t nameStart() const;

    std::u16string units_;
};

} // namespace tav
