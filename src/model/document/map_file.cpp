#include "model/document/map_file.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "model/app/file_error_text.h"
#include "model/document/busy_scope.h"
#include "model/document/file_backup.h"
#include "model/document/map_document.h"
#include "model/document/palette_storage.h"
#include "model/platform/cp932.h"
#include "model/platform/little_endian.h"

namespace tav {

namespace ml = map_layout;

namespace {

constexpr char magic[4] = {'E', 'D', '0', '0'};

constexpr const char* memoryDamaged =
    "メモリ領域が壊れている可能性があります。\nアプリケーションを再起動してください。";
constexpr const char* badFormat =
    "マップデータを読込むことができませんでした。\n\n%s\nは不正なフォーマットです。";
constexpr const char* noMemory =
    "マップデータを読込むことができませんでした。\n\n%s\nを読込むためのメモリが足りません。";
constexpr const char* cannotReadPalette = "マークパレットを読込むことができませんでした。\n\n%s";
constexpr const char* cannotSavePalette = "マークパレットを保存することができませんでした。\n\n%s";

// Comment areas are read piece by piece; a piece this large keeps the file calls few.
constexpr std::size_t chunkSize = 64 * 1024;

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

using le::get32;
using le::put32;

// Reads the rest of a file front to back. got falls short only at the file's end.
class ChunkReader {
public:
    ChunkReader(File& file, std::uint64_t fileLeft) : file_(file), fileLeft_(fileLeft) {}

    FileCause read(void* out, std::size_t size, std::size_t& got) {
        got = 0;
        auto* bytes = static_cast<std::uint8_t*>(out);
        while (got < size) {
            if (begin_ == end_) {
                if (fileLeft_ == 0)
                    break;
                if (FileCause cause = refill(); cause != FileCause::none)
                    return cause;
                if (begin_ == end_)
                    break;
            }
            const std::size_t n = std::min(size - got, end_ - begin_);
            std::memcpy(bytes + got, buffer_.data() + begin_, n);
            begin_ += n;
            got += n;
        }
        return FileCause::none;
    }
    // Bytes not yet taken, by the length the file had when the load began.
    std::uint64_t remaining() const { return fileLeft_ + (end_ - begin_); }

private:
    FileCause refill() {
        // Never more than the file still holds, so a lying size allocates nothing.
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(chunkSize, fileLeft_));
        buffer_.resize(want);
        std::size_t n = 0;
        if (FileCause cause = file_.read(buffer_.data(), want, n); cause != FileCause::none)
            return cause;
        // A file that shrank since its length was taken ends here.
        fileLeft_ = n < want ? 0 : fileLeft_ - n;
        begin_ = 0;
        end_ = n;
        return FileCause::none;
    }

    File& file_;
    std::uint64_t fileLeft_;
    std::vector<std::uint8_t> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
};

} // namespace

std::array<std::uint8_t, ml::headerSize> encodeMapHeader(const RulerSettings& ruler) {
    std::array<std::uint8_t, ml::headerSize> header{};
    std::memcpy(header.data(), magic, 4);
    std::uint8_t* r = header.data() + ml::rulerOffset;
    put32(r, static_cast<std::uint32_t>(ruler.columnStart));
    put32(r + 4, static_cast<std::uint32_t>(ruler.rowStart));
    r[8] = ruler.basePosition;
    r[9] = static_cast<std::uint8_t>(ruler.columnStep);
    r[10] = static_cast<std::uint8_t>(ruler.rowStep);
    r[11] = ruler.reserved;
    return header;
}

bool decodeMapHeader(const std::uint8_t* header, RulerSettings& ruler) {
    if (std::memcmp(header, magic, 4) != 0)
        return false;
    const std::uint8_t* r = header + ml::rulerOffset;
    ruler.columnStart = static_cast<std::int32_t>(get32(r));
    ruler.rowStart = static_cast<std::int32_t>(get32(r + 4));
    ruler.basePosition = r[8];
    ruler.columnStep = static_cast<std::int8_t>(r[9]);
    ruler.rowStep = static_cast<std::int8_t>(r[10]);
    ruler.reserved = r[11];
    return true;
}

std::string_view storedCommentText(std::string_view text) {
    if (text.size() <= ml::maxTextLength)
        return text;
    std::size_t length = 0;
    while (length < text.size()) {
        const std::size_t next = length + cp932::charLength(text, length);
        if (next > ml::maxTextLength)
            break;
        length = next;
    }
    return text.substr(0, length);
}

