#pragma once
// The mark histories in the program folder: every registered wall mark is appended to History.mhd and
// every room mark to History.mhb, so it can be picked again later. Each file is a 32-byte header (magic,
// entry count, 24 reserved bytes) and fixed-size records, oldest first.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "model/marks/room_mark.h"
#include "model/marks/wall_mark.h"
#include "model/platform/file_system.h"
#include "model/platform/prompter.h"
#include "model/platform/settings.h"

namespace tav {

class PictureConverter;

enum class HistoryKind { wall, room };

namespace history_layout {
constexpr std::size_t headerSize = 32;
constexpr std::size_t countOffset = 4;
constexpr std::size_t wallRecordSize = 24;
constexpr std::size_t roomRecordSize = 2464;
} // namespace history_layout

// Reads show nothing: a missing, short or foreign file holds no entries, and the header's count is never
// trusted beyond the whole records present. Changes read the limits and rules from the settings each
// time, build the new file under the name + ".tmp" and put it in place only when it is whole; a failure
// shows its message, leaves the history file as it was and returns false.
class MarkHistory {
public:
    // converter may be null: room pictures stored with another header then read as blank entries.
    MarkHistory(FileSystem& files, Prompter& prompter, Settings& settings, FilePath moduleFolder,
                PictureConverter* converter = nullptr);

    FilePath path(HistoryKind kind) const;

    // Entries in the file (the effective count).
    std::size_t count(HistoryKind kind);
    // Entry index (0 the oldest); nothing when it is out of range or cannot be read.
    std::optional<WallMarkRecord> wall(std::size_t index);
    std::optional<RoomMarkSlot> room(std::size_t index);

    // Appends a registered mark. True also when the rules store nothing: the history is switched off
    // (limit 0, which deletes the file) or full and keeping its oldest entries.
    bool addWall(const WallMarkRecord& record);
    // The two pictures with their transparent colours; the slot's registered flag is ignored.
    bool addRoom(const RoomMarkSlot& mark);

    // Removes the entries at these indexes in one rewrite; indexes past the entries are ignored.
    bool deleteEntries(HistoryKind kind, std::span<const std::size_t> indexes);
    // Deletes the whole file; the failure message names it, so the user can delete it by hand.
    bool deleteAll(HistoryKind kind);

private:
    bool add(HistoryKind kind, std::span<const std::uint8_t> record);
    bool create(const FilePath& path, HistoryKind kind, std::span<const std::uint8_t> record);
    bool read(HistoryKind kind, std::size_t index, std::span<std::uint8_t> record);
    void fail(const std::string& text);

    FileSystem& files_;
    Prompter& prompter_;
    Settings& settings_;
    FilePath folder_;
    PictureConverter* converter_;
};

} // namespace tav
