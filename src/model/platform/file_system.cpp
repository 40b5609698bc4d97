#include "model/platform/file_system.h"

namespace tav {

FileCause File::readExact(void* buffer, std::size_t size) {
    std::size_t got = 0;
    FileCause cause = read(buffer, size, got);
    if (cause != FileCause::none)
        return cause;
    return got == size ? FileCause::none : FileCause::endOfFile;
}

bool FileSystem::isDirectory(const FilePath& path) {
    std::uint32_t attributes = 0;
    return getAttributes(path, attributes) == FileCause::none && (attributes & attr::directory) != 0;
}

} // namespace tav
