#include "win/comments/font_list.h"

#include "win/platform/text.h"

namespace tav::win {

namespace {

struct Enumeration {
    std::vector<comment_format::FontFace>* list;
    bool screen;
};

int CALLBACK addFont(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM data) {
    auto& e = *reinterpret_cast<Enumeration*>(data);
    const auto& full = *reinterpret_cast<const ENUMLOGFONTEXW*>(font);
    const std::string fullName = narrow(full.elfFullName);
    const std::uint8_t charset = font->lfCharSet;
    const bool kept =
        e.screen ? comment_format::keepsScreenFont(fullName, (type & TRUETYPE_FONTTYPE) != 0, charset)
                 : comment_format::keepsPrinterFont(fullName);
    // The face name too: some systems give vertical variants a full name without the at sign.
    if (kept && font->lfFaceName[0] != L'@')
        comment_format::addFace(*e.list, narrow(font->lfFaceName), charset);
    return 1;
}

} // namespace

void buildFontList(std::vector<comment_format::FontFace>& list, HDC printer) {
    list.clear();
    HWND desktop = printer ? nullptr : GetDesktopWindow();
    HDC dc = printer ? printer : GetDC(desktop);
    if (!dc)
        return;
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    Enumeration e{&list, printer == nullptr};
    EnumFontFamiliesExW(dc, &wanted, addFont, reinterpret_cast<LPARAM>(&e), 0);
    if (!printer)
        ReleaseDC(desktop, dc);
}

} // namespace tav::win
