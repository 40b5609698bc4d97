#include "model/app/configuration.h"

#include <algorithm>
#include <cstdio>

#include "model/platform/cp932.h"

namespace tav::config {

FilePath moduleFolderOf(const FilePath& moduleFileName) {
    return moduleFileName.folder();
}

FilePath dataFolderOf(const FilePath& moduleFolder) {
    return moduleFolder + dataFolderName + u"\\";
}

FilePath homePageOf(const FilePath& moduleFolder, std::u16string_view address) {
    if (address.find(u"://") != std::u16string_view::npos)
        return FilePath(std::u16string(address));
    return moduleFolder + address;
}

FilePath recoveryFolderOf(const FilePath& moduleFolder) {
    return moduleFolder + recoveryFolderName + u"\\";
}

void ensureDataFolder(FileSystem& files, const FilePath& moduleFolder) {
    const FilePath folder = moduleFolder + dataFolderName;
    if (!files.exists(folder))
        files.createDirectory(folder);
}

FilePath readLastFolder(Settings& settings, FileSystem& files, const FilePath& dataFolder) {
    const std::optional<std::string> stored = settings.readString("SYSTEM", "PREPATH");
    if (!stored || stored->empty())
        return dataFolder;
    const FilePath folder = FilePath::fromText(*stored);
    return files.isDirectory(folder) ? folder : dataFolder;
}

void writeLastFolder(Settings& settings, const FilePath& lastFolder) {
    if (const std::optional<std::string> text = lastFolder.storedText())
        settings.writeString("SYSTEM", "PREPATH", *text);
}

int readUndoDepth(Settings& settings) {
    return settings.readInt("PROPERTY", "URDOMAX", defaultUndoDepth, 0, 65535);
}

void writeUndoDepth(Settings& settings, int depth) {
    settings.writeInt("PROPERTY", "URDOMAX", std::clamp(depth, 0, largestUndoDepthSetting));
}

HistorySettings readHistorySettings(Settings& settings) {
    const HistorySettings defaults;
    HistorySettings history;
    history.wallLimit =
        settings.readInt("PROPERTY", "HISTORYDMAX", defaults.wallLimit, 0, largestHistoryLimit);
    history.roomLimit =
        settings.readInt("PROPERTY", "HISTORYBMAX", defaults.roomLimit, 0, largestHistoryLimit);
    history.keepOldestWhenFull = settings.readInt("PROPERTY", "HISTORYADD", 0) == 1;
    history.allowDuplicates = settings.readInt("PROPERTY", "HISTORYOVERLAP", 0) == 1;
    return history;
}

void writeHistorySettings(Settings& settings, const HistorySettings& history) {
    settings.writeInt("PROPERTY", "HISTORYDMAX", std::clamp(history.wallLimit, 0, largestHistoryLimit));
    settings.writeInt("PROPERTY", "HISTORYBMAX", std::clamp(history.roomLimit, 0, largestHistoryLimit));
    settings.writeInt("PROPERTY", "HISTORYADD", history.keepOldestWhenFull ? 1 : 0);
    settings.writeInt("PROPERTY", "HISTORYOVERLAP", history.allowDuplicates ? 1 : 0);
}

int readImageUndoDepth(Settings& settings) {
    return settings.readInt("CONFIG", "IMAGEUNDOMAX", defaultImageUndoDepth, 0, 65535);
}

namespace {

constexpr const char* headerKeys[] = {"HEADER01", "HEADER02", "HEADER03"};
constexpr const char* footerKeys[] = {"FOOTER01", "FOOTER02", "FOOTER03"};
constexpr std::size_t profileTextLimit = 4095;

std::string profileText(Settings& settings, const char* section, const char* key) {
    std::string text = settings.readString(section, key, std::string{});
    if (text.size() <= profileTextLimit)
        return text;
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + cp932::charLength(text, end);
        if (next > profileTextLimit)
            break;
        end = next;
    }
    text.resize(end);
    return text;
}

} // namespace

PageTexts readPageTexts(Settings& settings) {
    PageTexts texts;
    for (std::size_t i = 0; i < 3; ++i) {
        texts.header[i] = profileText(settings, "PRINT", headerKeys[i]);
        texts.footer[i] = profileText(settings, "PRINT", footerKeys[i]);
    }
    return texts;
}

void writePageTexts(Settings& settings, const PageTexts& texts) {
    for (std::size_t i = 0; i < 3; ++i) {
        settings.writeString("PRINT", headerKeys[i], texts.header[i]);
        settings.writeString("PRINT", footerKeys[i], texts.footer[i]);
    }
}

ColourList defaultColourList() {
    return {0x000000, 0xFFFFFF, 0x808080, 0xC0C0C0, 0x000080, 0x0000FF, 0x008080, 0x00FFFF,
            0x008000, 0x00FF00, 0x808000, 0xFFFF00, 0x800000, 0xFF0000, 0x800080, 0xFF00FF};
}

namespace {

std::string colourKey(std::size_t index) {
    char key[16];
    std::snprintf(key, sizeof key, "COLOR%02u", static_cast<unsigned>(index + 1));
    return key;
}

} // namespace

ColourList readColourList(Settings& settings) {
    ColourList colours = defaultColourList();
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const int stored = settings.readInt("COLORLIST", colourKey(i), static_cast<int>(colours[i]));
        colours[i] = static_cast<std::uint32_t>(stored) & 0xFFFFFF;
    }
    return colours;
}

void writeColourList(Settings& settings, const ColourList& colours) {
    for (std::size_t i = 0; i < colours.size(); ++i) {
        char value[16];
        std::snprintf(value, sizeof value, "0x%08X", static_cast<unsigned>(colours[i]));
        settings.writeString("COLORLIST", colourKey(i), value);
    }
}

int readCacheLimit(Settings& settings) {
    return settings.readInt("CONFIG", "GDIMAX", defaultCacheLimit, 1, 65535);
}

int readMapSizeMax(Settings& settings) {
    return settings.readInt("CONFIG", "MAPSIZEMAX", defaultMapSizeMax, 1, 255);
}

int readAutosaveInterval(Settings& settings) {
    return settings.readInt("AUTOSAVE", "INTERVAL", defaultAutosaveInterval, 0, largestAutosaveInterval);
}

int startMapSide(int mapSizeMax) {
    return mapSizeMax > largestStartMap - 1 ? largestStartMap : mapSizeMax;
}

} // namespace tav::config
