#pragma once
// The file seam on a POSIX disk, for benchmarks that measure real file calls. Paths are plain POSIX paths;
// attributes are not kept (every file reads as archive).
#include "model/platform/file_system.h"

namespace tav::bench {

class PosixFileSystem : public FileSystem {
public:
    std::unique_ptr<File> open(const std::string& path, OpenMode mode, FileCause& cause) override;
    FileCause copy(const std::string& from, const std::string& to, bool failIfExists) override;
    FileCause move(const std::string& from, const std::string& to) override;
    FileCause remove(const std::string& path) override;
    FileCause getAttributes(const std::string& path, std::uint32_t& attributes) override;
    FileCause setAttributes(const std::string& path, std::uint32_t attributes) override;
    FileCause createDirectory(const std::string& path) override;
    bool exists(const std::string& path) override;
};

} // namespace tav::bench
