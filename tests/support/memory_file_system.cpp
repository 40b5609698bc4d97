#include "support/memory_file_system.h"

#include <algorithm>
#include <cstring>

namespace tav::test {

namespace {

class MemoryFile : public File {
public:
    MemoryFile(MemoryFileSystem& owner, std::shared_ptr<MemoryFileSystem::Entry> entry, bool writable)
        : owner_(owner), entry_(std::move(entry)), writable_(writable) {}

    FileCause read(void* buffer, std::size_t size, std::size_t& got) override {
        got = 0;
        FileCause cause;
        if (owner_.failNow(cause))
            return cause;
        if (closed_)
            return FileCause::invalidFile;
        const auto& data = entry_->data;
        if (position_ < data.size()) {
            got = std::min<std::size_t>(size, data.size() - position_);
            std::memcpy(buffer, data.data() + position_, got);
            position_ += got;
        }
        return FileCause::none;
    }
    FileCause write(const void* buffer, std::size_t size) override {
        FileCause cause;
        if (owner_.failNow(cause))
            return cause;
        if (closed_ || !writable_)
            return FileCause::accessDenied;
        auto& data = entry_->data;
        if (data.size() < position_ + size)
            data.resize(position_ + size);
        if (size)
            std::memcpy(data.data() + position_, buffer, size);
        position_ += size;
        return FileCause::none;
    }
    FileCause seek(std::uint64_t position) override {
        FileCause cause;
        if (owner_.failNow(cause))
            return cause;
        position_ = position;
        return closed_ ? FileCause::invalidFile : FileCause::none;
    }
    FileCause length(std::uint64_t& out) override {
        FileCause cause;
        if (owner_.failNow(cause))
            return cause;
        out = entry_->data.size();
        return closed_ ? FileCause::invalidFile : FileCause::none;
    }
    FileCause setLength(std::uint64_t size) override {
        FileCause cause;
        if (owner_.failNow(cause))
            return cause;
        if (closed_ || !writable_)
            return FileCause::accessDenied;
        entry_->data.resize(size);
        return FileCause::none;
    }
    FileCause flush() override {
        FileCause cause;
        if (owner_.failNow(cause))
            return cause;
        return closed_ ? FileCause::invalidFile : FileCause::none;
    }
    FileCause close() override {
        FileCause cause;
        if (owner_.failNow(cause))
            return cause;
        closed_ = true;
        return FileCause::none;
    }

private:
    MemoryFileSystem& owner_;
    std::shared_ptr<MemoryFileSystem::Entry> entry_;
    bool writable_;
    bool closed_ = false;
    std::uint64_t position_ = 0;
};

} // namespace

std::u16string MemoryFileSystem::key(const FilePath& path) {
    std::u16string k = path.units();
    for (char16_t& unit : k) {
        if (unit >= u'a' && unit <= u'z')
            unit = static_cast<char16_t>(unit - u'a' + u'A');
        else if (unit == u'/')
            unit = u'\\';
    }
    while (k.size() > 3 && k.back() == u'\\')
        k.pop_back();
    return k;
}

std::u16string MemoryFileSystem::parentOf(const FilePath& path) const {
    return key(FilePath(key(path)).folder());
}

bool MemoryFileSystem::failNow(FileCause& cause) {
    long current = operations_++;
    if (current == failAt_) {
        cause = failCause_;
        return true;
    }
    return false;
}

void MemoryFileSystem::failAt(long operation, FileCause cause) {
    failAt_ = operations_ + operation;
    failCause_ = cause;
}

std::unique_ptr<File> MemoryFileSystem::open(const FilePath& path, OpenMode mode, FileCause& cause) {
    if (failNow(cause))
        return nullptr;
    std::u16string k = key(path);
    if (directories_.count(k)) {
        cause = FileCause::accessDenied;
        return nullptr;
    }
    auto it = files_.find(k);
    if (mode == OpenMode::create) {
        std::u16string parent = parentOf(path);
        if (!parent.empty() && !directories_.count(parent)) {
            cause = FileCause::badPath;
            return nullptr;
        }
        if (it != files_.end()) {
            if (it->second->attributes & attr::readOnly) {
                cause = FileCause::accessDenied;
                return nullptr;
            }
            it->second->data.clear();
        } else {
            it = files_.emplace(k, std::make_shared<Entry>()).first;
        }
    } else if (it == files_.end()) {
        cause = FileCause::fileNotFound;
        return nullptr;
    } else if (mode == OpenMode::readWrite && (it->second->attributes & attr::readOnly)) {
        cause = FileCause::accessDenied;
        return nullptr;
    }
    cause = FileCause::none;
    return std::make_unique<MemoryFile>(*this, it->second, mode != OpenMode::read);
}

FileCause MemoryFileSystem::copy(const FilePath& from, const FilePath& to, bool failIfExists) {
    FileCause cause;
    if (failNow(cause))
        return cause;
    auto source = files_.find(key(from));
    if (source == files_.end())
        return FileCause::fileNotFound;
    auto target = files_.find(key(to));
    if (target != files_.end()) {
        if (failIfExists || (target->second->attributes & attr::readOnly))
            return FileCause::accessDenied;
    }
    std::u16string parent = parentOf(to);
    if (!parent.empty() && !directories_.count(parent))
        return FileCause::badPath;
    files_[key(to)] = std::make_shared<Entry>(*source->second);
    return FileCause::none;
}

FileCause MemoryFileSystem::move(const FilePath& from, const FilePath& to) {
    FileCause cause;
    if (failNow(cause))
        return cause;
    auto source = files_.find(key(from));
    if (source == files_.end())
        return FileCause::fileNotFound;
    auto target = files_.find(key(to));
    if (target != files_.end() && (target->second->attributes & attr::readOnly))
        return FileCause::accessDenied;
    auto entry = source->second;
    files_.erase(source);
    files_[key(to)] = entry;
    return FileCause::none;
}

FileCause MemoryFileSystem::remove(const FilePath& path) {
    FileCause cause;
    if (failNow(cause))
        return cause;
    auto it = files_.find(key(path));
    if (it == files_.end())
        return FileCause::fileNotFound;
    if (it->second->attributes & attr::readOnly)
        return FileCause::accessDenied;
    files_.erase(it);
    return FileCause::none;
}

FileCause MemoryFileSystem::getAttributes(const FilePath& path, std::uint32_t& attributes) {
    FileCause cause;
    if (failNow(cause))
        return cause;
    std::u16string k = key(path);
    if (directories_.count(k)) {
        attributes = attr::directory;
        return FileCause::none;
    }
    auto it = files_.find(k);
    if (it == files_.end())
        return FileCause::fileNotFound;
    attributes = it->second->attributes;
    return FileCause::none;
}

FileCause MemoryFileSystem::setAttributes(const FilePath& path, std::uint32_t attributes) {
    FileCause cause;
    if (failNow(cause))
        return cause;
    auto it = files_.find(key(path));
    if (it == files_.end())
        return FileCause::fileNotFound;
    it->second->attributes = attributes & ~attr::directory;
    return FileCause::none;
}

FileCause MemoryFileSystem::createDirectory(const FilePath& path) {
    FileCause cause;
    if (failNow(cause))
        return cause;
    std::u16string k = key(path);
    if (directories_.count(k) || files_.count(k))
        return FileCause::accessDenied;
    std::u16string parent = parentOf(path);
    if (!parent.empty() && !directories_.count(parent))
        return FileCause::badPath;
    directories_.insert(k);
    return FileCause::none;
}

bool MemoryFileSystem::exists(const FilePath& path) {
    FileCause cause;
    if (failNow(cause))
        return false;
    std::u16string k = key(path);
    return directories_.count(k) || files_.count(k);
}

FileCause MemoryFileSystem::listFiles(const FilePath& folder, std::vector<std::u16string>& names) {
    names.clear();
    FileCause cause;
    if (failNow(cause))
        return cause;
    const std::u16string parent = key(folder);
    if (!directories_.count(parent))
        return FileCause::badPath;
    // Keys are upper-cased: the names come back as a case-blind disk would match them.
    for (const auto& [k, entry] : files_) {
        if (key(FilePath(k).folder()) == parent)
            names.push_back(k.substr(FilePath(k).folder().units().size()));
    }
    return FileCause::none;
}

void MemoryFileSystem::putFile(const FilePath& path, std::vector<std::uint8_t> data,
                               std::uint32_t attributes) {
    auto entry = std::make_shared<Entry>();
    entry->data = std::move(data);
    entry->attributes = attributes;
    files_[key(path)] = entry;
}

void MemoryFileSystem::putFile(const FilePath& path, const std::string& text) {
    putFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

void MemoryFileSystem::addDirectory(const FilePath& path) {
    // Adds the folder with all its parents, as a real disk would have them.
    std::u16string k = key(path);
    while (!k.empty()) {
        directories_.insert(k);
        std::u16string parent = key(FilePath(k).folder());
        if (parent == k)
            break;
        k = parent;
    }
}

bool MemoryFileSystem::hasFile(const FilePath& path) const {
    return files_.count(key(path)) != 0;
}

std::vector<std::uint8_t> MemoryFileSystem::contents(const FilePath& path) const {
    auto it = files_.find(key(path));
    return it == files_.end() ? std::vector<std::uint8_t>{} : it->second->data;
}

} // namespace tav::test
