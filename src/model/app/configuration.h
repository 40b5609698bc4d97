#pragma once
// The configuration file's keys, defaults and ranges, and the folder rules of start-up.
#include <array>
#include <cstdint>
#include <string>

#include "model/platform/file_system.h"
#include "model/platform/settings.h"

namespace tav::config {

inline constexpr std::u16string_view profileName = u"Tavrosin.ini";
inline constexpr std::u16string_view dataFolderName = u"DATA";
inline constexpr std::u16string_view startPaletteName = u"Start.mps";
inline constexpr std::u16string_view basePaletteName = u"Base.mpb";
inline constexpr std::u16string_view helpFileName = u"Tavrosin.chm";
inline constexpr std::u16string_view recoveryFolderName = u"Recovery";

constexpr int defaultUndoDepth = 16;
constexpr int defaultCacheLimit = 10;
constexpr int defaultMapSizeMax = 61;
constexpr int largestStartMap = 31;
// What the settings dialog stores; a larger URDOMAX written by hand is still read.
constexpr int largestUndoDepthSetting = 255;
constexpr int largestHistoryLimit = 9999;
constexpr int defaultImageUndoDepth = 20;
constexpr int colourListSize = 16;
constexpr int defaultAutosaveInterval = 60;
constexpr int largestAutosaveInterval = 24 * 60 * 60;

// Folder of the program's file with its trailing backslash; empty when the name has no folder.
FilePath moduleFolderOf(const FilePath& moduleFileName);
FilePath dataFolderOf(const FilePath& moduleFolder);
// The home page ships beside the program: a relative address is taken from the program's folder, an
// address with a scheme ("https://...") is left as it is.
FilePath homePageOf(const FilePath& moduleFolder, std::u16string_view address);
// moduleFolder + "Recovery\\": the recovery copies.
FilePath recoveryFolderOf(const FilePath& moduleFolder);

// Creates moduleFolder + "DATA" when it is missing; a failure is ignored.
void ensureDataFolder(FileSystem& files, const FilePath& moduleFolder);

// SYSTEM/PREPATH (CP932) when it names an existing folder, else the DATA folder.
FilePath readLastFolder(Settings& settings, FileSystem& files, const FilePath& dataFolder);
// Stored only when CP932 can hold the folder; otherwise the key keeps its value.
void writeLastFolder(Settings& settings, const FilePath& lastFolder);

// PROPERTY/URDOMAX: 0 (no undo) .. 65535.
int readUndoDepth(Settings& settings);
// Clamped to 0..largestUndoDepthSetting.
void writeUndoDepth(Settings& settings, int depth);

// PROPERTY/HISTORYDMAX, HISTORYBMAX, HISTORYADD and HISTORYOVERLAP.
struct HistorySettings {
    int wallLimit = 256;             // 0 switches the wall-mark history off
    int roomLimit = 64;              // 0 switches the room-mark history off
    bool keepOldestWhenFull = false; // "FILO": a full history takes nothing new
    bool allowDuplicates = false;

    bool operator==(const HistorySettings&) const = default;
};
// Limits 0..largestHistoryLimit; only 1 turns either flag on.
HistorySettings readHistorySettings(Settings& settings);
void writeHistorySettings(Settings& settings, const HistorySettings& history);

// CONFIG/IMAGEUNDOMAX: 0 (no undo) .. 65535; zero or less gives 0.
int readImageUndoDepth(Settings& settings);

// PRINT/HEADER01..03 and FOOTER01..03: left, centre and right.
struct PageTexts {
    std::array<std::string, 3> header;
    std::array<std::string, 3> footer;

    bool operator==(const PageTexts&) const = default;
};
// Each text at most 4095 bytes (the profile call's buffer), never ending in half a character.
PageTexts readPageTexts(Settings& settings);
void writePageTexts(Settings& settings, const PageTexts& texts);

// COLORLIST/COLOR01..16 as COLORREF values (0x00BBGGRR); the top byte of a stored value is dropped.
using ColourList = std::array<std::uint32_t, colourListSize>;
ColourList defaultColourList();
ColourList readColourList(Settings& settings);
// Written as "0x%08X".
void writeColourList(Settings& settings, const ColourList& colours);

// CONFIG/GDIMAX: 1 .. 65535 entries per list (zero or less behaves as 1).
int readCacheLimit(Settings& settings);
// CONFIG/MAPSIZEMAX: 1 .. 255 (comment positions hold 8-bit cell indexes).
int readMapSizeMax(Settings& settings);
// AUTOSAVE/INTERVAL: seconds between recovery copies, 0 (off) .. a day; below 0 reads as off.
int readAutosaveInterval(Settings& settings);
// Side of the square start and new map.
int startMapSide(int mapSizeMax);

} // namespace tav::config
