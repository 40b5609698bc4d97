#pragma once
#include <string>

#include "model/platform/file_path.h"
#include "model/platform/settings.h"

namespace tav::win {

// The settings seam on a private-profile (INI) file.
class ProfileSettings : public Settings {
public:
    explicit ProfileSettings(FilePath profilePath) : path_(std::move(profilePath)) {}
    using Settings::readString;
    std::optional<std::string> readString(const std::string& section, const std::string& key) override;
    bool writeString(const std::string& section, const std::string& key, const std::string& value) override;
    const FilePath& path() const { return path_; }

private:
    FilePath path_;
};

} // namespace tav::win
