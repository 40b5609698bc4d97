#pragma once
// Recovery copies in a folder of their own: each running program keeps at most one, a map file in the
// normal format beside a record of the map it belongs to, both named after the owning process. Nothing
// here shows a message: a copy that cannot be written is simply not there.
#include <cstdint>
#include <vector>

#include "model/document/recovery_record.h"
#include "model/platform/file_system.h"
#include "model/platform/processes.h"

namespace tav {

class MapDocument;

namespace recovery_names {
inline constexpr std::u16string_view copyExtension = u".MED";
inline constexpr std::u16string_view recordExtension = u".own";
inline constexpr std::u16string_view partExtension = u".tmp"; // a file being written
} // namespace recovery_names

// A copy whose owner is no longer running.
struct RecoveryLeftover {
    ProcessStamp owner;
    RecoveryRecord record;
};

class RecoveryStore {
public:
    // folder ends with a backslash; it is made on the first write.
    RecoveryStore(FileSystem& files, FilePath folder, ProcessStamp self);

    // Writes the document as this program's copy, each file whole under a temporary name first and then
    // put in place, so a copy is never half there. The user's own file is never touched.
    bool write(const MapDocument& document, const LocalTime& now);
    // Removes this program's copy, if it has one.
    void discard();
    FilePath copyPath() const { return pathOf(self_, recovery_names::copyExtension); }
    FilePath recordPath() const { return pathOf(self_, recovery_names::recordExtension); }

    // Copies of programs that are no longer running, newest first. Records that cannot be read are left
    // alone; a record without its copy is removed.
    std::vector<RecoveryLeftover> leftovers(Processes& processes);
    // Makes a leftover this program's own copy. The record moves first, in one step, so of two programs
    // starting together only one takes it. False when it is gone or another program was quicker.
    bool claim(const RecoveryLeftover& leftover);

private:
    FilePath pathOf(const ProcessStamp& owner, std::u16string_view extension) const;
    bool replaceWith(const FilePath& path, const std::vector<std::uint8_t>& bytes);
    bool readRecord(const FilePath& path, RecoveryRecord& record);

    FileSystem& files_;
    FilePath folder_;
    ProcessStamp self_;
    bool mayHaveCopy_ = false;
    // The map file is made here each time: the buffer keeps its size between writes.
    std::vector<std::uint8_t> buffer_;
};

} // namespace tav
