#include "model/document/recovery_store.h"

#include <algorithm>
#include <new>

#include "model/document/map_document.h"
#include "model/document/map_file.h"

namespace tav {

namespace names = recovery_names;

namespace {
constexpr std::string_view recordExtensionName = "own";
} // namespace

RecoveryStore::RecoveryStore(FileSystem& files, FilePath folder, ProcessStamp self)
    : files_(files), folder_(std::move(folder)), self_(self) {}

FilePath RecoveryStore::pathOf(const ProcessStamp& owner, std::u16string_view extension) const {
    return folder_ + recoveryStem(owner) + extension;
}

bool RecoveryStore::replaceWith(const FilePath& path, const std::vector<std::uint8_t>& bytes) {
    const FilePath part = path + names::partExtension;
    FileCause cause = FileCause::none;
    auto file = files_.open(part, OpenMode::create, cause);
    if (!file)
        return false;
    // No flush: the copy guards against the program's end, which leaves the system's cache to the disk;
    // waiting for the disk would be the pause the copy must not cause.
    bool written = file->write(bytes.data(), bytes.size()) == FileCause::none;
    written = file->close() == FileCause::none && written;
    file.reset();
    if (written && files_.move(part, path) == FileCause::none)
        return true;
    files_.remove(part);
    return false;
}

bool RecoveryStore::write(const MapDocument& document, const LocalTime& now) {
    try {
        encodeMapFile(document, buffer_);
    } catch (const std::bad_alloc&) {
        buffer_ = {};
        return false;
    }
    if (buffer_.empty())
        return false;
    if (!files_.isDirectory(folder_))
        files_.createDirectory(folder_);
    mayHaveCopy_ = true;
    // The copy first: a record is only ever beside a whole copy.
    return replaceWith(copyPath(), buffer_) &&
           replaceWith(recordPath(), encodeRecoveryRecord({document.currentFileName(), now}));
}

void RecoveryStore::discard() {
    if (!mayHaveCopy_)
        return;
    // The record first: a copy without its record is never offered.
    files_.remove(recordPath());
    files_.remove(copyPath());
    mayHaveCopy_ = false;
}

bool RecoveryStore::readRecord(const FilePath& path, RecoveryRecord& record) {
    FileCause cause = FileCause::none;
    auto file = files_.open(path, OpenMode::read, cause);
    if (!file)
        return false;
    std::uint64_t length = 0;
    std::vector<std::uint8_t> bytes;
    bool read = file->length(length) == FileCause::none && length <= recovery_layout::maxSize;
    // The length is checked before anything is allocated: the file comes from outside.
    if (read) {
        bytes.resize(static_cast<std::size_t>(length));
        read = file->readExact(bytes.data(), bytes.size()) == FileCause::none;
    }
    file->close();
    return read && decodeRecoveryRecord(bytes, record);
}

std::vector<RecoveryLeftover> RecoveryStore::leftovers(Processes& processes) {
    std::vector<RecoveryLeftover> found;
    std::vector<std::u16string> names;
    if (files_.listFiles(folder_, names) != FileCause::none)
        return found;
    for (const std::u16string& name : names) {
        const FilePath path = folder_ + name;
        if (!path.hasExtension(recordExtensionName))
            continue;
        const auto owner =
            ownerOfStem(std::u16string_view(name).substr(0, name.size() - names::recordExtension.size()));
        if (!owner || *owner == self_ || processes.isRunning(*owner))
            continue;
        RecoveryLeftover leftover{*owner, {}};
        if (!readRecord(path, leftover.record))
            continue;
        if (!files_.exists(pathOf(*owner, names::copyExtension))) {
            files_.remove(path);
            continue;
        }
        found.push_back(std::move(leftover));
    }
    std::sort(found.begin(), found.end(), [](const RecoveryLeftover& a, const RecoveryLeftover& b) {
        return a.record.written > b.record.written;
    });
    return found;
}

bool RecoveryStore::claim(const RecoveryLeftover& leftover) {
    if (files_.move(pathOf(leftover.owner, names::recordExtension), recordPath()) != FileCause::none)
        return false;
    mayHaveCopy_ = true;
    if (files_.move(pathOf(leftover.owner, names::copyExtension), copyPath()) != FileCause::none) {
        discard();
        return false;
    }
    return true;
}

} // namespace tav
