#pragma once
#include <string>

#include "model/platform/settings.h"

namespace tav::win {

// The settings seam on a private-profile (INI) file.
class ProfileSettings : public Settings {
public:
    explicit ProfileSettings(std::string profilePath) : path_(std::move(profilePath)) {}
    using Settings::readString;
    std::optional<std::string> readString(const std::string& section, const std::string& key) override;
    bool writeString(const std::string& section, const std::string& key, const std::string& value) override;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace tav::win
