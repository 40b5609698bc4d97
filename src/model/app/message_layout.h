#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tav {

// Splits a message at its line feeds and breaks every line wider than maxWidth before the first character
// that would cross it (never inside a double-byte character; at least one character stays on each line).
std::vector<std::string> wrapMessageLines(std::string_view text, int maxWidth,
                                          const std::function<int(std::string_view)>& measure);

} // namespace tav
