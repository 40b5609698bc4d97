#include "model/document/palette_storage.h"

#include <algorithm>
#include <cstring>

#include "model/app/file_error_text.h"
#include "model/document/busy_scope.h"
#include "model/document/file_backup.h"
#include "model/document/map_document.h"
#include "model/platform/cp932.h"

namespace tav {

namespace pl = palette_layout;

namespace {

constexpr const char* cannotRead = "マークパレットを読込むことができませんでした。\n\n%s";
constexpr const char* badFormat =
    "マークパレットを読込むことができませんでした。\n\n%s\nは不正なフォーマットです。";
constexpr const char* baseMissing =
    "デフォルトのマークパレットファイルを作成できませんでした。\n\n%s\nが存在しているかチェッ"
    "クしてください。";
constexpr const char* baseBroken = "%s\nは不正なフォーマットです。\nオリジナルのファイルと置き換えてください";
constexpr const char* cannotCopy =
    "デフォルトのマークパレットファイルを作成できませんでした。\nディスク容量等をチェックして"
    "ください。";
constexpr const char* cannotWrite =
    "デフォルトのマークパレットファイルを作成できませんでした。\n\n%s\nに書き込むことができま"
    "せん。";
constexpr const char* cannotSave = "マークパレットを保存することができませんでした。\n\n%s";

std::array<std::uint8_t, pl::fileHeaderSize> fileHeader(PaletteKind kind) {
    std::array<std::uint8_t, pl::fileHeaderSize> header{};
    std::memcpy(header.data(), paletteMagic(kind), 4);
    return header;
}

} // namespace

void PaletteStorage::warn(const std::string& text) {
    prompter_.showMessage(text, msg::ok | msg::iconWarning);
}

bool PaletteStorage::readPaletteBlock(File& file, unsigned selection, MarkPalette& palette,
                                      FileCause& cause) {
    cause = FileCause::none;
    if (readingBlock_)
        return true;
    BusyScope busy(readingBlock_);

    std::array<std::uint8_t, pl::roomsOffset> head;
    std::size_t got = 0;
    if ((cause = file.read(head.data(), head.size(), got)) != FileCause::none || got < head.size())
        return false;
    // The room section is read even when not taken, so the file ends up just past the block.
    std::vector<std::uint8_t> rooms(pl::blockSize - pl::roomsOffset);
    std::size_t roomBytes = 0;
    if ((cause = file.read(rooms.data(), rooms.size(), roomBytes)) != FileCause::none)
        return false;

    // Built aside, so a failed read leaves the caller's palette whole.
    MarkPalette next = palette;
    std::array<WallMarkRecord, wallSlotCount> walls;
    decodeBlockHead(head.data(), next.backgrounds, walls);
    if (selection & palette_select::walls)
        next.walls = walls;
    if (selection & palette_select::rooms) {
        for (int i = 0; i < roomSlotCount; ++i) {
            const std::size_t start = pl::roomSlotSize * i;
            const std::size_t size = roomBytes > start ? std::min(pl::roomSlotSize, roomBytes - start) : 0;
            next.rooms[i] = decodeRoomSlot(std::span(rooms.data() + start, size), converter_);
        }
    }
    palette = next;
    return true;
}

bool PaletteStorage::writePaletteBlock(File& file, const MarkPalette& palette, FileCause& cause) {
    cause = FileCause::none;
    if (writingBlock_)
        return true;
    BusyScope busy(writingBlock_);
    // Every byte of the block is written, empty slots as zeros, so nothing depends on the file's old length.
    const auto block = encodePaletteBlock(palette);
    cause = file.write(block.data(), block.size());
    return cause == FileCause::none;
}

PaletteStorage::Check PaletteStorage::checkPaletteFile(File& file, PaletteKind kind, FileCause& cause) {
    std::uint64_t length = 0;
    if ((cause = file.length(length)) != FileCause::none)
        return Check::failed;
    if (length != pl::fileSize)
        return Check::malformed;
    char magic[4];
    if ((cause = file.seek(0)) != FileCause::none || (cause = file.readExact(magic, 4)) != FileCause::none)
        return Check::failed;
    return std::memcmp(magic, paletteMagic(kind), 4) == 0 ? Check::good : Check::malformed;
}

bool PaletteStorage::readBlockAt(File& file, unsigned selection, MarkPalette& palette, FileCause& cause) {
    if ((cause = file.seek(pl::fileHeaderSize)) != FileCause::none)
        return false;
    return readPaletteBlock(file, selection, palette, cause);
}

bool PaletteStorage::loadBasePalette(MapDocument& document, unsigned selection) {
    if (loadingBase_)
        return true;
    BusyScope busy(loadingBase_);
    const FilePath& path = document.basePalettePath();
    if (path.empty())
        return false;

    FileCause cause = FileCause::none;
    auto file = files_.open(path, OpenMode::read, cause);
    if (!file) {
        warn(fileErrorText(cause, path));
        return false;
    }
    switch (checkPaletteFile(*file, PaletteKind::base, cause)) {
    case Check::failed:
        warn(fileErrorText(cause, path));
        return false;
    case Check::malformed:
        warn(cp932::formatWith(badFormat, path.text()));
        return false;
    case Check::good:
        break;
    }
    if (!readBlockAt(*file, selection, document.palette(), cause)) {
        warn(fileErrorTextOr(cause, cannotRead, path));
        return false;
    }
    file->close(); // read only: nothing to lose
    return true;
}

bool PaletteStorage::loadStartPalette(MapDocument& document, unsigned selection) {
    if (loadingStart_)
        return true;
    BusyScope busy(loadingStart_);
    const FilePath& path = document.startPalettePath();
    if (path.empty())
        return false;

    FileCause cause = FileCause::none;
    auto file = files_.open(path, OpenMode::read, cause);
    // Only a missing or malformed file is replaced: one that merely failed to open or read this time may
    // still be the user's good palette.
    if (!file) {
        if (cause == FileCause::fileNotFound)
            return createStartPalette(document, true);
        warn(fileErrorText(cause, path));
        return false;
    }
    switch (checkPaletteFile(*file, PaletteKind::start, cause)) {
    case Check::failed:
        warn(fileErrorText(cause, path));
        return false;
    case Check::malformed:
        file->close();
        file.reset();
        return createStartPalette(document, true);
    case Check::good:
        break;
    }
    if (!readBlockAt(*file, selection, document.palette(), cause)) {
        warn(fileErrorTextOr(cause, cannotRead, path));
        return false;
    }
    file->close();
    return true;
}

bool PaletteStorage::createStartPalette(MapDocument& document, bool load) {
    if (creatingStart_)
        return true;
    BusyScope busy(creatingStart_);
    const FilePath& base = document.basePalettePath();
    const FilePath& start = document.startPalettePath();
    if (base.empty() || start.empty())
        return false;

    FileCause cause = FileCause::none;
    auto file = files_.open(base, OpenMode::read, cause);
    if (!file) {
        warn(cp932::formatWith(baseMissing, base.text()));
        return false;
    }
    switch (checkPaletteFile(*file, PaletteKind::base, cause)) {
    case Check::failed:
        warn(fileErrorText(cause, base));
        return false;
    case Check::malformed:
        warn(cp932::formatWith(baseBroken, base.text()));
        return false;
    case Check::good:
        break;
    }
    std::vector<std::uint8_t> bytes(pl::fileSize);
    if ((cause = file->seek(0)) != FileCause::none ||
        (cause = file->readExact(bytes.data(), bytes.size())) != FileCause::none) {
        warn(fileErrorText(cause, base));
        return false;
    }
    file->close();
    file.reset();
    if (!makeStartPaletteFile(start, bytes))
        return false;
    if (!load)
        return true;

    // The new file is read whole, whichever half was asked for: both halves now come from the base.
    file = files_.open(start, OpenMode::read, cause);
    if (!file || !readBlockAt(*file, palette_select::all, document.palette(), cause)) {
        warn(fileErrorTextOr(cause, cannotRead, start));
        return false;
    }
    file->close();
    return true;
}

// The base palette's bytes are written as a new file rather than copied, so a read-only flag on the base
// palette is not taken over and a failed write leaves no half-made file behind.
bool PaletteStorage::makeStartPaletteFile(const FilePath& start, std::vector<std::uint8_t>& bytes) {
    // A start palette's header is its magic and zeros, whatever the base file holds there.
    std::memcpy(bytes.data(), paletteMagic(PaletteKind::start), 4);
    std::memset(bytes.data() + 4, 0, pl::fileHeaderSize - 4);
    FileCause cause = FileCause::none;
    auto file = files_.open(start, OpenMode::create, cause);
    if (!file) {
        warn(cannotCopy);
        return false;
    }
    if (file->write(bytes.data(), bytes.size()) != FileCause::none || file->flush() != FileCause::none ||
        file->close() != FileCause::none) {
        file->close();
        file.reset();
        files_.remove(start);
        warn(cp932::formatWith(cannotWrite, start.text()));
        return false;
    }
    return true;
}

bool PaletteStorage::writeStartPaletteFile(File& file, const MarkPalette& palette, FileCause& cause) {
    const auto header = fileHeader(PaletteKind::start);
    if ((cause = file.setLength(pl::fileSize)) != FileCause::none ||
        (cause = file.write(header.data(), header.size())) != FileCause::none)
        return false;
    if (!writePaletteBlock(file, palette, cause))
        return false;
    cause = file.flush();
    return cause == FileCause::none;
}

bool PaletteStorage::saveStartPalette(const MapDocument& document) {
    if (savingStart_)
        return true;
    BusyScope busy(savingStart_);
    const FilePath& path = document.startPalettePath();
    if (path.empty())
        return false;

    FileBackup backup(files_);
    std::string failure;
    auto file = backup.createNew(path, failure);
    if (!file) {
        warn(failure);
        return false;
    }
    FileCause cause = FileCause::none;
    bool written = writeStartPaletteFile(*file, document.palette(), cause);
    const FileCause closed = file->close();
    file.reset();
    if (written && closed != FileCause::none) {
        written = false;
        cause = closed;
    }
    if (written) {
        backup.discard();
        return true;
    }
    backup.restore();
    warn(fileErrorTextOr(cause, cannotSave, path));
    return false;
}

} // namespace tav
