#pragma once
// The old file kept as its name + "bak" while a new one is written over it.
#include <string>

#include "model/platform/file_system.h"

namespace tav {

class FileBackup {
public:
    explicit FileBackup(FileSystem& files) : files_(files) {}

    // Copies the old file, if there is one. Without a backup a failed write would lose it, so only a
    // missing file goes without one: otherwise false, with the failed path and cause, and nothing left
    // behind.
    bool make(const std::string& path, FileCause& cause, std::string& failedPath);
    // After the new file is whole: the copy goes.
    void discard();
    // After a failed write: the half-written file goes and the copy takes its place again.
    void restore();
    // The new file could not even be created: the copy goes, the old file is untouched.
    void abandon() { discard(); }

private:
    FileSystem& files_;
    std::string path_;
    std::string backup_;
    bool made_ = false;
};

} // namespace tav
