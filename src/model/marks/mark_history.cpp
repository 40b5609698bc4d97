#include "model/marks/mark_history.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <vector>

#include "model/app/configuration.h"
#include "model/document/palette_block.h"
#include "model/platform/cp932.h"
#include "model/platform/little_endian.h"

namespace tav {

namespace hl = history_layout;

namespace {

constexpr const char* addFailed =
    "履歴ファイルの更新に失敗しました。\n作成したデータは履歴ファイルに登録されません。";
constexpr const char* deleteFailed =
    "履歴ファイルの更新に失敗しました。\n削除指定したデータはファイルに反映されません。";
constexpr const char* deleteAllFailed =
    "履歴ファイルの更新に失敗しました。\n削除指定したデータはファイルに反映されません。\n\n※ "
    "手動で削除する事ができます。\n　 下記のファイルを削除してください\n\n%s";

struct Layout {
    std::u16string_view name;
    const char* magic;
    std::size_t recordSize;
    std::size_t chunkRecords; // records copied per read when the file is rewritten
};

constexpr Layout wallLayout{u"History.mhd", "HD00", hl::wallRecordSize, 20};
constexpr Layout roomLayout{u"History.mhb", "HB00", hl::roomRecordSize, 1};
static_assert(hl::roomRecordSize == palette_layout::roomSlotSize);
static_assert(hl::wallRecordSize == palette_layout::wallRecordSize);

const Layout& layoutOf(HistoryKind kind) {
    return kind == HistoryKind::wall ? wallLayout : roomLayout;
}

using Header = std::array<std::uint8_t, hl::headerSize>;

// What an open history file holds.
struct Contents {
    Header header{};
    bool ours = false;       // a whole header with the kind's magic
    std::uint64_t count = 0; // whole records present, at most the header's count
};

FileCause inspect(File& file, const Layout& layout, Contents& out) {
    out = Contents{};
    std::uint64_t length = 0;
    FileCause cause = file.length(length);
    if (cause != FileCause::none || length < hl::headerSize)
        return cause;
    if ((cause = file.seek(0)) != FileCause::none ||
        (cause = file.readExact(out.header.data(), out.header.size())) != FileCause::none)
        return cause;
    if (std::memcmp(out.header.data(), layout.magic, 4) != 0)
        return FileCause::none;
    out.ours = true;
    out.count = std::min<std::uint64_t>(le::get32(out.header.data() + hl::countOffset),
                                        (length - hl::headerSize) / layout.recordSize);
    return FileCause::none;
}

// Which old records the new file keeps: index and the record's bytes.
using KeepTest = std::function<bool(std::uint64_t, const std::uint8_t*)>;

// Writes the header as read with the new count, the source's records from first on that keep lets
// through, then the appended record.
FileCause writeNewFile(File& source, File& target, const Layout& layout, const Contents& contents,
                       std::uint64_t first, const KeepTest& keep, std::span<const std::uint8_t> appended,
                       std::uint32_t count) {
    Header header = contents.header;
    le::put32(header.data() + hl::countOffset, count);
    FileCause cause = target.write(header.data(), header.size());
    if (cause != FileCause::none ||
        (cause = source.seek(hl::headerSize + first * layout.recordSize)) != FileCause::none)
        return cause;
    std::vector<std::uint8_t> chunk(layout.recordSize * layout.chunkRecords);
    std::vector<std::uint8_t> kept;
    kept.reserve(chunk.size());
    for (std::uint64_t index = first; index < contents.count;) {
        const auto records =
            static_cast<std::size_t>(std::min<std::uint64_t>(layout.chunkRecords, contents.count - index));
        if ((cause = source.readExact(chunk.data(), records * layout.recordSize)) != FileCause::none)
            return cause;
        kept.clear();
        for (std::size_t r = 0; r < records; ++r) {
            const std::uint8_t* record = chunk.data() + r * layout.recordSize;
            if (keep(index + r, record))
                kept.insert(kept.end(), record, record + layout.recordSize);
        }
        if (!kept.empty() && (cause = target.write(kept.data(), kept.size())) != FileCause::none)
            return cause;
        index += records;
    }
    if (!appended.empty() && (cause = target.write(appended.data(), appended.size())) != FileCause::none)
        return cause;
    return target.flush();
}

// Builds the new file under path + ".tmp" and moves it over path, which keeps its old contents until
// the new file is whole. The source is closed either way; on failure the temporary file is gone.
bool rewrite(FileSystem& files, const FilePath& path, std::unique_ptr<File> source, const Layout& layout,
             const Contents& contents, std::uint64_t first, const KeepTest& keep,
             std::span<const std::uint8_t> appended, std::uint32_t count) {
    const FilePath temporary = path + u".tmp";
    FileCause cause = FileCause::none;
    auto target = files.open(temporary, OpenMode::create, cause);
    bool written = target && writeNewFile(*source, *target, layout, contents, first, keep, appended, count) ==
                                 FileCause::none;
    source->close();
    source.reset();
    if (target) {
        written = target->close() == FileCause::none && written;
        target.reset();
        if (written && files.move(temporary, path) == FileCause::none)
            return true;
        files.remove(temporary);
    }
    return false;
}

} // namespace

MarkHistory::MarkHistory(FileSystem& files, Prompter& prompter, Settings& settings, FilePath moduleFolder,
                         PictureConverter* converter)
    : files_(files), prompter_(prompter), settings_(settings), folder_(std::move(moduleFolder)),
      converter_(converter) {}

FilePath MarkHistory::path(HistoryKind kind) const {
    return folder_ + layoutOf(kind).name;
}

void MarkHistory::fail(const std::string& text) {
    prompter_.showMessage(text, msg::ok | msg::iconError);
}

std::size_t MarkHistory::count(HistoryKind kind) {
    FileCause cause = FileCause::none;
    auto file = files_.open(path(kind), OpenMode::read, cause);
    Contents contents;
    if (!file || inspect(*file, layoutOf(kind), contents) != FileCause::none)
        return 0;
    file->close();
    return static_cast<std::size_t>(contents.count);
}

bool MarkHistory::read(HistoryKind kind, std::size_t index, std::span<std::uint8_t> record) {
    const Layout& layout = layoutOf(kind);
    FileCause cause = FileCause::none;
    auto file = files_.open(path(kind), OpenMode::read, cause);
    Contents contents;
    if (!file || inspect(*file, layout, contents) != FileCause::none || index >= contents.count)
        return false;
    if (file->seek(hl::headerSize + std::uint64_t(index) * layout.recordSize) != FileCause::none ||
        file->readExact(record.data(), record.size()) != FileCause::none)
        return false;
    file->close();
    return true;
}

std::optional<WallMarkRecord> MarkHistory::wall(std::size_t index) {
    std::array<std::uint8_t, hl::wallRecordSize> record;
    if (!read(HistoryKind::wall, index, record))
        return std::nullopt;
    return decodeWallRecord(record.data());
}

std::optional<RoomMarkSlot> MarkHistory::room(std::size_t index) {
    std::vector<std::uint8_t> record(hl::roomRecordSize);
    if (!read(HistoryKind::room, index, record))
        return std::nullopt;
    RoomMarkSlot mark = decodeRoomSlot(record, converter_);
    if (!mark.registered)
        return std::nullopt;
    return mark;
}

bool MarkHistory::addWall(const WallMarkRecord& record) {
    std::array<std::uint8_t, hl::wallRecordSize> bytes;
    encodeWallRecord(record, bytes.data());
    return add(HistoryKind::wall, bytes);
}

bool MarkHistory::addRoom(const RoomMarkSlot& mark) {
    RoomMarkSlot stored = mark;
    stored.registered = true;
    std::vector<std::uint8_t> bytes(hl::roomRecordSize);
    encodeRoomSlot(stored, bytes.data());
    return add(HistoryKind::room, bytes);
}

bool MarkHistory::create(const FilePath& path, HistoryKind kind, std::span<const std::uint8_t> record) {
    const Layout& layout = layoutOf(kind);
    FileCause cause = FileCause::none;
    auto file = files_.open(path, OpenMode::create, cause);
    if (!file)
        return false;
    Header header{};
    std::memcpy(header.data(), layout.magic, 4);
    le::put32(header.data() + hl::countOffset, 1);
    const bool written = file->setLength(hl::headerSize + record.size()) == FileCause::none &&
                         file->write(header.data(), header.size()) == FileCause::none &&
                         file->write(record.data(), record.size()) == FileCause::none &&
                         file->flush() == FileCause::none;
    if (file->close() == FileCause::none && written)
        return true;
    // A half-made file would show a blank or wrong entry.
    file.reset();
    files_.remove(path);
    return false;
}

bool MarkHistory::add(HistoryKind kind, std::span<const std::uint8_t> record) {
    const config::HistorySettings rules = config::readHistorySettings(settings_);
    const int limit = kind == HistoryKind::wall ? rules.wallLimit : rules.roomLimit;
    const FilePath file = path(kind);
    if (limit <= 0) {
        files_.remove(file); // switched off: a missing file is as good
        return true;
    }
    FileCause cause = FileCause::none;
    auto source = files_.open(file, OpenMode::read, cause);
    if (!source) {
        // Only a missing file is made anew: one that merely failed to open may still hold the history.
        if (cause == FileCause::fileNotFound && create(file, kind, record))
            return true;
        fail(addFailed);
        return false;
    }
    const Layout& layout = layoutOf(kind);
    Contents contents;
    // A header alone (every entry deleted one by one) is an empty history; a shorter or foreign file is
    // not overwritten.
    if (inspect(*source, layout, contents) != FileCause::none || !contents.ours) {
        source->close();
        fail(addFailed);
        return false;
    }
    const std::uint64_t n = contents.count;
    const auto max = static_cast<std::uint64_t>(limit);
    if (n >= max && rules.keepOldestWhenFull) {
        source->close();
        return true;
    }
    // When full, the oldest n - max + 1 entries make room. Skipped duplicates do not lower the count: the
    // effective count covers the difference.
    const std::uint64_t first = n < max ? 0 : n - max + 1;
    const auto count = static_cast<std::uint32_t>(n < max ? n + 1 : max);
    const KeepTest keep = [&](std::uint64_t, const std::uint8_t* old) {
        return rules.allowDuplicates || std::memcmp(old, record.data(), record.size()) != 0;
    };
    if (rewrite(files_, file, std::move(source), layout, contents, first, keep, record, count))
        return true;
    fail(addFailed);
    return false;
}

bool MarkHistory::deleteEntries(HistoryKind kind, std::span<const std::size_t> indexes) {
    if (indexes.empty())
        return true;
    const FilePath file = path(kind);
    const Layout& layout = layoutOf(kind);
    FileCause cause = FileCause::none;
    auto source = files_.open(file, OpenMode::read, cause);
    if (!source) {
        if (cause == FileCause::fileNotFound)
            return true; // nothing left to delete
        fail(deleteFailed);
        return false;
    }
    Contents contents;
    if (inspect(*source, layout, contents) != FileCause::none) {
        source->close();
        fail(deleteFailed);
        return false;
    }
    std::vector<std::uint64_t> deleted;
    for (std::size_t index : indexes)
        if (index < contents.count)
            deleted.push_back(index);
    std::sort(deleted.begin(), deleted.end());
    deleted.erase(std::unique(deleted.begin(), deleted.end()), deleted.end());
    if (deleted.empty()) {
        source->close();
        return true;
    }
    const KeepTest keep = [&](std::uint64_t index, const std::uint8_t*) {
        return !std::binary_search(deleted.begin(), deleted.end(), index);
    };
    const auto count = static_cast<std::uint32_t>(contents.count - deleted.size());
    if (rewrite(files_, file, std::move(source), layout, contents, 0, keep, {}, count))
        return true;
    fail(deleteFailed);
    return false;
}

bool MarkHistory::deleteAll(HistoryKind kind) {
    const FilePath file = path(kind);
    const FileCause cause = files_.remove(file);
    if (cause == FileCause::none || cause == FileCause::fileNotFound)
        return true;
    fail(cp932::formatWith(deleteAllFailed, file.text()));
    return false;
}

} // namespace tav
