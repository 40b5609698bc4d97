#pragma once
// The configuration file's keys, defaults and ranges, and the folder rules of start-up.
#include <string>

#include "model/platform/file_system.h"
#include "model/platform/settings.h"

namespace tav::config {

inline constexpr std::u16string_view profileName = u"Tavrosin.ini";
inline constexpr std::u16string_view dataFolderName = u"DATA";
inline constexpr std::u16string_view startPaletteName = u"Start.mps";
inline constexpr std::u16string_view basePaletteName = u"Base.mpb";
inline constexpr std::u16string_view helpFileName = u"Tavrosin.chm";

constexpr int defaultUndoDepth = 16;
constexpr int defaultCacheLimit = 10;
constexpr int defaultMapSizeMax = 61;
constexpr int largestStartMap = 31;

// Folder of the program's file with its trailing backslash; empty when the name has no folder.
FilePath moduleFolderOf(const FilePath& moduleFileName);
FilePath dataFolderOf(const FilePath& moduleFolder);

// Creates moduleFolder + "DATA" when it is missing; a failure is ignored.
void ensureDataFolder(FileSystem& files, const FilePath& moduleFolder);

// SYSTEM/PREPATH (CP932) when it names an existing folder, else the DATA folder.
FilePath readLastFolder(Settings& settings, FileSystem& files, const FilePath& dataFolder);
// Stored only when CP932 can hold the folder; otherwise the key keeps its value.
void writeLastFolder(Settings& settings, const FilePath& lastFolder);

// PROPERTY/URDOMAX: 0 (no undo) .. 65535.
int readUndoDepth(Settings& settings);
// CONFIG/GDIMAX: 1 .. 65535 entries per list (zero or less behaves as 1).
int readCacheLimit(Settings& settings);
// CONFIG/MAPSIZEMAX: 1 .. 255 (comment positions hold 8-bit cell indexes).
int readMapSizeMax(Settings& settings);
// Side of the square start and new map.
int startMapSide(int mapSizeMax);

} // namespace tav::config
