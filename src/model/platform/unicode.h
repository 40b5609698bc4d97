#pragma once
// Conversions between CP932, UTF-16 and UTF-8, for paths and for files an editor saved in Unicode.
// CP932 follows Windows' table for code page 932, so the model converts as the program's W calls do.
#include <string>
#include <string_view>

namespace tav::unicode {

// Every byte sequence decodes: an unmapped pair or a lone lead byte gives U+30FB, as on Windows.
std::u16string fromCp932(std::string_view cp932);
// Characters CP932 cannot hold (a surrogate pair counts as one) become '?'; complete tells whether none did.
std::string toCp932(std::u16string_view text, bool* complete = nullptr);

// UTF-8 without surprises: an invalid or overlong sequence decodes to U+FFFD per byte; a lone surrogate
// is encoded as its three bytes, so every UTF-16 string survives the round trip.
std::u16string fromUtf8(std::string_view utf8);
std::string toUtf8(std::u16string_view text);

// ASCII letters folded to lower case; everything else as it is.
char16_t asciiLower(char16_t unit);

} // namespace tav::unicode
