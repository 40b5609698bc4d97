#pragma once
// Names of map files as the open and save dialogs and the command line give them.
#include <string_view>

#include <string>

#include "model/platform/file_path.h"
#include "model/platform/file_system.h"

namespace tav::map_file_name {

inline constexpr std::string_view extension = "MED";

// True when the file name part ends in ".MED" in any letter case.
bool isMapFile(const FilePath& path);

// Empty when path names an existing file with the map extension; otherwise the message that says why it
// cannot be opened. A map named on the command line is checked with it, so a wrong name is never silent.
std::string whyNotOpenable(FileSystem& files, const FilePath& path);

} // namespace tav::map_file_name
