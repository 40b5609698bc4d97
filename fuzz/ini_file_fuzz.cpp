// Configuration files from outside: looked up with fixed names and with names found in the file, then
// changed. What was written reads back, writing it again changes nothing, every line but the changed one
// stays as it was, and no other key changes its value.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/platform/ini_document.h"
#include "model/platform/unicode.h"
#include "require.h"

namespace {

using namespace tav;
using Encoding = IniDocument::Encoding;

using fuzz::require;

bool isUtf16(Encoding encoding) {
    return encoding == Encoding::utf16le || encoding == Encoding::utf16be;
}

std::size_t markLength(Encoding encoding) {
    return encoding == Encoding::cp932 ? 0 : encoding == Encoding::utf8Bom ? 3 : 2;
}

// The text after the byte order mark as code units (bytes unless UTF-16), without an odd last byte.
std::u16string unitsOf(const std::vector<std::uint8_t>& bytes, Encoding encoding) {
    std::u16string units;
    const std::size_t begin = markLength(encoding);
    if (!isUtf16(encoding)) {
        units.assign(bytes.begin() + static_cast<std::ptrdiff_t>(begin), bytes.end());
        return units;
    }
    for (std::size_t i = begin; i + 1 < bytes.size(); i += 2) {
        units.push_back(encoding == Encoding::utf16le ? static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8)
                                                      : static_cast<char16_t>(bytes[i] << 8 | bytes[i + 1]));
    }
    return units;
}

// The file as CP932, only to pick names from it.
std::string textOf(const std::vector<std::uint8_t>& bytes, Encoding encoding) {
    if (encoding == Encoding::cp932)
        return {bytes.begin(), bytes.end()};
    if (encoding == Encoding::utf8Bom)
        return unicode::toCp932(unicode::fromUtf8(std::string(bytes.begin() + 3, bytes.end())));
    return unicode::toCp932(unitsOf(bytes, encoding));
}

struct Names {
    std::string section = "Tavrosin";
    std::string key = "Folder";
    std::string value = "v";
};

// A rough look for the first "[section]" and the first "key=value" after it; the document decides.
Names namesIn(std::string_view text) {
    Names names;
    const std::size_t open = text.find('[');
    if (open == std::string_view::npos)
        return names;
    const std::size_t close = text.find_first_of("]\r\n", open + 1);
    names.section = text.substr(open + 1, close == std::string_view::npos ? 0 : close - open - 1);
    const std::size_t equals = text.find('=', close == std::string_view::npos ? text.size() : close);
    if (equals == std::string_view::npos)
        return names;
    const std::size_t lineStart = text.find_last_of("\r\n", equals);
    const std::size_t keyStart = lineStart == std::string_view::npos ? 0 : lineStart + 1;
    names.key = text.substr(keyStart, equals - keyStart);
    const std::size_t lineEnd = text.find_first_of("\r\n", equals);
    names.value = text.substr(equals + 1, lineEnd == std::string_view::npos ? std::string_view::npos
                                                                            : lineEnd - equals - 1);
    return names;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Names the document might take for the same: the check below then makes no claim about them.
bool mayBeSameName(std::string_view a, std::string_view b) {
    std::u16string x = unicode::fromCp932(trimmed(a));
    std::u16string y = unicode::fromCp932(trimmed(b));
    for (auto* text : {&x, &y}) {
        for (char16_t& unit : *text)
            unit = unicode::asciiLower(unit);
    }
    return x == y;
}

// A value comes back as written when it has no outer blanks or quotes, fits, and the file can hold it.
bool readsBackAsIs(std::string_view value, Encoding encoding) {
    if (value.size() > IniDocument::maxValueBytes || trimmed(value) != value)
        return false;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return false;
    return encoding == Encoding::cp932 || unicode::toCp932(unicode::fromCp932(value)) == value;
}

using Lookups = std::vector<std::pair<std::string, std::string>>;

std::vector<std::optional<std::string>> readAll(const IniDocument& doc, const Lookups& lookups) {
    std::vector<std::optional<std::string>> values;
    for (const auto& [section, key] : lookups) {
        values.push_back(doc.read(section, key));
        require(!values.back() || values.back()->size() <= IniDocument::maxValueBytes);
    }
    return values;
}

// Lookups of the other keys cost most of a run, so only some writes check them.
void checkWrite(IniDocument& doc, const Lookups& lookups, const std::string& section, const std::string& key,
                const std::string& value, bool othersToo) {
    const std::vector<std::uint8_t> before = doc.bytes();
    const std::vector<std::optional<std::string>> valuesBefore =
        othersToo ? readAll(doc, lookups) : std::vector<std::optional<std::string>>{};
    if (!doc.write(section, key, value)) {
        require(doc.bytes() == before);
        return;
    }
    const std::optional<std::string> back = doc.read(section, key);
    require(back.has_value());
    if (readsBackAsIs(value, doc.encoding()))
        require(*back == value);

    const std::vector<std::uint8_t> after = doc.bytes();
    require(doc.write(section, key, value));
    require(doc.bytes() == after);

    // The byte order mark and an odd last byte stay; between them only one line's content was replaced
    // or new lines were put between two lines.
    const Encoding encoding = doc.encoding();
    const std::size_t mark = markLength(encoding);
    require(std::equal(before.begin(), before.begin() + static_cast<std::ptrdiff_t>(mark), after.begin()));
    if (isUtf16(encoding) && (before.size() - mark) % 2 != 0)
        require(after.size() % 2 == before.size() % 2 && after.back() == before.back());
    const std::u16string old = unitsOf(before, encoding);
    const std::u16string now = unitsOf(after, encoding);
    const std::size_t shorter = std::min(old.size(), now.size());
    std::size_t prefix = 0;
    while (prefix < shorter && old[prefix] == now[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (prefix + suffix < shorter && old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix])
        ++suffix;
    for (std::size_t i = prefix; i < old.size() - suffix; ++i)
        require(old[i] != '\r' && old[i] != '\n');

    if (!othersToo)
        return;
    const std::vector<std::optional<std::string>> valuesAfter = readAll(doc, lookups);
    for (std::size_t i = 0; i < lookups.size(); ++i) {
        if (!mayBeSameName(lookups[i].first, section) || !mayBeSameName(lookups[i].second, key))
            require(valuesAfter[i] == valuesBefore[i]);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    IniDocument doc(std::vector<std::uint8_t>(data, data + size));
    const Names found = namesIn(textOf(doc.bytes(), doc.encoding()));
    const Lookups lookups = {
        {"Tavrosin", "Folder"}, {found.section, found.key}, {found.section, "新しいキー"}};
    checkWrite(doc, lookups, found.section, found.key, "C:\\地図\\表", true);
    checkWrite(doc, lookups, found.section, "新しいキー", found.value, false);
    checkWrite(doc, lookups, "Tavrosin", "Folder", found.value, true);
    checkWrite(doc, lookups, found.section, found.key, found.value, false);
    return 0;
}
