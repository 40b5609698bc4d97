#pragma once
// The file seam on a POSIX disk, for benchmarks that measure real file calls. Paths are plain POSIX paths;
// attributes are not kept (every file reads as archive).
#include "model/platform/file_system.h"

namespace tav::bench {

class PosixFileSystem : public FileSystem {
public:
    std::unique_ptr<File> open(const FilePath& path, OpenMode mode, FileCause& cause) override;
    FileCause copy(const FilePath& from, const FilePath& to, bool failIfExists) override;
    FileCause move(const FilePath& from, const FilePath& to) override;
    FileCause remove(const FilePath& path) override;
    FileCause getAttributes(const FilePath& path, std::uint32_t& attributes) override;
    FileCause setAttributes(const FilePath& path, std::uint32_t attributes) override;
    FileCause createDirectory(const FilePath& path) override;
    bool exists(const FilePath& path) override;
    FileCause listFiles(const FilePath& folder, std::vector<std::u16string>& names) override;
};

} // namespace tav::bench
