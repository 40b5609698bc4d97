#pragma once
// The configuration file's keys, defaults and ranges, and the folder rules of start-up.
#include <string>

#include "model/platform/file_system.h"
#include "model/platform/settings.h"

namespace tav::config {

inline const std::string profileName = "Tavrosin.ini";
inline const std::string dataFolderName = "DATA";
inline const std::string startPaletteName = "Start.mps";
inline const std::string basePaletteName = "Base.mpb";
inline const std::string helpFileName = "Tavrosin.chm";

constexpr int defaultUndoDepth = 16;
constexpr int defaultCacheLimit = 10;
constexpr int defaultMapSizeMax = 61;
constexpr int largestStartMap = 31;

// Folder of the program's file with its trailing backslash; empty when the name has no folder.
std::string moduleFolderOf(const std::string& moduleFileName);
std::string dataFolderOf(const std::string& moduleFolder);

// Creates moduleFolder + "DATA" when it is missing; a failure is ignored.
void ensureDataFolder(FileSystem& files, const std::string& moduleFolder);

// SYSTEM/PREPATH when it names an existing folder, else the DATA folder.
std::string readLastFolder(Settings& settings, FileSystem& files, const std::string& dataFolder);
void writeLastFolder(Settings& settings, const std::string& lastFolder);

// PROPERTY/URDOMAX: 0 (no undo) .. 65535.
int readUndoDepth(Settings& settings);
// CONFIG/GDIMAX: 1 .. 65535 entries per list (zero or less behaves as 1).
int readCacheLimit(Settings& settings);
// CONFIG/MAPSIZEMAX: 1 .. 255 (comment positions hold 8-bit cell indexes).
int readMapSizeMax(Settings& settings);
// Side of the square start and new map.
int startMapSide(int mapSizeMax);

} // namespace tav::config
