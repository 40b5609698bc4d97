#include "model/app/map_file_name.h"

#include "model/app/file_error_text.h"
#include "model/platform/cp932.h"

namespace tav::map_file_name {

bool isMapFile(const FilePath& path) {
    return path.hasExtension(extension);
}

std::string whyNotOpenable(FileSystem& files, const FilePath& path) {
    std::uint32_t attributes = 0;
    const FileCause cause = files.getAttributes(path, attributes);
    if (cause != FileCause::none)
        return fileErrorText(cause, path);
    if (attributes & attr::directory)
        return fileErrorText(FileCause::badPath, path);
    if (!isMapFile(path))
        return cp932::formatWith(
            "マップデータを読込むことができませんでした。\n\n%s\nは不正なフォーマットです。", path.text());
    return {};
}

} // namespace tav::map_file_name
