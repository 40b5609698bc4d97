// Comment blocks from the clipboard, as any program may have placed them: the bytes go to the block
// decoder, and a decoded block is pasted in normal and wide view near the map's corners.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

#include "model/document/clipboard_blocks.h"
#include "model/document/map_document.h"
#include "support/recording_prompter.h"
#include "require.h"

namespace {

using namespace tav;

using fuzz::require;

// The pasted area lies on the map, copies out as the block it was pasted from (apart from the moved and
// fitted geometry), and undo and redo take it away and bring it back.
void pasteAndUndo(MapDocument& doc, const CommentBlock& block, int column, int row) {
    test::RecordingPrompter prompter;
    const int count = doc.commentCount();
    CommentArea* area = doc.pasteComment(block, column, row, prompter);
    require(area != nullptr && doc.commentCount() == count + 1 && doc.commentAt(count) == area);
    const int limitX = doc.width() * doc.pitch();
    const int limitY = doc.height() * doc.pitch();
    const PixelRect frame = area->frame();
    require(frame.left >= 0 && frame.top >= 0 && frame.right <= limitX && frame.bottom <= limitY);
    require(frame.left <= frame.right && frame.top <= frame.bottom);
    require(area->anchor().x >= 0 && area->anchor().x <= limitX);
    require(area->anchor().y >= 0 && area->anchor().y <= limitY);
    require(area->text() == block.text);

    const CommentBlock copied = CommentBlock::fromArea(*area);
    CommentBlock again;
    require(CommentBlock::decode(copied.encode(), again) && again == copied);
    require(copied.record.face() == block.record.face());
    require(copied.record.textColour == block.record.textColour);
    require(copied.record.alignment == block.record.alignment);

    const CommentRecord record = area->copyRecord();
    require(doc.undo());
    require(doc.commentCount() == count);
    require(doc.redo());
    require(doc.commentCount() == count + 1);
    require(doc.commentAt(count)->copyRecord() == record);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    CommentBlock block;
    const bool decoded = CommentBlock::decode(bytes, block);

    // Taken exactly when a whole record is followed by a zero-terminated text.
    const bool terminated =
        size > comment::recordSize && std::memchr(data + comment::recordSize, 0, size - comment::recordSize);
    require(decoded == terminated);
    if (!decoded)
        return 0;
    require(block.text.find('\0') == std::string::npos);

    // Encoding gives back the block's bytes (the reserved byte is always written as zero).
    auto encoded = block.encode();
    require(encoded.size() == comment::recordSize + block.text.size() + 1);
    encoded[75] = data[75];
    require(std::equal(encoded.begin(), encoded.end(), data));

    MapDocument doc;
    require(doc.resize(12, 9, true));
    const int column = data[0] % 16;
    const int row = data[1] % 16;
    for (bool wide : {false, true}) {
        doc.setViewMode(wide);
        pasteAndUndo(doc, block, 0, 0);
        pasteAndUndo(doc, block, 11, 8);
        pasteAndUndo(doc, block, column, row);
    }
    return 0;
}
