// The model's code page 932 table against the platform's own conversion, character by character.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "model/platform/unicode.h"
#include "win/platform/text.h"

namespace tav::win {
namespace {

std::u16string platformDecode(const std::string& bytes) {
    const std::wstring wide = widen(bytes);
    return std::u16string(wide.begin(), wide.end());
}

TEST(Cp932Table, DecodesEveryMappedCodeAsThePlatformDoes) {
    int compared = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string ours = unicode::fromCp932(bytes);
            if (ours == u"\u30FB" && bytes != "\x81\x45")
                continue; // unmapped: platforms differ in what they put there
            ++compared;
            EXPECT_EQ(ours, platformDecode(bytes)) << std::hex << lead << " " << trail;
        }
    }
    EXPECT_GT(compared, 9000);
    for (int byte = 0; byte < 0x100; ++byte) {
        if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC))
            continue;
        const std::string single(1, static_cast<char>(byte));
        EXPECT_EQ(unicode::fromCp932(single), platformDecode(single)) << std::hex << byte;
    }
}

TEST(Cp932Table, EncodesEveryCharacterAsThePlatformDoes) {
    int differences = 0;
    for (char32_t unit = 1; unit < 0x10000; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF)
            continue;
        const std::u16string text(1, static_cast<char16_t>(unit));
        const std::string ours = unicode::toCp932(text);
        const std::string platform = narrow(std::wstring(1, static_cast<wchar_t>(unit)));
        if (ours != platform && ++differences < 20)
            ADD_FAILURE() << std::hex << static_cast<unsigned>(unit) << ": " << ours << " vs " << platform;
    }
    EXPECT_EQ(differences, 0);
}

} // namespace
} // namespace tav::win
