#include "support/memory_settings.h"

namespace tav::test {

std::optional<std::string> MemorySettings::readString(const std::string& section, const std::string& key) {
    auto it = values.find({section, key});
    if (it == values.end())
        return std::nullopt;
    return it->second;
}

bool MemorySettings::writeString(const std::string& section, const std::string& key,
                                 const std::string& value) {
    if (failWrites)
        return false;
    values[{section, key}] = value;
    return true;
}

} // namespace tav::test
