#include "model/app/configuration.h"

#include "model/platform/cp932.h"

namespace tav::config {

std::string moduleFolderOf(const std::string& moduleFileName) {
    return cp932::folderOf(moduleFileName);
}

std::string dataFolderOf(const std::string& moduleFolder) {
    return moduleFolder + dataFolderName + "\\";
}

void ensureDataFolder(FileSystem& files, const std::string& moduleFolder) {
    std::string folder = moduleFolder + dataFolderName;
    if (!files.exists(folder))
        files.createDirectory(folder);
}

std::string readLastFolder(Settings& settings, FileSystem& files, const std::string& dataFolder) {
    std::string folder = settings.readString("SYSTEM", "PREPATH", dataFolder);
    if (folder.empty() || !files.isDirectory(folder))
        return dataFolder;
    return folder;
}

void writeLastFolder(Settings& settings, const std::string& lastFolder) {
    settings.writeString("SYSTEM", "PREPATH", lastFolder);
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
