#pragma once
// Work is never lost: while the map has unsaved changes a copy of it is kept beside the program, and a
// copy left by a program that ended without closing is offered back at the next start.
#include <cstdint>
#include <optional>

#include "model/app/recovery_schedule.h"
#include "model/document/recovery_store.h"
#include "model/platform/prompter.h"

namespace tav {

class MapDocument;
class MapFileStorage;

class Recovery {
public:
    Recovery(FileSystem& files, const FilePath& folder, ProcessStamp self, int intervalSeconds)
        : store_(files, folder, self), schedule_(intervalSeconds) {}

    bool enabled() const { return schedule_.enabled(); }
    // Called often (a timer): writes the copy when one is due. Never shows anything.
    void tick(const MapDocument& document, std::uint64_t nowMs, const LocalTime& now);
    // The map was saved or replaced, or the program ends normally: the copy goes.
    void discard() { store_.discard(); }

    // At start: asks about each copy of a program no longer running, newest first, until the user takes
    // one; "いいえ" deletes the copy asked about. The copy taken is this program's own from then on.
    std::optional<RecoveryRecord> offerLeftovers(Processes& processes, Prompter& prompter);
    // Opens the copy taken as a modified map with its original name, so Save writes the original file.
    // A copy that cannot be read is deleted (the loader has said why).
    bool restore(MapDocument& document, MapFileStorage& mapFiles, const RecoveryRecord& taken,
                 std::uint64_t nowMs);

    RecoveryStore& store() { return store_; }

private:
    RecoveryStore store_;
    RecoverySchedule schedule_;
};

// The question about one leftover copy.
std::string leftoverQuestion(const RecoveryRecord& record);

} // namespace tav
