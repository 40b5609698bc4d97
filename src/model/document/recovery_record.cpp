#include "model/document/recovery_record.h"

#include <cstdio>
#include <cstring>

namespace tav {

namespace rl = recovery_layout;

namespace {

constexpr char magic[4] = {'T', 'R', 'C', '1'};
constexpr std::size_t idDigits = 8;
constexpr std::size_t startedDigits = 16;

void put16(std::uint8_t* p, unsigned v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

unsigned get16(const std::uint8_t* p) {
    return p[0] | p[1] << 8u;
}

bool sensible(const LocalTime& t) {
    return t.year >= 1601 && t.year <= 30827 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 &&
           t.hour <= 23 && t.minute <= 59 && t.second <= 59;
}

void appendHex(std::u16string& out, std::uint64_t value, std::size_t digits) {
    for (std::size_t i = digits; i-- > 0;)
        out.push_back(u"0123456789ABCDEF"[(value >> (4 * i)) & 0xF]);
}

std::optional<std::uint64_t> parseHex(std::u16string_view digits) {
    std::uint64_t value = 0;
    for (char16_t c : digits) {
        int d = c >= u'0' && c <= u'9' ? c - u'0' : c >= u'A' && c <= u'F' ? c - u'A' + 10 : -1;
        if (d < 0)
            return std::nullopt;
        value = value << 4 | static_cast<std::uint64_t>(d);
    }
    return value;
}

} // namespace

std::string formatLocalTime(const LocalTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return text;
}

std::vector<std::uint8_t> encodeRecoveryRecord(const RecoveryRecord& record) {
    const std::u16string& units = record.original.units();
    const std::size_t length = std::min(units.size(), rl::maxPathUnits);
    std::vector<std::uint8_t> out(rl::headerSize + 2 * length);
    std::uint8_t* p = out.data();
    std::memcpy(p, magic, 4);
    const LocalTime& t = record.written;
    put16(p + 4, static_cast<unsigned>(t.year));
    p[6] = static_cast<std::uint8_t>(t.month);
    p[7] = static_cast<std::uint8_t>(t.day);
    p[8] = static_cast<std::uint8_t>(t.hour);
    p[9] = static_cast<std::uint8_t>(t.minute);
    p[10] = static_cast<std::uint8_t>(t.second);
    p[11] = 0;
    put16(p + 12, static_cast<unsigned>(length));
    for (std::size_t i = 0; i < length; ++i)
        put16(p + rl::headerSize + 2 * i, units[i]);
    return out;
}

bool decodeRecoveryRecord(std::span<const std::uint8_t> bytes, RecoveryRecord& out) {
    if (bytes.size() < rl::headerSize || std::memcmp(bytes.data(), magic, 4) != 0)
        return false;
    const std::uint8_t* p = bytes.data();
    const std::size_t length = get16(p + 12);
    if (p[11] != 0 || length > rl::maxPathUnits || bytes.size() != rl::headerSize + 2 * length)
        return false;
    RecoveryRecord record;
    record.written = {static_cast<int>(get16(p + 4)), p[6], p[7], p[8], p[9], p[10]};
    if (!sensible(record.written))
        return false;
    std::u16string units(length, u'\0');
    for (std::size_t i = 0; i < length; ++i) {
        units[i] = static_cast<char16_t>(get16(p + rl::headerSize + 2 * i));
        if (units[i] == 0)
            return false; // no path holds a zero
    }
    record.original = FilePath(std::move(units));
    out = std::move(record);
    return true;
}

std::u16string recoveryStem(const ProcessStamp& owner) {
    std::u16string stem;
    appendHex(stem, owner.id, idDigits);
    stem.push_back(u'-');
    appendHex(stem, owner.started, startedDigits);
    return stem;
}

std::optional<ProcessStamp> ownerOfStem(std::u16string_view stem) {
    if (stem.size() != idDigits + 1 + startedDigits || stem[idDigits] != u'-')
        return std::nullopt;
    const auto id = parseHex(stem.substr(0, idDigits));
    const auto started = parseHex(stem.substr(idDigits + 1));
    if (!id || !started)
        return std::nullopt;
    return ProcessStamp{static_cast<std::uint32_t>(*id), *started};
}

} // namespace tav
