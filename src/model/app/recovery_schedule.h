#pragma once
// When the recovery copy of an edited map is written: only for a change not yet copied, and never sooner
// than the interval after the last attempt, so a slow or failing disk is not hammered.
#include <cstdint>

namespace tav {

class RecoverySchedule {
public:
    // 0 switches the copies off.
    explicit RecoverySchedule(int intervalSeconds)
        : intervalMs_(intervalSeconds > 0 ? std::uint64_t(intervalSeconds) * 1000 : 0) {}

    bool enabled() const { return intervalMs_ != 0; }
    // nowMs: a steady clock in milliseconds.
    bool due(bool modified, std::uint64_t revision, std::uint64_t nowMs) const;
    // A write was tried at nowMs for this revision; only a written one counts as copied.
    void attempted(std::uint64_t revision, std::uint64_t nowMs, bool written);

private:
    std::uint64_t intervalMs_;
    bool tried_ = false;
    std::uint64_t lastAttemptMs_ = 0;
    bool copied_ = false;
    std::uint64_t copiedRevision_ = 0;
};

} // namespace tav
