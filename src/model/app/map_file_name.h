#pragma once
// Names of map files as the open and save dialogs and the command line give them.
#include <string_view>

#include "model/platform/file_path.h"

namespace tav::map_file_name {

inline constexpr std::string_view extension = "MED";

// True when the file name part ends in ".MED" in any letter case.
bool isMapFile(const FilePath& path);

} // namespace tav::map_file_name
