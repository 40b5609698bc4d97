#include "model/app/recovery_schedule.h"

namespace tav {

bool RecoverySchedule::due(bool modified, std::uint64_t revision, std::uint64_t nowMs) const {
    if (!enabled() || !modified || (copied_ && revision == copiedRevision_))
        return false;
    return !tried_ || nowMs - lastAttemptMs_ >= intervalMs_;
}

void RecoverySchedule::attempted(std::uint64_t revision, std::uint64_t nowMs, bool written) {
    tried_ = true;
    lastAttemptMs_ = nowMs;
    if (written) {
        copied_ = true;
        copiedRevision_ = revision;
    }
}

} // namespace tav
