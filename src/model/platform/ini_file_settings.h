#pragma once
// The settings seam on the configuration file. The file is read and written through the file seam, not
// the platform's profile calls, so it holds CP932 (or the Unicode its byte order mark names) on every
// system, whatever the system's code page.
#include <cstdint>

#include "model/platform/file_system.h"
#include "model/platform/settings.h"

namespace tav {

class IniDocument;

class IniFileSettings : public Settings {
public:
    // A larger file is not a configuration file: it reads as empty and is never rewritten.
    static constexpr std::uint64_t largestFile = 4 * 1024 * 1024;

    IniFileSettings(FileSystem& files, FilePath path) : files_(files), path_(std::move(path)) {}

    using Settings::readString;
    std::optional<std::string> readString(const std::string& section, const std::string& key) override;
    // The new file is written aside and then replaces the old one, so a crash never leaves half a file.
    bool writeString(const std::string& section, const std::string& key, const std::string& value) override;

    const FilePath& path() const { return path_; }

private:
    // False when the file exists but cannot be read whole; a missing file is an empty document.
    bool load(IniDocument& document);

    FileSystem& files_;
    FilePath path_;
};

} // namespace tav
