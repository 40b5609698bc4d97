#include "posix_file_system.h"

#include "model/platform/unicode.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace tav::bench {

namespace fs = std::filesystem;

namespace {

FileCause causeOf(int error) {
    switch (error) {
    case 0:
        return FileCause::none;
    case ENOENT:
        return FileCause::fileNotFound;
    case ENOTDIR:
        return FileCause::badPath;
    case EACCES:
    case EPERM:
    case EEXIST:
        return FileCause::accessDenied;
    case EMFILE:
        return FileCause::tooManyOpenFiles;
    case ENOSPC:
        return FileCause::diskFull;
    default:
        return FileCause::generic;
    }
}

FileCause lastCause() {
    return causeOf(errno);
}

class PosixFile : public File {
public:
    explicit PosixFile(int fd) : fd_(fd) {}
    ~PosixFile() override { close(); }

    FileCause read(void* buffer, std::size_t size, std::size_t& got) override {
        got = 0;
        while (got < size) {
            const ssize_t n = ::read(fd_, static_cast<char*>(buffer) + got, size - got);
            if (n < 0)
                return lastCause();
            if (n == 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        return FileCause::none;
    }
    FileCause write(const void* buffer, std::size_t size) override {
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::write(fd_, static_cast<const char*>(buffer) + done, size - done);
            if (n <= 0)
                return n < 0 ? lastCause() : FileCause::diskFull;
            done += static_cast<std::size_t>(n);
        }
        return FileCause::none;
    }
    FileCause seek(std::uint64_t position) override {
        return ::lseek(fd_, static_cast<off_t>(position), SEEK_SET) < 0 ? lastCause() : FileCause::none;
    }
    FileCause length(std::uint64_t& out) override {
        struct stat s;
        if (::fstat(fd_, &s) != 0)
            return lastCause();
        out = static_cast<std::uint64_t>(s.st_size);
        return FileCause::none;
    }
    FileCause setLength(std::uint64_t size) override {
        return ::ftruncate(fd_, static_cast<off_t>(size)) != 0 ? lastCause() : FileCause::none;
    }
    FileCause flush() override { return ::fsync(fd_) != 0 ? lastCause() : FileCause::none; }
    FileCause close() override {
        if (fd_ < 0)
            return FileCause::none;
        const int result = ::close(fd_);
        fd_ = -1;
        return result != 0 ? lastCause() : FileCause::none;
    }

private:
    int fd_;
};

FileCause causeOf(const std::error_code& error) {
    return error ? causeOf(error.value()) : FileCause::none;
}

// The disk takes UTF-8 names.
std::string native(const FilePath& path) {
    return unicode::toUtf8(path.units());
}

} // namespace

std::unique_ptr<File> PosixFileSystem::open(const FilePath& path, OpenMode mode, FileCause& cause) {
    const int flags = mode == OpenMode::read        ? O_RDONLY
                      : mode == OpenMode::readWrite ? O_RDWR
                                                    : O_RDWR | O_CREAT | O_TRUNC;
    const int fd = ::open(native(path).c_str(), flags, 0644);
    if (fd < 0) {
        cause = lastCause();
        return nullptr;
    }
    cause = FileCause::none;
    return std::make_unique<PosixFile>(fd);
}

FileCause PosixFileSystem::copy(const FilePath& from, const FilePath& to, bool failIfExists) {
    std::error_code error;
    fs::copy_file(native(from), native(to),
                  failIfExists ? fs::copy_options::none : fs::copy_options::overwrite_existing, error);
    return causeOf(error);
}

FileCause PosixFileSystem::move(const FilePath& from, const FilePath& to) {
    std::error_code error;
    fs::rename(native(from), native(to), error);
    return causeOf(error);
}

FileCause PosixFileSystem::remove(const FilePath& path) {
    return ::unlink(native(path).c_str()) != 0 ? lastCause() : FileCause::none;
}

FileCause PosixFileSystem::getAttributes(const FilePath& path, std::uint32_t& attributes) {
    struct stat s;
    if (::stat(native(path).c_str(), &s) != 0)
        return lastCause();
    attributes = S_ISDIR(s.st_mode) ? attr::directory : attr::archive;
    return FileCause::none;
}

FileCause PosixFileSystem::setAttributes(const FilePath& path, std::uint32_t) {
    struct stat s;
    return ::stat(native(path).c_str(), &s) != 0 ? lastCause() : FileCause::none;
}

FileCause PosixFileSystem::createDirectory(const FilePath& path) {
    return ::mkdir(native(path).c_str(), 0755) != 0 ? lastCause() : FileCause::none;
}

bool PosixFileSystem::exists(const FilePath& path) {
    struct stat s;
    return ::stat(native(path).c_str(), &s) == 0;
}

FileCause PosixFileSystem::listFiles(const FilePath& folder, std::vector<std::u16string>& names) {
    names.clear();
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(native(folder), error)) {
        if (entry.is_regular_file())
            names.push_back(unicode::fromUtf8(entry.path().filename().string()));
    }
    return error ? causeOf(error.value()) : FileCause::none;
}

} // namespace tav::bench
