#pragma once
// History files built byte by byte for the history and picker tests.
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "model/document/palette_samples.h"
#include "model/marks/mark_history.h"

namespace tav::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes wallBytes(const WallMarkRecord& record) {
    Bytes bytes(history_layout::wallRecordSize);
    encodeWallRecord(record, bytes.data());
    return bytes;
}

inline Bytes roomBytes(const RoomMarkSlot& mark) {
    Bytes bytes(history_layout::roomRecordSize);
    encodeRoomSlot(mark, bytes.data());
    return bytes;
}

// The header with this count (the number of records when none is given) and reserved bytes that are not
// zero, so a rewrite that drops them shows.
inline Bytes historyFile(const char* magic, const std::vector<Bytes>& records, long count = -1) {
    Bytes file(32);
    std::memcpy(file.data(), magic, 4);
    put32(file.data() + 4, static_cast<std::uint32_t>(count < 0 ? long(records.size()) : count));
    for (int i = 8; i < 32; ++i)
        file[i] = static_cast<std::uint8_t>(0xA0 + i);
    for (const Bytes& record : records)
        file.insert(file.end(), record.begin(), record.end());
    return file;
}

inline Bytes wallFile(std::initializer_list<WallMarkRecord> records, long count = -1) {
    std::vector<Bytes> each;
    for (const WallMarkRecord& r : records)
        each.push_back(wallBytes(r));
    return historyFile("HD00", each, count);
}

inline Bytes roomFile(std::initializer_list<RoomMarkSlot> marks, long count = -1) {
    std::vector<Bytes> each;
    for (const RoomMarkSlot& mark : marks)
        each.push_back(roomBytes(mark));
    return historyFile("HB00", each, count);
}

} // namespace tav::test
