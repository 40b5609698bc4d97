#include "model/platform/unicode.h"

#include <algorithm>
#include <cstdint>

namespace tav::unicode {

namespace {

#include "model/platform/cp932_table.inc"

constexpr char16_t unmapped = 0x30FB; // Windows' default character of code page 932
constexpr char16_t replacement = 0xFFFD;

// Single bytes outside ASCII and the half-width katakana that Windows maps to the private use area.
constexpr char16_t singleByteExtra(unsigned char byte) {
    switch (byte) {
    case 0x80:
        return 0x0080;
    case 0xA0:
        return 0xF8F0;
    case 0xFD:
        return 0xF8F1;
    case 0xFE:
        return 0xF8F2;
    case 0xFF:
        return 0xF8F3;
    default:
        return 0;
    }
}

int leadIndex(unsigned char lead) {
    return lead < 0xA0 ? lead - 0x81 : lead - 0xE0 + 0x1F;
}

bool isTrail(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// The CP932 code of a character beyond ASCII, or 0 when there is none.
std::uint16_t encodeUnit(char16_t unit) {
    if (unit >= 0xFF61 && unit <= 0xFF9F)
        return static_cast<std::uint16_t>(unit - 0xFF61 + 0xA1);
    switch (unit) {
    case 0x0080:
        return 0x80;
    case 0xF8F0:
        return 0xA0;
    case 0xF8F1:
    case 0xF8F2:
    case 0xF8F3:
        return static_cast<std::uint16_t>(unit - 0xF8F1 + 0xFD);
    default:
        break;
    }
    const std::uint32_t key = static_cast<std::uint32_t>(unit) << 16;
    const auto* end = std::end(encodedUnits);
    const auto* found = std::lower_bound(std::begin(encodedUnits), end, key);
    if (found == end || (*found >> 16) != unit)
        return 0;
    return static_cast<std::uint16_t>(*found & 0xFFFF);
}

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::u16string fromCp932(std::string_view cp932) {
    std::u16string out;
    out.reserve(cp932.size());
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        const auto byte = static_cast<unsigned char>(cp932[i]);
        if (byte < 0x80) {
            out.push_back(byte);
        } else if (byte >= 0xA1 && byte <= 0xDF) {
            out.push_back(static_cast<char16_t>(0xFF61 + byte - 0xA1));
        } else if (char16_t extra = singleByteExtra(byte)) {
            out.push_back(extra);
        } else if (i + 1 < cp932.size() && isTrail(static_cast<unsigned char>(cp932[i + 1]))) {
            const auto trail = static_cast<unsigned char>(cp932[++i]);
            const char16_t unit = doubleByteUnits[leadIndex(byte)][trail - 0x40];
            out.push_back(unit ? unit : unmapped);
        } else {
            out.push_back(unmapped);
        }
    }
    return out;
}

std::string toCp932(std::u16string_view text, bool* complete) {
    std::string out;
    out.reserve(text.size() * 2);
    bool whole = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit < 0x80) {
            out.push_back(static_cast<char>(unit));
            continue;
        }
        const std::uint16_t code = encodeUnit(unit);
        if (code == 0) {
            whole = false;
            out.push_back('?');
            if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1]))
                ++i;
        } else if (code > 0xFF) {
            out.push_back(static_cast<char>(code >> 8));
            out.push_back(static_cast<char>(code & 0xFF));
        } else {
            out.push_back(static_cast<char>(code));
        }
    }
    if (complete)
        *complete = whole;
    return out;
}

std::u16string fromUtf8(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int length = lead < 0x80                    ? 1
                     : lead >= 0xC2 && lead <= 0xDF ? 2
                     : lead >= 0xE0 && lead <= 0xEF ? 3
                     : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                    : 0;
        std::uint32_t value = length == 1   ? lead
                              : length == 2 ? lead & 0x1F
                              : length == 3 ? lead & 0x0F
                                            : lead & 0x07;
        bool valid = length > 0 && i + length <= utf8.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                valid = false;
            value = value << 6 | (next & 0x3F);
        }
        // Overlong forms and values beyond the last plane are not characters.
        if (valid &&
            ((length == 3 && value < 0x800) || (length == 4 && (value < 0x10000 || value > 0x10FFFF))))
            valid = false;
        if (!valid) {
            out.push_back(replacement);
            ++i;
            continue;
        }
        if (value >= 0x10000) {
            value -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (value >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (value & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(value));
        }
        i += static_cast<std::size_t>(length);
    }
    return out;
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t value = text[i];
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            value = 0x10000 + ((value - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        if (value < 0x80) {
            out.push_back(static_cast<char>(value));
        } else if (value < 0x800) {
            out.push_back(static_cast<char>(0xC0 | value >> 6));
            out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
        } else if (value < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | value >> 12));
            out.push_back(static_cast<char>(0x80 | (value >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | value >> 18));
            out.push_back(static_cast<char>(0x80 | (value >> 12 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (value >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
        }
    }
    return out;
}

char16_t asciiLower(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

} // namespace tav::unicode
