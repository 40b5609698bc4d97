// Turns the readable base palette (data/base_palette.txt) into the shipped Base.mpb.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "model/document/palette_block.h"
#include "model/marks/palette_text.h"

namespace {

bool writeFile(const char* path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_base_palette PALETTE_TEXT OUTPUT_MPB\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();

    tav::MarkPalette palette;
    if (const auto error = tav::parsePaletteText(text.str(), palette)) {
        // The compiler's file:line form, so editors and build logs point at the fault.
        std::fprintf(stderr, "%s:%d: error: %s\n", argv[1], error->line, error->message.c_str());
        return 1;
    }
    if (!writeFile(argv[2], tav::encodePaletteFile(palette, tav::PaletteKind::base))) {
        std::fprintf(stderr, "%s: cannot be written\n", argv[2]);
        std::remove(argv[2]);
        return 1;
    }
    return 0;
}
