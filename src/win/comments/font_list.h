#pragma once
// The face names the font choices offer, each once with the character set it was first found in.
#include <windows.h>

#include <vector>

#include "model/comments/comment_format_rules.h"

namespace tav::win {

// Empties the list and fills it. Without a printer: the screen's TrueType faces in the ANSI, symbol and
// Shift-JIS sets; with a printer context: every face the printer offers. Vertical-writing variants are
// left out of both. The list stays empty when no context can be had.
void buildFontList(std::vector<comment_format::FontFace>& list, HDC printer = nullptr);

} // namespace tav::win
