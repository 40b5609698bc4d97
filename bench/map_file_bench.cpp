// Saving and loading a map at the program's working limits (99 x 99 cells, every layer of every cell set,
// a full palette, 1000 comment areas) against a plain copy of a file of the same size, on the in-memory
// disk of the tests (the model's own cost) and on the real disk in a temporary folder (with the flush).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "model/document/map_document.h"
#include "model/document/map_file.h"
#include "model/document/palette_storage.h"
#include "model/platform/unicode.h"
#include "posix_file_system.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

namespace tav::bench {
namespace {

void buildLargestMap(MapDocument& doc, Prompter& prompter) {
    doc.setUndoDepth(0); // building the map is not what is measured
    doc.resize(99, 99, true);
    bool first = false;
    for (int r = 0; r < 99; ++r)
        for (int c = 0; c < 99; ++c) {
            doc.setCell(c, r, layer::horizontalWall, static_cast<std::uint8_t>(1 + (c + r) % 20), first);
            doc.setCell(c, r, layer::verticalWall, static_cast<std::uint8_t>(1 + (c * 3 + r) % 20), first);
            doc.setCell(c, r, layer::room, static_cast<std::uint8_t>(1 + (c * 7 + r * 5) % 20), first);
            doc.setCell(c, r, layer::background, static_cast<std::uint8_t>(1 + (c + r * 3) % 8), first);
        }
    MarkPalette& palette = doc.palette();
    for (int i = 0; i < wallSlotCount; ++i)
        palette.walls[i] = {0x102030u * i, 0xFF, noColour, 0xFF00, 0xFFFFFF, 1, 1, 3, 7};
    for (int i = 0; i < roomSlotCount; ++i) {
        palette.rooms[i].registered = true;
        palette.rooms[i].normalImage.pixels.fill(static_cast<std::uint8_t>(i * 11));
        palette.rooms[i].wideImage.pixels.fill(static_cast<std::uint8_t>(i * 13));
    }
    for (int i = 0; i < 1000; ++i) {
        const int x = (i * 97) % (99 * 34 - 100), y = (i * 61) % (99 * 34 - 80);
        doc.setNewCommentRect({x, y, x + 100, y + 80});
        CommentArea* area = doc.addComment(prompter);
        doc.setCommentText(*area, "コメント " + std::to_string(i) + "\r\n二行目の説明", false);
    }
}

// One disk for each kind, with the map already saved on it.
struct Disk {
    Disk(FileSystem& files, FilePath folder) : files(files), folder(std::move(folder)) {
        buildLargestMap(doc, prompter);
        if (!storage.save(doc, path()))
            std::abort();
    }
    FilePath path() const { return folder + u"map.MED"; }

    FileSystem& files;
    FilePath folder;
    test::RecordingPrompter prompter;
    PaletteStorage palettes{files, prompter};
    MapFileStorage storage{files, prompter, palettes};
    MapDocument doc;
};

Disk& memoryDisk() {
    static test::MemoryFileSystem files;
    static const bool folderMade = (files.addDirectory(u"C:\\bench"), true);
    static Disk disk(files, u"C:\\bench\\");
    (void)folderMade;
    return disk;
}

struct TempDir {
    TempDir() {
        char name[] = "/tmp/tavrosin-bench-XXXXXX";
        if (!mkdtemp(name))
            std::abort();
        path = FilePath::fromText(name) + u"/";
    }
    ~TempDir() { std::filesystem::remove_all(unicode::toUtf8(path.units())); }
    FilePath path;
};

Disk& realDisk() {
    static TempDir dir;
    static PosixFileSystem files;
    static Disk disk(files, dir.path);
    return disk;
}

Disk& diskFor(int kind) {
    return kind == 0 ? memoryDisk() : realDisk();
}

void setLabel(benchmark::State& state, Disk& disk) {
    std::uint64_t size = 0;
    FileCause cause;
    if (auto file = disk.files.open(disk.path(), OpenMode::read, cause))
        file->length(size);
    state.SetLabel(std::to_string(size) + " bytes");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void BM_SaveMap(benchmark::State& state) {
    Disk& disk = diskFor(static_cast<int>(state.range(0)));
    for (auto _ : state)
        if (!disk.storage.save(disk.doc, disk.path()))
            state.SkipWithError("save failed");
    setLabel(state, disk);
}

void BM_LoadMap(benchmark::State& state) {
    Disk& disk = diskFor(static_cast<int>(state.range(0)));
    MapDocument loaded;
    for (auto _ : state)
        if (!disk.storage.load(loaded, disk.path(), map_select::all))
            state.SkipWithError("load failed");
    setLabel(state, disk);
}

// What any file of this size costs: read it whole, write it as a new file, flush and close.
void BM_PlainCopy(benchmark::State& state) {
    Disk& disk = diskFor(static_cast<int>(state.range(0)));
    const FilePath copy = disk.folder + u"copy.MED";
    std::vector<std::uint8_t> buffer;
    for (auto _ : state) {
        FileCause cause;
        auto from = disk.files.open(disk.path(), OpenMode::read, cause);
        std::uint64_t size = 0;
        std::size_t got = 0;
        if (!from || from->length(size) != FileCause::none)
            state.SkipWithError("open failed");
        buffer.resize(size);
        from->read(buffer.data(), buffer.size(), got);
        from->close();
        auto to = disk.files.open(copy, OpenMode::create, cause);
        if (!to || to->write(buffer.data(), got) != FileCause::none || to->flush() != FileCause::none ||
            to->close() != FileCause::none)
            state.SkipWithError("write failed");
    }
    setLabel(state, disk);
}

// 0: in memory, 1: real disk.
BENCHMARK(BM_SaveMap)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadMap)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainCopy)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tav::bench

BENCHMARK_MAIN();
