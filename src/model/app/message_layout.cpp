#include "model/app/message_layout.h"

#include "model/platform/cp932.h"

namespace tav {

namespace {

void breakLine(std::string_view line, int maxWidth, const std::function<int(std::string_view)>& measure,
               std::vector<std::string>& out) {
    bool broken = false;
    while (!line.empty() && measure(line) > maxWidth) {
        std::size_t cut = cp932::charLength(line, 0);
        for (std::size_t next = cut; next < line.size(); next += cp932::charLength(line, next)) {
            std::size_t end = next + cp932::charLength(line, next);
            if (measure(line.substr(0, end)) > maxWidth)
                break;
            cut = end;
        }
        out.emplace_back(line.substr(0, cut));
        line.remove_prefix(cut);
        broken = true;
    }
    if (!line.empty() || !broken)
        out.emplace_back(line); // an empty line stays as a line of its own
}

} // namespace

std::vector<std::string> wrapMessageLines(std::string_view text, int maxWidth,
                                          const std::function<int(std::string_view)>& measure) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        std::size_t feed = text.find('\n', start);
        std::string_view line =
            text.substr(start, feed == std::string_view::npos ? text.size() - start : feed - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        breakLine(line, maxWidth, measure, lines);
        if (feed == std::string_view::npos)
            break;
        start = feed + 1;
    }
    return lines;
}

} // namespace tav
