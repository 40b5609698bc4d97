#include "model/comments/comment_record.h"

#include <algorithm>
#include <cstring>

#include "model/platform/cp932.h"
#include "model/platform/little_endian.h"

namespace tav {

namespace {

using le::get32;
using le::put32;

} // namespace

CommentRecord CommentRecord::defaults() {
    CommentRecord record;
    record.setFace("ＭＳ ゴシック");
    return record;
}

std::string CommentRecord::face() const {
    auto end = std::find(faceName.begin(), faceName.end(), '\0');
    return std::string(faceName.begin(), end);
}

void CommentRecord::setFace(std::string_view face) {
    std::size_t length = 0;
    while (length < face.size()) {
        std::size_t next = length + cp932::charLength(face, length);
        if (next > faceName.size() - 1)
            break;
        length = next;
    }
    faceName.fill('\0');
    std::copy_n(face.begin(), length, faceName.begin());
}

std::array<std::uint8_t, comment::recordSize> CommentRecord::encode() const {
    std::array<std::uint8_t, comment::recordSize> bytes{};
    std::memcpy(bytes.data(), faceName.data(), faceName.size());
    const std::int32_t geometry[] = {left, top, right, bottom, anchorDx, anchorDy};
    for (int i = 0; i < 6; ++i)
        put32(&bytes[32 + 4 * i], static_cast<std::uint32_t>(geometry[i]));
    put32(&bytes[56], frameColour);
    put32(&bytes[60], backgroundColour);
    put32(&bytes[64], textColour);
    bytes[68] = static_cast<std::uint8_t>(pointSize);
    bytes[69] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(pointSize) >> 8);
    bytes[70] = charset;
    bytes[71] = styleFlags;
    bytes[72] = frameStyle;
    bytes[73] = anchorStyle;
    bytes[74] = alignment;
    bytes[75] = 0; // reserved: this program always writes zero
    return bytes;
}

bool CommentRecord::decode(std::span<const std::uint8_t> bytes, CommentRecord& record) {
    if (bytes.size() < comment::recordSize)
        return false;
    const std::uint8_t* p = bytes.data();
    CommentRecord r;
    std::memcpy(r.faceName.data(), p, r.faceName.size());
    std::int32_t* geometry[] = {&r.left, &r.top, &r.right, &r.bottom, &r.anchorDx, &r.anchorDy};
    for (int i = 0; i < 6; ++i)
        *geometry[i] = static_cast<std::int32_t>(get32(p + 32 + 4 * i));
    r.frameColour = get32(p + 56);
    r.backgroundColour = get32(p + 60);
    r.textColour = get32(p + 64);
    r.pointSize = static_cast<std::int16_t>(std::uint16_t(p[68] | p[69] << 8));
    r.charset = p[70];
    r.styleFlags = p[71];
    r.frameStyle = p[72];
    r.anchorStyle = p[73];
    r.alignment = p[74];
    r.reserved = 0;
    record = r;
    return true;
}

} // namespace tav
