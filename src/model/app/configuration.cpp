#include "model/app/configuration.h"


namespace tav::config {

FilePath moduleFolderOf(const FilePath& moduleFileName) {
    return moduleFileName.folder();
}

FilePath dataFolderOf(const FilePath& moduleFolder) {
    return moduleFolder + dataFolderName + u"\\";
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

int readCacheLimit(Settings& settings) {
    return settings.readInt("CONFIG", "GDIMAX", defaultCacheLimit, 1, 65535);
}

int readMapSizeMax(Settings& settings) {
    return settings.readInt("CONFIG", "MAPSIZEMAX", defaultMapSizeMax, 1, 255);
}

int startMapSide(int mapSizeMax) {
    return mapSizeMax > largestStartMap - 1 ? largestStartMap : mapSizeMax;
}

} // namespace tav::config
