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

    std::unique_ptr<File> open(const std::string& path, OpenMode mode, FileCause& cause) override;
    FileCause copy(const std::string& from, const std::string& to, bool failIfExists) override;
    FileCause move(const std::string& from, const std::string& to) override;
    FileCause remove(const std::string& path) override;
    FileCause getAttributes(const std::string& path, std::uint32_t& attributes) override;
    FileCause setAttributes(const std::string& path, std::uint32_t attributes) override;
    FileCause createDirectory(const std::string& path) override;
    bool exists(const std::string& path) override;

    void putFile(const std::string& path, std::vector<std::uint8_t> data,
                 std::uint32_t attributes = attr::archive);
    void putFile(const std::string& path, const std::string& text);
    void addDirectory(const std::string& path);
    bool hasFile(const std::string& path) const;
    // The file's bytes; empty when it does not exist.
    std::vector<std::uint8_t> contents(const std::string& path) const;
    std::vector<std::string> fileNames() const;

    void failAt(long operation, FileCause cause);
    long operationCount() const { return operations_; }
    // True when the operation now starting is the one chosen to fail.
    bool failNow(FileCause& cause);

private:
    static std::string key(const std::string& path);
    std::string parentOf(const std::string& path) const;

    std::map<std::string, std::shared_ptr<Entry>> files_;
    std::set<std::string> directories_;
    long operations_ = 0;
    long failAt_ = -1;
    FileCause failCause_ = FileCause::generic;
};

} // namespace tav::test
