#include "model/platform/file_path.h"

#include "model/platform/unicode.h"

namespace tav {

FilePath FilePath::fromText(std::string_view cp932) {
    return FilePath(unicode::fromCp932(cp932));
}

std::string FilePath::text() const {
    return unicode::toCp932(units_);
}

std::optional<std::string> FilePath::storedText() const {
    bool complete = false;
    std::string text = unicode::toCp932(units_, &complete);
    if (!complete)
        return std::nullopt;
    return text;
}

std::size_t FilePath::nameStart() const {
    const std::size_t slash = units_.find_last_of(u"\\/");
    return slash == std::u16string::npos ? 0 : slash + 1;
}

FilePath FilePath::folder() const {
    return FilePath(units_.substr(0, nameStart()));
}

std::u16string_view FilePath::extension() const {
    const std::u16string_view name = std::u16string_view(units_).substr(nameStart());
    const std::size_t dot = name.rfind(u'.');
    return dot == std::u16string_view::npos ? std::u16string_view{} : name.substr(dot + 1);
}

bool FilePath::hasExtension(std::string_view ascii) const {
    const std::u16string_view found = extension();
    if (found.size() != ascii.size())
        return false;
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (unicode::asciiLower(found[i]) != unicode::asciiLower(static_cast<unsigned char>(ascii[i])))
            return false;
    }
    return true;
}

} // namespace tav
