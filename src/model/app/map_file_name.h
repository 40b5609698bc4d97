#pragma once
// Names of map files as the open and save dialogs and the command line give them.
#include <string_view>

namespace tav::map_file_name {

inline constexpr std::string_view extension = "MED";

// True when the file name part ends in ".MED" in any letter case.
bool isMapFile(std::string_view path);

} // namespace tav::map_file_name
