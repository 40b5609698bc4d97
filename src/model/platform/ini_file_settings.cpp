#include "model/platform/ini_file_settings.h"

#include <vector>

#include "model/platform/ini_document.h"

namespace tav {

bool IniFileSettings::load(IniDocument& document) {
    FileCause cause = FileCause::none;
    auto file = files_.open(path_, OpenMode::read, cause);
    if (!file)
        return cause == FileCause::fileNotFound;
    std::uint64_t length = 0;
    if (file->length(length) != FileCause::none || length > largestFile)
        return false;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
    std::size_t got = 0;
    if (file->read(bytes.data(), bytes.size(), got) != FileCause::none)
        return false;
    bytes.resize(got); // a file that shrank meanwhile
    document = IniDocument(std::move(bytes));
    return true;
}

std::optional<std::string> IniFileSettings::readString(const std::string& section, const std::string& key) {
    IniDocument document;
    if (!load(document))
        return std::nullopt;
    return document.read(section, key);
}

bool IniFileSettings::writeString(const std::string& section, const std::string& key,
                                  const std::string& value) {
    IniDocument document;
    if (!load(document))
        return false;
    const std::vector<std::uint8_t> before = document.bytes();
    if (!document.write(section, key, value))
        return false;
    if (document.bytes() == before && files_.exists(path_))
        return true;

    const FilePath aside = path_ + u".tmp";
    FileCause cause = FileCause::none;
    auto file = files_.open(aside, OpenMode::create, cause);
    if (!file)
        return false;
    const auto& bytes = document.bytes();
    const bool written =
        file->write(bytes.data(), bytes.size()) == FileCause::none && file->flush() == FileCause::none;
    const bool closed = file->close() == FileCause::none;
    file.reset();
    if (!written || !closed || files_.move(aside, path_) != FileCause::none) {
        files_.remove(aside);
        return false;
    }
    return true;
}

} // namespace tav