namespace {

std::size_t mapPartSize(const CellGrid& grid, const CommentList& comments) {
    std::size_t size = 8 + ml::cellSize * grid.cells().size() + ml::countSize;
    for (const auto& area : comments)
        size += comment::recordSize + ml::textLengthSize + storedCommentText(area->text()).size();
    return size;
}

void appendMapPart(std::vector<std::uint8_t>& out, const CellGrid& grid, const CommentList& comments) {
    put32(out, static_cast<std::uint32_t>(grid.width()));
    put32(out, static_cast<std::uint32_t>(grid.height()));
    for (const Cell& cell : grid.cells())
        out.insert(out.end(), {cell.horizontalWall, cell.verticalWall, cell.room, cell.background});
    put32(out, static_cast<std::uint32_t>(comments.size()));
    for (const auto& area : comments) {
        const auto record = area->copyRecord().encode();
        out.insert(out.end(), record.begin(), record.end());
        const std::string_view text = storedCommentText(area->text());
        out.push_back(static_cast<std::uint8_t>(text.size()));
        out.push_back(static_cast<std::uint8_t>(text.size() >> 8));
        out.insert(out.end(), text.begin(), text.end());
    }
}

} // namespace

std::vector<std::uint8_t> encodeMapPart(const CellGrid& grid, const CommentList& comments) {
    std::vector<std::uint8_t> out;
    out.reserve(mapPartSize(grid, comments));
    appendMapPart(out, grid, comments);
    return out;
}

std::vector<std::uint8_t> encodeMapFile(const MapDocument& document) {
    std::vector<std::uint8_t> out;
    encodeMapFile(document, out);
    return out;
}

void encodeMapFile(const MapDocument& document, std::vector<std::uint8_t>& out) {
    out.clear();
    if (document.grid().empty())
        return;
    const auto header = encodeMapHeader(document.getRuler());
    const auto palette = encodePaletteBlock(document.palette());
    out.reserve(header.size() + palette.size() + mapPartSize(document.grid(), document.comments()));
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), palette.begin(), palette.end());
    appendMapPart(out, document.grid(), document.comments());
}

void MapFileStorage::warn(const std::string& text) {
    prompter_.showMessage(text, msg::ok | msg::iconWarning);
}

bool MapFileStorage::save(MapDocument& document, const FilePath& path) {
    if (saving_)
        return true;
    BusyScope busy(saving_);
    if (document.grid().empty()) {
        warn(memoryDamaged);
        return false;
    }
    std::vector<std::uint8_t> mapPart;
    try {
        mapPart = encodeMapPart(document.grid(), document.comments());
    } catch (const std::bad_alloc&) {
        warn(memoryDamaged);
        return false;
    }

    FileBackup backup(files_);
    std::string failure;
    auto file = backup.createNew(path, failure);
    if (!file) {
        warn(failure);
        return false;
    }
    FileCause cause = FileCause::none;
    const auto header = encodeMapHeader(document.getRuler());
    if ((cause = file->setLength(ml::smallestFile)) != FileCause::none ||
        (cause = file->write(header.data(), header.size())) != FileCause::none)
        failure = fileErrorText(cause, path);
    else if (!palettes_.writePaletteBlock(*file, document.palette(), cause))
        failure = fileErrorTextOr(cause, cannotSavePalette, path);
    // On the disk before the backup goes, so a crash right after the save cannot lose both.
    else if ((cause = file->write(mapPart.data(), mapPart.size())) != FileCause::none ||
             (cause = file->flush()) != FileCause::none)
        failure = fileErrorText(cause, path);
    const FileCause closed = file->close();
    file.reset();
    if (failure.empty() && closed != FileCause::none)
        failure = fileErrorText(closed, path);

    if (!failure.empty()) {
        backup.restore();
        warn(failure);
        return false;
    }
    backup.discard();
    document.setCurrentFileName(path);
    document.setModified(false);
    return true;
}

struct MapFileStorage::Loaded {
    RulerSettings ruler;
    MarkPalette palette;
    CellGrid grid; // empty: the map's cells stay
    CommentList comments;
};

