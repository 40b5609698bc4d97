#include "win/platform/win32_file_system.h"

#include <windows.h>

#include <algorithm>

#include "win/platform/file_errors.h"
#include "win/platform/handles.h"
#include "win/platform/text.h"

namespace tav::win {

namespace {

FileCause lastCause() {
    return fileCauseOf(GetLastError());
}

FileCause resultOf(BOOL ok) {
    return ok ? FileCause::none : lastCause();
}

class Win32File : public File {
public:
    explicit Win32File(FileHandle handle) : handle_(std::move(handle)) {}

    FileCause read(void* buffer, std::size_t size, std::size_t& got) override {
        got = 0;
        auto* bytes = static_cast<char*>(buffer);
        while (got < size) {
            DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - got, 1u << 30));
            DWORD read = 0;
            if (!ReadFile(handle_.get(), bytes + got, chunk, &read, nullptr))
                return lastCause();
            got += read;
            if (read == 0)
                break;
        }
        return FileCause::none;
    }
    FileCause write(const void* buffer, std::size_t size) override {
        const auto* bytes = static_cast<const char*>(buffer);
        std::size_t done = 0;
        while (done < size) {
            DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 30));
            DWORD written = 0;
            if (!WriteFile(handle_.get(), bytes + done, chunk, &written, nullptr))
                return lastCause();
            if (written == 0)
                return FileCause::diskFull;
            done += written;
        }
        return FileCause::none;
    }
    FileCause seek(std::uint64_t position) override {
        LARGE_INTEGER to;
        to.QuadPart = static_cast<LONGLONG>(position);
        return resultOf(SetFilePointerEx(handle_.get(), to, nullptr, FILE_BEGIN));
    }
    FileCause length(std::uint64_t& out) override {
        LARGE_INTEGER size;
        if (!GetFileSizeEx(handle_.get(), &size))
            return lastCause();
        out = static_cast<std::uint64_t>(size.QuadPart);
        return FileCause::none;
    }
    FileCause setLength(std::uint64_t size) override {
        LARGE_INTEGER here{};
        LARGE_INTEGER to;
        to.QuadPart = static_cast<LONGLONG>(size);
        if (!SetFilePointerEx(handle_.get(), LARGE_INTEGER{}, &here, FILE_CURRENT) ||
            !SetFilePointerEx(handle_.get(), to, nullptr, FILE_BEGIN) || !SetEndOfFile(handle_.get()))
            return lastCause();
        return resultOf(SetFilePointerEx(handle_.get(), here, nullptr, FILE_BEGIN));
    }
    FileCause flush() override { return resultOf(FlushFileBuffers(handle_.get())); }
    FileCause close() override {
        if (!handle_)
            return FileCause::none;
        BOOL ok = CloseHandle(handle_.release());
        return resultOf(ok);
    }

private:
    FileHandle handle_;
};

// Windows refuses to write, replace or delete a read-only file; Wine running as root would not, so the
// attribute is checked here as well and both behave the same.
bool isReadOnlyFile(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::unique_ptr<File> Win32FileSystem::open(const FilePath& path, OpenMode mode, FileCause& cause) {
    DWORD access = mode == OpenMode::read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    DWORD share = mode == OpenMode::read ? FILE_SHARE_READ : 0;
    DWORD disposition = mode == OpenMode::create ? CREATE_ALWAYS : OPEN_EXISTING;
    std::wstring widePath = widen(path);
    if (mode != OpenMode::read && isReadOnlyFile(widePath)) {
        cause = FileCause::accessDenied;
        return nullptr;
    }
    FileHandle handle(
        CreateFileW(widePath.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) {
        cause = lastCause();
        if (cause == FileCause::none)
            cause = FileCause::generic;
        return nullptr;
    }
    cause = FileCause::none;
    return std::make_unique<Win32File>(std::move(handle));
}

FileCause Win32FileSystem::copy(const FilePath& from, const FilePath& to, bool failIfExists) {
    if (isReadOnlyFile(widen(to)))
        return FileCause::accessDenied;
    return resultOf(CopyFileW(widen(from).c_str(), widen(to).c_str(), failIfExists));
}

FileCause Win32FileSystem::move(const FilePath& from, const FilePath& to) {
    if (isReadOnlyFile(widen(to)))
        return FileCause::accessDenied;
    return resultOf(MoveFileExW(widen(from).c_str(), widen(to).c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH | MOVEFILE_COPY_ALLOWED));
}

FileCause Win32FileSystem::remove(const FilePath& path) {
    return resultOf(DeleteFileW(widen(path).c_str()));
}

FileCause Win32FileSystem::getAttributes(const FilePath& path, std::uint32_t& attributes) {
    DWORD value = GetFileAttributesW(widen(path).c_str());
    if (value == INVALID_FILE_ATTRIBUTES)
        return lastCause();
    attributes = value;
    return FileCause::none;
}

FileCause Win32FileSystem::setAttributes(const FilePath& path, std::uint32_t attributes) {
    return resultOf(SetFileAttributesW(widen(path).c_str(), attributes));
}

FileCause Win32FileSystem::createDirectory(const FilePath& path) {
    return resultOf(CreateDirectoryW(widen(path).c_str(), nullptr));
}

bool Win32FileSystem::exists(const FilePath& path) {
    return !path.empty() && GetFileAttributesW(widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

FileCause Win32FileSystem::listFiles(const FilePath& folder, std::vector<std::u16string>& names) {
    names.clear();
    std::wstring pattern = widen(folder);
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/')
        pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    FindHandle search(FindFirstFileW(pattern.c_str(), &found));
    if (!search) {
        // An empty folder has no entries at all only at a drive's root.
        return GetLastError() == ERROR_FILE_NOT_FOUND ? FileCause::none : lastCause();
    }
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(pathOf(found.cFileName).units());
    } while (FindNextFileW(search.get(), &found));
    return GetLastError() == ERROR_NO_MORE_FILES ? FileCause::none : lastCause();
}

} // namespace tav::win
