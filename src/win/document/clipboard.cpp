#include "win/document/clipboard.h"

#include <cstring>

#include "model/document/clipboard_blocks.h"
#include "win/document/clipboard_handles.h"
#include "win/platform/text.h"

namespace tav::win {

namespace {

// Registered ids start here; anything lower means the registration failed.
constexpr UINT firstRegisteredFormat = 0xC000;

bool registered(UINT format) {
    return format >= firstRegisteredFormat;
}

// The clipboard is opened for the window that owns it now, or for the desktop when none does.
HWND clipboardOpener() {
    HWND owner = GetClipboardOwner();
    return owner ? owner : GetDesktopWindow();
}

} // namespace

OpenClipboardScope::OpenClipboardScope(HWND owner) {
    // Another program (a clipboard viewer, Wine's bridge to X) may hold it for a moment.
    for (int attempt = 0; attempt < 5 && !open_; ++attempt) {
        if (attempt > 0)
            Sleep(10);
        open_ = OpenClipboard(owner) != FALSE;
    }
}

bool MapClipboard::registerFormats() {
    mapFormat_ = RegisterClipboardFormatW(widen(clipboard_format::mapName).c_str());
    commentFormat_ = RegisterClipboardFormatW(widen(clipboard_format::commentName).c_str());
    return registered(mapFormat_) && registered(commentFormat_);
}

bool MapClipboard::put(UINT format, const std::vector<std::uint8_t>& bytes) const {
    if (!registered(format) || bytes.empty())
        return false;
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (!memory)
        return false;
    {
        GlobalMemoryLock lock(memory.get());
        if (!lock)
            return false;
        std::memcpy(lock.data(), bytes.data(), bytes.size());
    }
    OpenClipboardScope clipboard(clipboardOpener());
    if (!clipboard || !EmptyClipboard() || !SetClipboardData(format, memory.get()))
        return false;
    memory.release(); // the clipboard owns it now
    return true;
}

template <typename Decode> bool MapClipboard::read(UINT format, Decode decode) const {
    if (!registered(format))
        return false;
    OpenClipboardScope clipboard(clipboardOpener());
    if (!clipboard)
        return false;
    HANDLE data = GetClipboardData(format);
    if (!data)
        return false;
    // Another program may have placed the block: only the bytes really there are read.
    GlobalMemoryLock lock(static_cast<HGLOBAL>(data));
    return lock && decode(lock.bytes());
}

bool MapClipboard::copyCells(CellRect rect, bool cut) {
    const MapBlock block = MapBlock::fromGrid(document_.grid(), rect);
    if (block.empty() || !put(mapFormat_, block.encode()))
        return false;
    if (cut)
        document_.clearRect(rect, true);
    return true;
}

bool MapClipboard::pasteCells(int column, int row, int& pastedWidth, int& pastedHeight) {
    pastedWidth = 0;
    pastedHeight = 0;
    MapBlock block;
    if (!read(mapFormat_,
              [&](std::span<const std::uint8_t> bytes) { return MapBlock::decode(bytes, block); }))
        return false;
    return document_.pasteCells(block, column, row, pastedWidth, pastedHeight);
}

bool MapClipboard::copyComment(const CommentArea& area, bool cut) {
    if (!put(commentFormat_, CommentBlock::fromArea(area).encode()))
        return false;
    if (cut)
        document_.deleteComment(&area);
    return true;
}

CommentArea* MapClipboard::pasteComment(int column, int row) {
    CommentBlock block;
    if (!read(commentFormat_,
              [&](std::span<const std::uint8_t> bytes) { return CommentBlock::decode(bytes, block); }))
        return nullptr;
    return document_.pasteComment(block, column, row, prompter_);
}

bool MapClipboard::isFormatAvailable(int index) const {
    UINT format = 0;
    if (index == mapFormatIndex)
        format = mapFormat_;
    else if (index == commentFormatIndex)
        format = commentFormat_;
    return registered(format) && IsClipboardFormatAvailable(format);
}

} // namespace tav::win
