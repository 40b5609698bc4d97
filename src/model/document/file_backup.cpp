#include "model/document/file_backup.h"

namespace tav {

bool FileBackup::make(const std::string& path, FileCause& cause, std::string& failedPath) {
    path_ = path;
    backup_ = path + "bak";
    cause = files_.copy(path_, backup_, false);
    made_ = cause == FileCause::none;
    if (!made_) {
        failedPath = backup_;
        return cause == FileCause::fileNotFound || cause == FileCause::badPath;
    }
    // The copy takes over a read-only flag, which would keep it from being deleted afterwards.
    if ((cause = files_.setAttributes(backup_, attr::archive)) != FileCause::none) {
        files_.remove(backup_);
        made_ = false;
        failedPath = backup_;
        return false;
    }
    return true;
}

void FileBackup::discard() {
    if (made_)
        files_.remove(backup_);
    made_ = false;
}

void FileBackup::restore() {
    files_.remove(path_);
    if (made_)
        files_.move(backup_, path_);
    made_ = false;
}

} // namespace tav
