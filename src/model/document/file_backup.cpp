#include "model/document/file_backup.h"

#include "model/app/file_error_text.h"

namespace tav {

std::unique_ptr<File> FileBackup::createNew(const FilePath& path, std::string& failure) {
    FileCause cause = FileCause::none;
    FilePath failedPath;
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

bool FileBackup::make(const FilePath& path, FileCause& cause, FilePath& failedPath) {
    path_ = path;
    backup_ = path + u"bak";
    cause = files_.copy(path_, backup_, false);
    // An older copy left read-only (by the user, or copied from a read-only map) is only a stale backup:
    // it makes way for the new one.
    std::uint32_t attributes = 0;
    if (cause == FileCause::accessDenied && files_.exists(path_) &&
        files_.getAttributes(backup_, attributes) == FileCause::none &&
        (attributes & (attr::readOnly | attr::directory)) == attr::readOnly &&
        files_.setAttributes(backup_, attr::archive) == FileCause::none)
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
