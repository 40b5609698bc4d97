#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/platform/file_system.h"

namespace tav::test {

// An in-memory disk for the file seam. Paths compare without ASCII case. Every call counts as one
// operation; failAt(n) makes the n-th operation from now fail, so tests can walk every failure point.
class MemoryFileSystem : public FileSystem {
public:
    struct Entry {
        std::vector<std::uint8_t> data;
        std::uint32_t attributes = attr::archive;
    };

    std::unique_ptr<File> open(const FilePath& path, OpenMode mode, FileCause& cause) override;
    FileCause copy(const FilePath& from, const FilePath& to, bool failIfExists) override;
    FileCause move(const FilePath& from, const FilePath& to) override;
    FileCause remove(const FilePath& path) override;
    FileCause getAttributes(const FilePath& path, std::uint32_t& attributes) override;
    FileCause setAttributes(const FilePath& path, std::uint32_t attributes) override;
    FileCause createDirectory(const FilePath& path) override;
    bool exists(const FilePath& path) override;
    FileCause listFiles(const FilePath& folder, std::vector<std::u16string>& names) override;

    void putFile(const FilePath& path, std::vector<std::uint8_t> data,
                 std::uint32_t attributes = attr::archive);
    void putFile(const FilePath& path, const std::string& text);
    void addDirectory(const FilePath& path);
    bool hasFile(const FilePath& path) const;
    // The file's bytes; empty when it does not exist.
    std::vector<std::uint8_t> contents(const FilePath& path) const;

    void failAt(long operation, FileCause cause);
    long operationCount() const { return operations_; }
    // True when the operation now starting is the one chosen to fail.
    bool failNow(FileCause& cause);

private:
    static std::u16string key(const FilePath& path);
    std::u16string parentOf(const FilePath& path) const;

    std::map<std::u16string, std::shared_ptr<Entry>> files_;
    std::set<std::u16string> directories_;
    long operations_ = 0;
    long failAt_ = -1;
    FileCause failCause_ = FileCause::generic;
};

} // namespace tav::test
