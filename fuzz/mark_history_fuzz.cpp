// History files from outside: the bytes are served as History.mhd and, with the magic "HB00", as
// History.mhb to the real history on an in-memory disk. Every entry present is read, then one mark of each
// kind is added and two entries are deleted, under settings taken from the header's reserved bytes, and
// with one file call made to fail when byte 11 says so.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "model/document/palette_block.h"
#include "model/marks/mark_history.h"
#include "support/memory_file_system.h"
#include "support/memory_settings.h"
#include "support/recording_prompter.h"
#include "require.h"
#include "touching_converter.h"

namespace {

using namespace tav;

using fuzz::require;
using fuzz::TouchingConverter;

const FilePath folder = u"C:\\Tavrosin\\";
// Reading every entry of a long file reaches no code the first few do.
constexpr std::size_t entriesRead = 48;

test::MemoryFileSystem& disk() {
    static test::MemoryFileSystem files = [] {
        test::MemoryFileSystem made;
        made.addDirectory(folder);
        return made;
    }();
    return files;
}

std::uint32_t get32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 | std::uint32_t(bytes[at + 2]) << 16 |
           std::uint32_t(bytes[at + 3]) << 24;
}

// What the effective-count rule says the bytes hold.
std::size_t expectedCount(const std::vector<std::uint8_t>& bytes, const char* magic, std::size_t recordSize) {
    if (bytes.size() < 32 || std::memcmp(bytes.data(), magic, 4) != 0)
        return 0;
    return std::min<std::size_t>(get32(bytes, 4), (bytes.size() - 32) / recordSize);
}

// Makes the n-th file call from now fail (none when n is negative) while change runs.
bool withFailure(test::MemoryFileSystem& files, long n, const auto& change) {
    if (n >= 0)
        files.failAt(n, FileCause::diskFull);
    const bool done = change();
    files.failAt(-1 - files.operationCount(), FileCause::none);
    return done;
}

void checkKind(MarkHistory& history, test::MemoryFileSystem& files, test::RecordingPrompter& prompter,
               HistoryKind kind, const char* magic, std::size_t recordSize, int limit, long failure,
               const auto& addOne, const auto& lastEntryIsAdded) {
    const FilePath path = history.path(kind);
    const FilePath temporary = path + u".tmp";
    const std::vector<std::uint8_t> before = files.contents(path);
    const std::size_t count = expectedCount(before, magic, recordSize);
    require(history.count(kind) == count);

    prompter.shown.clear();
    const bool added = withFailure(files, failure, addOne);
    require(!files.hasFile(temporary));
    require(added == prompter.shown.empty());
    const std::vector<std::uint8_t> after = files.contents(path);
    if (limit == 0) {
        require(added && (failure >= 0 || !files.hasFile(path))); // switched off: the file goes
        return;
    }
    if (!added) {
        require(after == before); // a failed add loses nothing
    } else if (after != before) {
        const std::size_t now = history.count(kind);
        require(now >= 1 && now <= static_cast<std::size_t>(limit));
        require(lastEntryIsAdded(now - 1));
        require(std::equal(after.begin() + 8, after.begin() + 32,
                           before.size() >= 32 ? before.begin() + 8 : after.begin() + 8));
    }

    // Deleting the first and the third entry, and one past the end.
    const std::size_t present = history.count(kind);
    const std::vector<std::uint8_t> kept = files.contents(path);
    const std::size_t picked[] = {2, 0, present};
    prompter.shown.clear();
    const bool deleted = withFailure(files, failure, [&] { return history.deleteEntries(kind, picked); });
    require(deleted == prompter.shown.empty() && !files.hasFile(temporary));
    if (deleted)
        require(history.count(kind) == present - std::min<std::size_t>(present, present > 2 ? 2 : 1));
    else
        require(files.contents(path) == kept);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    test::MemoryFileSystem& files = disk();
    test::MemorySettings settings;
    test::RecordingPrompter prompter;
    TouchingConverter converter;
    MarkHistory history(files, prompter, settings, folder, &converter);

    // Limits 0..7, the order, the duplicate rule and a file call to fail from the reserved bytes, so they
    // stay in the file.
    const int limit = size > 8 ? data[8] % 8 : 3;
    settings.values[{"PROPERTY", "HISTORYDMAX"}] = std::to_string(limit);
    settings.values[{"PROPERTY", "HISTORYBMAX"}] = std::to_string(limit);
    settings.values[{"PROPERTY", "HISTORYADD"}] = size > 9 && (data[9] & 1) ? "1" : "0";
    settings.values[{"PROPERTY", "HISTORYOVERLAP"}] = size > 10 && (data[10] & 1) ? "1" : "0";
    const long failure = size > 11 && data[11] ? data[11] % 24 : -1;

    std::vector<std::uint8_t> bytes(data, data + size);
    files.putFile(history.path(HistoryKind::wall), bytes);
    if (size >= 4)
        std::memcpy(bytes.data(), "HB00", 4);
    files.putFile(history.path(HistoryKind::room), bytes);

    const std::size_t walls = history.count(HistoryKind::wall);
    const std::size_t rooms = history.count(HistoryKind::room);
    for (std::size_t i = 0; i < std::min(walls, entriesRead); ++i)
        require(history.wall(i).has_value());
    for (std::size_t i = 0; i < std::min(rooms, entriesRead); ++i)
        history.room(i); // a picture that cannot be read leaves the entry blank
    require(!history.wall(walls).has_value() && !history.room(rooms).has_value());

    // The first entry present again, so duplicates meet.
    WallMarkRecord wall =
        walls ? *history.wall(0) : WallMarkRecord{0x123456, noColour, 0xFF, 0, 0, 1, 1, 8, 12};
    wall.registered = 1;
    checkKind(
        history, files, prompter, HistoryKind::wall, "HD00", history_layout::wallRecordSize, limit, failure,
        [&] { return history.addWall(wall); }, [&](std::size_t last) { return history.wall(last) == wall; });

    RoomMarkSlot room;
    if (const auto first = rooms ? history.room(0) : std::nullopt)
        room = *first;
    room.registered = true;
    checkKind(
        history, files, prompter, HistoryKind::room, "HB00", history_layout::roomRecordSize, limit, failure,
        [&] { return history.addRoom(room); }, [&](std::size_t last) { return history.room(last) == room; });
    return 0;
}
