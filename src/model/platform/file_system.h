#pragma once
// The file seam: every file the model touches goes through here, so tests can stand in for the disk
// and inject failures. Paths are in Windows form.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/platform/file_path.h"

namespace tav {

// The platform's file error causes; the numbers index the file error texts of the message box.
enum class FileCause : int {
    none = 0,
    generic = 1,
    fileNotFound = 2,
    badPath = 3,
    tooManyOpenFiles = 4,
    accessDenied = 5,
    invalidFile = 6,
    removeCurrentDir = 7,
    directoryFull = 8,
    badSeek = 9,
    hardIO = 10,
    sharingViolation = 11,
    lockViolation = 12,
    diskFull = 13,
    endOfFile = 14,
};

// Attribute bits, with the platform's values.
namespace attr {
constexpr std::uint32_t readOnly = 0x01;
constexpr std::uint32_t hidden = 0x02;
constexpr std::uint32_t system = 0x04;
constexpr std::uint32_t directory = 0x10;
constexpr std::uint32_t archive = 0x20;
} // namespace attr

enum class OpenMode {
    read,      // existing file, read only
    readWrite, // existing file, read and write
    create,    // create or truncate, read and write
};

class File {
public:
    virtual ~File() = default;
    // Reads up to size bytes; got tells how many arrived (fewer at the end of the file is not an error).
    virtual FileCause read(void* buffer, std::size_t size, std::size_t& got) = 0;
    virtual FileCause write(const void* buffer, std::size_t size) = 0;
    virtual FileCause seek(std::uint64_t position) = 0;
    virtual FileCause length(std::uint64_t& out) = 0;
    virtual FileCause setLength(std::uint64_t size) = 0;
    // Forces written data to the disk.
    virtual FileCause flush() = 0;
    virtual FileCause close() = 0;

    // Reads exactly size bytes or fails with endOfFile.
    FileCause readExact(void* buffer, std::size_t size);
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual std::unique_ptr<File> open(const FilePath& path, OpenMode mode, FileCause& cause) = 0;
    virtual FileCause copy(const FilePath& from, const FilePath& to, bool failIfExists) = 0;
    // Renames, replacing an existing target, written through to the disk.
    virtual FileCause move(const FilePath& from, const FilePath& to) = 0;
    virtual FileCause remove(const FilePath& path) = 0;
    virtual FileCause getAttributes(const FilePath& path, std::uint32_t& attributes) = 0;
    virtual FileCause setAttributes(const FilePath& path, std::uint32_t attributes) = 0;
    virtual FileCause createDirectory(const FilePath& path) = 0;
    // True for an existing file or folder.
    virtual bool exists(const FilePath& path) = 0;
    // The names (without the folder) of the files, not folders, directly in folder.
    virtual FileCause listFiles(const FilePath& folder, std::vector<std::u16string>& names) = 0;

    bool isDirectory(const FilePath& path);
};

} // namespace tav
