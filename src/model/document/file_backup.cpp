#include "model/document/file_backup.h"

#include "model/app/file_error_text.h"

namespace tav {

std::unique_ptr<File> FileBackup::createNew(const std::string& path, std::string& failure) {
    FileCause cause = FileCause::none;
    std::string failedPath;
    if (!make(path, cause, failedPath)) {
        failure = fileErrorText(cause, failedPath);
        return nullptr;
    }
    auto file = files_.open(path, OpenMode::create, cause);
    if (!file) {
        discard(); // the old file is untouched
        failure = fileErrorText(cause, path);
    }
    return file;
}

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
