#pragma once
// The old file kept as its name + "bak" while a new one is written over it.
#include <memory>
#include <string>

#include "model/platform/file_system.h"

namespace tav {

class FileBackup {
public:
    explicit FileBackup(FileSystem& files) : files_(files) {}

    // Keeps the old file, if there is one, and creates the new one over it. Without a backup a failed write
    // would lose the old file, so only a missing file goes without one. On failure: nothing, the message in
    // failure, and the disk as it was.
    std::unique_ptr<File> createNew(const FilePath& path, std::string& failure);
    // After the new file is whole: the copy goes.
    void discard();
    // After a failed write: the half-written file goes and the copy takes its place again.
    void restore();

private:
    bool make(const FilePath& path, FileCause& cause, FilePath& failedPath);

    FileSystem& files_;
    FilePath path_;
    FilePath backup_;
    bool made_ = false;
};

} // namespace tav
