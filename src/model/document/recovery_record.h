#pragma once
// The side file of a recovery copy: which map the copy belongs to and when it was written. Its name tells
// the process that owns it, so a copy left by a program that has ended can be told from a running one's.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/platform/file_path.h"
#include "model/platform/processes.h"

namespace tav {

// A wall-clock time as the user reads it.
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const LocalTime&, const LocalTime&) = default;
    friend auto operator<=>(const LocalTime&, const LocalTime&) = default;
};

// "2026/12/09 09:30:05"
std::string formatLocalTime(const LocalTime& time);

struct RecoveryRecord {
    FilePath original; // empty for a map that was never saved
    LocalTime written;

    friend bool operator==(const RecoveryRecord&, const RecoveryRecord&) = default;
};

namespace recovery_layout {
constexpr std::size_t headerSize = 4 + 8 + 2; // magic, time, path length
constexpr std::size_t maxPathUnits = 32767;   // the longest path the platform allows
constexpr std::size_t maxSize = headerSize + 2 * maxPathUnits;
} // namespace recovery_layout

std::vector<std::uint8_t> encodeRecoveryRecord(const RecoveryRecord& record);
// Exactly one whole record of a sensible time; out is only touched on success.
bool decodeRecoveryRecord(std::span<const std::uint8_t> bytes, RecoveryRecord& out);

// The file names of one process's copy and record share this stem: "<id>-<started>" in hexadecimal.
std::u16string recoveryStem(const ProcessStamp& owner);
// The owner of a stem written by recoveryStem; nothing for any other name.
std::optional<ProcessStamp> ownerOfStem(std::u16string_view stem);

} // namespace tav
