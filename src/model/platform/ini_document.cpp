#include "model/platform/ini_document.h"

#include <cstring>
#include <tuple>
#include <utility>

#include "model/platform/cp932.h"
#include "model/platform/unicode.h"

namespace tav {

namespace {

using Encoding = IniDocument::Encoding;

constexpr std::size_t none = static_cast<std::size_t>(-1);

// A lead byte takes the next byte only when that can trail it, as the code page conversion pairs them:
// a lone lead byte never swallows a line end, '=' or a quote.
bool isTrailByte(unsigned char c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

std::size_t charLength(std::string_view text, std::size_t i) {
    return cp932::isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
                   isTrailByte(static_cast<unsigned char>(text[i + 1]))
               ? 2
               : 1;
}

bool isBlank(char16_t unit) {
    return unit == ' ' || unit == '\t';
}

std::string_view trimmed(std::string_view text) {
    // Blanks are never trail bytes, so the end can be trimmed byte by byte.
    while (!text.empty() && isBlank(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool containsChar(std::string_view text, char c) {
    for (std::size_t i = 0; i < text.size(); i += charLength(text, i)) {
        if (text[i] == c)
            return true;
    }
    return false;
}

bool endsWithLoneLeadByte(std::string_view text) {
    std::size_t last = 0;
    for (std::size_t i = 0; i < text.size(); i += charLength(text, i))
        last = i;
    return !text.empty() && last == text.size() - 1 &&
           cp932::isLeadByte(static_cast<unsigned char>(text[last]));
}

std::u16string folded(std::u16string text) {
    for (char16_t& unit : text)
        unit = unicode::asciiLower(unit);
    return text;
}

// One line: its content [begin, end), its line end [end, next).
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
};

// What a line holds: for a section its name, for a key its name and its value (both trimmed).
struct Entry {
    enum Kind { blank, section, key, other } kind = other;
    std::size_t nameBegin = 0;
    std::size_t nameEnd = 0;
    std::size_t valueBegin = 0;
    std::size_t valueEnd = 0;
};

// The text between the byte order mark and an odd last byte, seen one character or code unit at a time.
// Only ASCII units mean anything to the layout, and no ASCII unit is ever part of another character.
class Text {
public:
    Text(const std::vector<std::uint8_t>& bytes, Encoding encoding, std::size_t begin, std::size_t end)
        : bytes_(bytes), encoding_(encoding), begin_(begin), end_(end),
          unitSize_(encoding == Encoding::utf16le || encoding == Encoding::utf16be ? 2 : 1) {}

    std::size_t begin() const { return begin_; }
    std::size_t end() const { return end_; }
    std::size_t unitSize() const { return unitSize_; }

    char16_t unit(std::size_t pos) const {
        switch (encoding_) {
        case Encoding::utf16le:
            return static_cast<char16_t>(bytes_[pos] | bytes_[pos + 1] << 8);
        case Encoding::utf16be:
            return static_cast<char16_t>(bytes_[pos] << 8 | bytes_[pos + 1]);
        default:
            return bytes_[pos];
        }
    }

    std::size_t next(std::size_t pos) const {
        if (encoding_ == Encoding::cp932 && cp932::isLeadByte(bytes_[pos]) && pos + 1 < end_ &&
            isTrailByte(bytes_[pos + 1]))
            return pos + 2;
        return pos + unitSize_;
    }

    std::string_view raw(std::size_t begin, std::size_t end) const {
        return {reinterpret_cast<const char*>(bytes_.data()) + begin, end - begin};
    }

    std::u16string decode(std::size_t begin, std::size_t end) const {
        switch (encoding_) {
        case Encoding::cp932:
            return unicode::fromCp932(raw(begin, end));
        case Encoding::utf8Bom:
            return unicode::fromUtf8(raw(begin, end));
        default: {
            std::u16string text;
            text.reserve((end - begin) / 2);
            for (std::size_t pos = begin; pos < end; pos += 2)
                text.push_back(unit(pos));
            return text;
        }
        }
    }

    // CP932 text compares byte for byte with letters folded; Unicode text after decoding.
    bool sameName(std::size_t begin, std::size_t end, std::string_view cp932Name,
                  const std::u16string& foldedName) const {
        if (encoding_ == Encoding::cp932)
            return cp932::equalsIgnoreCase(raw(begin, end), cp932Name);
        return folded(decode(begin, end)) == foldedName;
    }

    Line lineAt(std::size_t pos) const {
        Line line{pos, pos, pos};
        if (unitSize_ == 1) {
            // No trail byte of CP932 and no byte of a UTF-8 sequence is a CR or an LF: a plain byte search
            // finds the line end, which keeps long lines cheap.
            line.end = end_;
            for (int c : {'\r', '\n'}) {
                if (pos == line.end)
                    break; // nothing to search, and an empty file has no data pointer
                if (const void* found = std::memchr(bytes_.data() + pos, c, line.end - pos))
                    line.end =
                        static_cast<std::size_t>(static_cast<const std::uint8_t*>(found) - bytes_.data());
            }
        } else {
            while (line.end < end_ && unit(line.end) != '\r' && unit(line.end) != '\n')
                line.end = next(line.end);
        }
        line.next = line.end;
        if (line.end < end_) {
            line.next += unitSize_;
            if (unit(line.end) == '\r' && line.next < end_ && unit(line.next) == '\n')
                line.next += unitSize_;
        }
        return line;
    }

    Entry classify(const Line& line) const {
        Entry entry;
        std::size_t pos = line.begin;
        while (pos < line.end && isBlank(unit(pos)))
            pos += unitSize_;
        if (pos == line.end) {
            entry.kind = Entry::blank;
            return entry;
        }
        const char16_t first = unit(pos);
        if (first == '[') {
            std::size_t close = none;
            for (std::size_t at = next(pos); at < line.end; at = next(at)) {
                if (unit(at) == ']')
                    close = at;
            }
            if (close != none) {
                entry.kind = Entry::section;
                std::tie(entry.nameBegin, entry.nameEnd) = trim(pos + unitSize_, close);
            }
            return entry;
        }
        if (first == ';')
            return entry;
        for (std::size_t at = pos; at < line.end; at = next(at)) {
            if (unit(at) == '=') {
                entry.kind = Entry::key;
                std::tie(entry.nameBegin, entry.nameEnd) = trim(pos, at);
                std::tie(entry.valueBegin, entry.valueEnd) = trim(at + unitSize_, line.end);
                return entry;
            }
        }
        return entry;
    }

    // Blanks are never part of another character, so both ends can be trimmed unit by unit.
    std::pair<std::size_t, std::size_t> trim(std::size_t begin, std::size_t end) const {
        while (begin < end && isBlank(unit(begin)))
            begin += unitSize_;
        while (end > begin && isBlank(unit(end - unitSize_)))
            end -= unitSize_;
        return {begin, end};
    }

private:
    const std::vector<std::uint8_t>& bytes_;
    Encoding encoding_;
    std::size_t begin_;
    std::size_t end_;
    std::size_t unitSize_;
};

// Where a key is, or where it would go. The first section of the name is the only one searched.
struct Place {
    bool sectionFound = false;
    Line lastNonBlank; // of the section; its header when it holds nothing else
    bool keyFound = false;
    Line keyLine;
    Entry keyEntry;
};

Place find(const Text& text, std::string_view section, std::string_view key) {
    const std::u16string foldedSection = folded(unicode::fromCp932(section));
    const std::u16string foldedKey = folded(unicode::fromCp932(key));
    Place place;
    for (std::size_t pos = text.begin(); pos < text.end();) {
        const Line line = text.lineAt(pos);
        pos = line.next;
        const Entry entry = text.classify(line);
        if (entry.kind == Entry::section) {
            if (place.sectionFound)
                break;
            if (text.sameName(entry.nameBegin, entry.nameEnd, section, foldedSection)) {
                place.sectionFound = true;
                place.lastNonBlank = line;
            }
            continue;
        }
        if (!place.sectionFound)
            continue;
        if (entry.kind != Entry::blank)
            place.lastNonBlank = line;
        if (entry.kind == Entry::key && text.sameName(entry.nameBegin, entry.nameEnd, key, foldedKey)) {
            place.keyFound = true;
            place.keyLine = line;
            place.keyEntry = entry;
            break;
        }
    }
    return place;
}

} // namespace

IniDocument::IniDocument(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {
    const std::size_t size = bytes_.size();
    if (size >= 2 && bytes_[0] == 0xFF && bytes_[1] == 0xFE) {
        encoding_ = Encoding::utf16le;
        textBegin_ = 2;
    } else if (size >= 2 && bytes_[0] == 0xFE && bytes_[1] == 0xFF) {
        encoding_ = Encoding::utf16be;
        textBegin_ = 2;
    } else if (size >= 3 && bytes_[0] == 0xEF && bytes_[1] == 0xBB && bytes_[2] == 0xBF) {
        encoding_ = Encoding::utf8Bom;
        textBegin_ = 3;
    }
    textEnd_ = size;
    if ((encoding_ == Encoding::utf16le || encoding_ == Encoding::utf16be) && (size - textBegin_) % 2 != 0)
        --textEnd_;
}

std::optional<std::string> IniDocument::read(std::string_view section, std::string_view key) const {
    section = trimmed(section);
    key = trimmed(key);
    if (section.empty() || key.empty())
        return std::nullopt;
    const Text text(bytes_, encoding_, textBegin_, textEnd_);
    const Place place = find(text, section, key);
    if (!place.keyFound)
        return std::nullopt;

    std::size_t begin = place.keyEntry.valueBegin;
    std::size_t end = place.keyEntry.valueEnd;
    const std::size_t unit = text.unitSize();
    if (end - begin >= 2 * unit && (text.unit(begin) == '"' || text.unit(begin) == '\'') &&
        text.unit(end - unit) == text.unit(begin)) {
        begin += unit;
        end -= unit;
    }
    std::string value = encoding_ == Encoding::cp932 ? std::string(text.raw(begin, end))
                                                     : unicode::toCp932(text.decode(begin, end));
    if (value.size() > maxValueBytes) {
        std::size_t cut = 0;
        while (cut + charLength(value, cut) <= maxValueBytes)
            cut += charLength(value, cut);
        value.resize(cut);
    }
    return value;
}

bool IniDocument::write(std::string_view section, std::string_view key, std::string_view value) {
    section = trimmed(section);
    key = trimmed(key);
    auto hasLineEnd = [](std::string_view text) {
        return containsChar(text, '\r') || containsChar(text, '\n');
    };
    if (section.empty() || key.empty() || hasLineEnd(section) || hasLineEnd(key) || hasLineEnd(value))
        return false;
    if (containsChar(section, ']') || containsChar(key, '='))
        return false;
    // Such a key line would read as a comment or a section line.
    if (key.front() == ';' || key.front() == '[')
        return false;
    // In CP932 a lone lead byte before the closing ']' would take it as its trail byte.
    if (encoding_ == Encoding::cp932 && endsWithLoneLeadByte(section))
        return false;

    // Each piece is converted by itself: a lone lead byte at its end must not pair with the next piece.
    auto append = [this](std::vector<std::uint8_t>& out, std::string_view cp932) {
        if (encoding_ == Encoding::cp932) {
            out.insert(out.end(), cp932.begin(), cp932.end());
        } else if (encoding_ == Encoding::utf8Bom) {
            const std::string utf8 = unicode::toUtf8(unicode::fromCp932(cp932));
            out.insert(out.end(), utf8.begin(), utf8.end());
        } else {
            for (char16_t unit : unicode::fromCp932(cp932)) {
                const auto high = static_cast<std::uint8_t>(unit >> 8);
                const auto low = static_cast<std::uint8_t>(unit & 0xFF);
                out.push_back(encoding_ == Encoding::utf16le ? low : high);
                out.push_back(encoding_ == Encoding::utf16le ? high : low);
            }
        }
    };
    auto splice = [this](std::size_t begin, std::size_t end, const std::vector<std::uint8_t>& with) {
        bytes_.erase(bytes_.begin() + static_cast<std::ptrdiff_t>(begin),
                     bytes_.begin() + static_cast<std::ptrdiff_t>(end));
        bytes_.insert(bytes_.begin() + static_cast<std::ptrdiff_t>(begin), with.begin(), with.end());
        textEnd_ = textEnd_ - (end - begin) + with.size();
    };

    const Text text(bytes_, encoding_, textBegin_, textEnd_);
    const Place place = find(text, section, key);
    if (place.keyFound) {
        const std::string_view spelled = text.raw(place.keyEntry.nameBegin, place.keyEntry.nameEnd);
        std::vector<std::uint8_t> line(spelled.begin(), spelled.end());
        append(line, "=");
        append(line, value);
        splice(place.keyLine.begin, place.keyLine.end, line);
        return true;
    }

    // New lines end as the file's first line does.
    const Line first = text.lineAt(text.begin());
    std::vector<std::uint8_t> lineEnd;
    if (first.end < first.next)
        lineEnd.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(first.end),
                       bytes_.begin() + static_cast<std::ptrdiff_t>(first.next));
    else
        append(lineEnd, "\r\n");
    std::size_t at = 0;
    bool unterminated = false;
    if (place.sectionFound) {
        at = place.lastNonBlank.next;
        unterminated = place.lastNonBlank.end == place.lastNonBlank.next;
    } else {
        at = text.end();
        if (at > text.begin()) {
            const char16_t last = text.unit(at - text.unitSize());
            unterminated = last != '\r' && last != '\n';
        }
    }
    std::vector<std::uint8_t> added;
    if (unterminated)
        added = lineEnd;
    if (!place.sectionFound) {
        append(added, "[");
        append(added, section);
        append(added, "]");
        added.insert(added.end(), lineEnd.begin(), lineEnd.end());
    }
    append(added, key);
    append(added, "=");
    append(added, value);
    added.insert(added.end(), lineEnd.begin(), lineEnd.end());
    splice(at, at, added);
    return true;
}

} // namespace tav
