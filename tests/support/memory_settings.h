#pragma once
#include <map>
#include <string>
#include <utility>

#include "model/platform/settings.h"

namespace tav::test {

// Settings kept in memory; keys compare as stored.
class MemorySettings : public Settings {
public:
    using Settings::readString;
    std::optional<std::string> readString(const std::string& section, const std::string& key) override;
    bool writeString(const std::string& section, const std::string& key, const std::string& value) override;

    std::map<std::pair<std::string, std::string>, std::string> values;
    bool failWrites = false;
};

} // namespace tav::test
