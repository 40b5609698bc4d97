#include "win/platform/file_errors.h"

namespace tav::win {

FileCause fileCauseOf(DWORD error) {
    switch (error) {
    case NO_ERROR:
        return FileCause::none;
    case ERROR_FILE_NOT_FOUND:
        return FileCause::fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
        return FileCause::badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return FileCause::tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_INVALID_ACCESS:
    case ERROR_NETWORK_ACCESS_DENIED:
        return FileCause::accessDenied;
    case ERROR_INVALID_HANDLE:
        return FileCause::invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return FileCause::removeCurrentDir;
    case ERROR_CANNOT_MAKE:
    case ERROR_NO_MORE_FILES:
        return FileCause::directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
        return FileCause::badSeek;
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
        return FileCause::hardIO;
    case ERROR_SHARING_VIOLATION:
    case ERROR_SHARING_BUFFER_EXCEEDED:
        return FileCause::sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
        return FileCause::lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return FileCause::diskFull;
    case ERROR_HANDLE_EOF:
        return FileCause::endOfFile;
    default:
        return FileCause::generic;
    }
}

} // namespace tav::win