MapFileStorage::Outcome MapFileStorage::read(File& file, const MapDocument& document, unsigned selection,
                                             Loaded& loaded, FileCause& cause) {
    std::uint64_t length = 0;
    if ((cause = file.length(length)) != FileCause::none)
        return Outcome::fileError;
    if (length < ml::smallestFile)
        return Outcome::badFormat;
    std::array<std::uint8_t, ml::headerSize> header;
    if ((cause = file.readExact(header.data(), header.size())) != FileCause::none)
        return Outcome::fileError;
    if (!decodeMapHeader(header.data(), loaded.ruler))
        return Outcome::badFormat;
    // The block read leaves the file just past the block.
    loaded.palette = document.palette();
    if (!palettes_.readPaletteBlock(file, selection & palette_select::all, loaded.palette, cause))
        return Outcome::paletteFailed;
    if (!(selection & map_select::map))
        return Outcome::done;

    ChunkReader reader(file, length - ml::sizeOffset);
    std::size_t got = 0;
    // A file that ends before the size reads as size 0: the map part ends there.
    std::uint8_t size[8] = {};
    if ((cause = reader.read(size, sizeof size, got)) != FileCause::none)
        return Outcome::fileError;
    const auto width = static_cast<std::int32_t>(get32(size));
    const auto height = static_cast<std::int32_t>(get32(size + 4));
    if (width < 0 || height < 0 || width > ml::maxSide || height > ml::maxSide)
        return Outcome::badFormat;
    if (width == 0 || height == 0)
        return Outcome::done;

    // Cells missing at the end of a truncated file stay zero; only the bytes really there are buffered.
    loaded.grid = CellGrid(width, height);
    auto& cells = loaded.grid.cells();
    std::vector<std::uint8_t> bytes(
        static_cast<std::size_t>(std::min<std::uint64_t>(ml::cellSize * cells.size(), reader.remaining())));
    if ((cause = reader.read(bytes.data(), bytes.size(), got)) != FileCause::none)
        return Outcome::fileError;
    for (std::size_t i = 0; i < got / ml::cellSize; ++i) {
        const std::uint8_t* p = bytes.data() + ml::cellSize * i;
        cells[i] = Cell{p[0], p[1], p[2], p[3]};
    }
    if (got < ml::cellSize * cells.size())
        return Outcome::done;

    std::uint8_t count[4] = {};
    if ((cause = reader.read(count, sizeof count, got)) != FileCause::none)
        return Outcome::fileError;
    const auto declared = static_cast<std::int32_t>(get32(count));
    if (got < sizeof count || declared <= 0)
        return Outcome::done;
    // Each area takes at least its record and its length, so the bytes left bound the real count.
    const std::uint64_t fit = reader.remaining() / (comment::recordSize + ml::textLengthSize);
    loaded.comments.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(declared, fit)));
    std::array<std::uint8_t, comment::recordSize> record;
    for (std::int32_t i = 0; i < declared; ++i) {
        std::uint8_t textLength[2];
        if ((cause = reader.read(record.data(), record.size(), got)) != FileCause::none)
            return Outcome::fileError;
        if (got < record.size())
            break;
        if ((cause = reader.read(textLength, sizeof textLength, got)) != FileCause::none)
            return Outcome::fileError;
        if (got < sizeof textLength)
            break;
        const std::size_t length = textLength[0] | textLength[1] << 8;
        if (length > reader.remaining())
            break; // a text longer than the rest of the file ends the list
        std::string text(length, '\0');
        if ((cause = reader.read(text.data(), length, got)) != FileCause::none)
            return Outcome::fileError;
        if (got < length)
            break;
        CommentRecord stored;
        CommentRecord::decode(record, stored);
        auto area = std::make_unique<CommentArea>();
        area->setMapSize(width, height);
        area->setFromRecord(stored, document.isWide());
        area->setText(std::move(text));
        loaded.comments.push_back(std::move(area));
    }
    return Outcome::done;
}

bool MapFileStorage::load(MapDocument& document, const FilePath& path, unsigned selection) {
    if (loading_)
        return true;
    BusyScope busy(loading_);

    FileCause cause = FileCause::none;
    auto file = files_.open(path, OpenMode::read, cause);
    if (!file) {
        warn(fileErrorText(cause, path));
        return false;
    }
    // Everything is read aside first, so a load that fails anywhere leaves the document as it was.
    Loaded loaded;
    Outcome outcome;
    try {
        outcome = read(*file, document, selection, loaded, cause);
    } catch (const std::bad_alloc&) {
        outcome = Outcome::outOfMemory;
    }
    file->close(); // read only: nothing to lose
    file.reset();
    switch (outcome) {
    case Outcome::done:
        break;
    case Outcome::badFormat:
        warn(cp932::formatWith(badFormat, path.text()));
        return false;
    case Outcome::paletteFailed:
        warn(fileErrorTextOr(cause, cannotReadPalette, path));
        return false;
    case Outcome::fileError:
        warn(fileErrorText(cause, path));
        return false;
    case Outcome::outOfMemory:
        warn(cp932::formatWith(noMemory, path.text()));
        return false;
    }

    document.setRuler(loaded.ruler);
    document.palette() = loaded.palette;
    // A palette half taken from a map file leaves the map being edited, its name and its flag alone.
    if (selection & map_select::map) {
        document.takeOverMap(std::move(loaded.grid), std::move(loaded.comments));
        document.setCurrentFileName(path);
        document.setModified(false);
    }
    return true;
}

} // namespace tav
