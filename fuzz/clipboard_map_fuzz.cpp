// Map blocks from the clipboard, as any program may have placed them: the bytes go to the block decoder,
// and a decoded block is pasted into maps of several sizes at places that reach past their borders.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "model/document/clipboard_blocks.h"
#include "model/document/map_document.h"
#include "require.h"

namespace {

using namespace tav;

using fuzz::require;

void fillPattern(MapDocument& doc) {
    bool first = false;
    for (int r = 0; r < doc.height(); ++r)
        for (int c = 0; c < doc.width(); ++c)
            for (int layer = 1; layer <= 4; ++layer)
                doc.setCell(c, r, layer, static_cast<std::uint8_t>(c * 7 + r * 13 + layer), first);
}

// Pastes at (a, b): the pasted size is what fits, the block's cells are there, and undo and redo give back
// exactly the grid before and after.
void pasteAndUndo(MapDocument& doc, const MapBlock& block, int a, int b) {
    const auto before = doc.grid().cells();
    int d = 0, f = 0;
    require(doc.pasteCells(block, a, b, d, f));
    require(d == std::min(doc.width() - a, block.width()));
    require(f == std::min(doc.height() - b, block.height()));
    for (int i = 0; i < f; ++i)
        for (int j = 0; j < d; ++j)
            require(doc.cell(a + j, b + i) == block.cell(j, i));
    const auto after = doc.grid().cells();
    require(doc.undo());
    require(doc.grid().cells() == before);
    require(doc.redo());
    require(doc.grid().cells() == after);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    MapBlock block;
    const bool decoded = MapBlock::decode(bytes, block);

    // Taken exactly when the header is sane and the bytes it promises are there.
    bool sane = false;
    if (size >= map_block::headerSize) {
        const int w = data[0] | data[1] << 8;
        const int h = data[2] | data[3] << 8;
        sane = w >= 1 && h >= 1 && w <= map_block::maxSide && h <= map_block::maxSide &&
               size >= map_block::sizeFor(w, h);
    }
    require(decoded == sane);
    if (!decoded) {
        require(block.empty());
        return 0;
    }

    // Encoding gives back the block's own bytes.
    const auto encoded = block.encode();
    require(encoded.size() == map_block::sizeFor(block.width(), block.height()));
    require(std::equal(encoded.begin(), encoded.end(), data));

    const int a = size > 4 ? data[size - 1] : 0;
    const int b = size > 5 ? data[size - 2] : 0;
    for (auto [w, h] : {std::pair{1, 1}, {7, 5}, {3, 16}}) {
        MapDocument doc;
        require(doc.resize(w, h, true));
        fillPattern(doc);
        doc.setEditMask(15, static_cast<std::uint8_t>(a & 15)); // paste ignores the switches
        pasteAndUndo(doc, block, 0, 0);
        pasteAndUndo(doc, block, w - 1, h - 1);
        pasteAndUndo(doc, block, a % w, b % h);
        int d = 0, f = 0;
        require(!doc.pasteCells(block, w, b % h, d, f));
    }
    return 0;
}
