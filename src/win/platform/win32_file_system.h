#pragma once
#include "model/platform/file_system.h"

namespace tav::win {

// The file seam on the real disk.
class Win32FileSystem : public FileSystem {
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

} // namespace tav::win
