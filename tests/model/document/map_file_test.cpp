// Map files on the in-memory disk: the byte layout, the backup kept while saving, partial loads, and what
// a failure at any file call or a malformed file leaves behind.
#include "model/document/map_file.h"

#include <climits>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "grid_checks.h"
#include "model/app/file_error_text.h"
#include "model/document/map_document.h"
#include "model/document/palette_storage.h"
#include "model/platform/cp932.h"
#include "palette_samples.h"
#include "support/map_snapshot.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

namespace tav {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::MapSnapshot;

const std::string badFormat =
    "マップデータを読込むことができませんでした。\n\n%s\nは不正なフォーマットです。";
const std::string memoryDamaged =
    "メモリ領域が壊れている可能性があります。\nアプリケーションを再起動してください。";

constexpr std::size_t sizeAt = 49824;
constexpr std::size_t cellsAt = 49832;

std::uint32_t get32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

// Answers like the recording prompter, running a nested call the first time a message shows.
class NestingPrompter : public test::RecordingPrompter {
public:
    int showMessage(const std::string& text, unsigned type) override {
        if (auto nested = std::move(onShow)) {
            onShow = nullptr;
            nested();
        }
        return RecordingPrompter::showMessage(text, type);
    }
    std::function<void()> onShow;
};

// Passes every call on to another file system and notes its name (and the path, for calls on paths).
class LoggingFileSystem : public FileSystem {
public:
    explicit LoggingFileSystem(FileSystem& inner) : inner_(inner) {}
    std::unique_ptr<File> open(const FilePath& path, OpenMode mode, FileCause& cause) override {
        log.push_back("open " + path.text());
        auto file = inner_.open(path, mode, cause);
        return file ? std::make_unique<LoggingFile>(std::move(file), log) : nullptr;
    }
    FileCause copy(const FilePath& from, const FilePath& to, bool failIfExists) override {
        log.push_back("copy " + to.text());
        return inner_.copy(from, to, failIfExists);
    }
    FileCause move(const FilePath& from, const FilePath& to) override {
        log.push_back("move " + from.text());
        return inner_.move(from, to);
    }
    FileCause remove(const FilePath& path) override {
        log.push_back("remove " + path.text());
        return inner_.remove(path);
    }
    FileCause getAttributes(const FilePath& path, std::uint32_t& attributes) override {
        return inner_.getAttributes(path, attributes);
    }
    FileCause setAttributes(const FilePath& path, std::uint32_t attributes) override {
        log.push_back("attributes " + path.text());
        return inner_.setAttributes(path, attributes);
    }
    FileCause createDirectory(const FilePath& path) override { return inner_.createDirectory(path); }
    bool exists(const FilePath& path) override { return inner_.exists(path); }
    FileCause listFiles(const FilePath& folder, std::vector<std::u16string>& names) override {
        return inner_.listFiles(folder, names);
    }

    std::vector<std::string> log;

private:
    class LoggingFile : public File {
    public:
        LoggingFile(std::unique_ptr<File> inner, std::vector<std::string>& log)
            : inner_(std::move(inner)), log_(log) {}
        FileCause read(void* buffer, std::size_t size, std::size_t& got) override {
            log_.push_back("read");
            return inner_->read(buffer, size, got);
        }
        FileCause write(const void* buffer, std::size_t size) override {
            log_.push_back("write");
            return inner_->write(buffer, size);
        }
        FileCause seek(std::uint64_t position) override { return inner_->seek(position); }
        FileCause length(std::uint64_t& out) override { return inner_->length(out); }
        FileCause setLength(std::uint64_t size) override {
            log_.push_back("write");
            return inner_->setLength(size);
        }
        FileCause flush() override {
            log_.push_back("flush");
            return inner_->flush();
        }
        FileCause close() override {
            log_.push_back("close");
            return inner_->close();
        }

    private:
        std::unique_ptr<File> inner_;
        std::vector<std::string>& log_;
    };
    FileSystem& inner_;
};

// The folder holds a 0x5C trail byte, as "表" does in CP932.
class MapFiles : public ::testing::Test {
protected:
    void SetUp() override {
        files.addDirectory(folder);
        buildMap(doc);
    }

    // 7 x 5 cells with every byte set, a full palette, a ruler off its defaults and three comment areas
    // made in both view modes: a multi-line text with trail bytes 0x5C, an empty text with its own look,
    // the default text.
    void buildMap(MapDocument& map) {
        ASSERT_TRUE(map.resize(7, 5, true));
        test::fillPattern(map);
        map.palette() = test::samplePalette(3);
        map.setRuler({-12, 40, 2, -1, 1, 0});
        map.setNewCommentRect({0, 0, 238, 170});
        CommentArea* first = map.addComment(prompter);
        map.setCommentText(*first, "表示ソ能\r\n二行目", false);
        map.setCommentFrame(*first, {5, 7, 120, 99}, false);
        map.setViewMode(true);
        CommentArea* second = map.addComment(prompter);
        map.setCommentText(*second, "", false);
        CommentFormat look = second->format();
        look.face = "Arial";
        look.pointSize = 14;
        look.styleFlags = comment::style::bold | comment::style::italic;
        look.backgroundColour = comment::noColour;
        look.frameStyle = comment::frame::ellipse;
        look.anchorStyle = comment::anchor::square;
        look.alignment = 0x12;
        map.setCommentFormat(*second, look, {30, 20, 101, 61}, {5, 70});
        CommentArea* third = map.addComment(prompter);
        map.moveComment(*third, 13, -4, false);
        map.setModified(true);
    }
    // Another map to load into: 3 x 4, its own palette, one comment area, a name and undo steps.
    void buildOther(MapDocument& map) {
        ASSERT_TRUE(map.resize(3, 4, true));
        bool first = true;
        map.setCell(1, 2, layer::room, 9, first);
        map.palette() = test::samplePalette(8);
        map.setRuler({3, 3, 1, 1, 1, 0});
        map.setNewCommentRect({0, 0, 102, 136});
        map.setCommentText(*map.addComment(prompter), "mine", false);
        map.setCurrentFileName(u"C:\\mine.MED");
    }
    void expectOneWarning(const std::string& text, const std::string& context = {}) {
        ASSERT_EQ(prompter.shown.size(), 1u) << context;
        EXPECT_EQ(prompter.shown[0].text, text) << context;
        EXPECT_EQ(prompter.shown[0].type, msg::ok | msg::iconWarning) << context;
        prompter.shown.clear();
    }
    Bytes savedBytes() {
        EXPECT_TRUE(storage.save(doc, spare));
        return files.contents(spare);
    }

    const FilePath folder = u"C:\\表示";
    const FilePath path = folder + u"\\地図.MED";
    const FilePath backup = path + u"bak";
    const FilePath spare = folder + u"\\spare.MED";
    test::MemoryFileSystem files;
    NestingPrompter prompter;
    PaletteStorage palettes{files, prompter};
    MapFileStorage storage{files, prompter, palettes};
    MapDocument doc;
};

TEST_F(MapFiles, BytesLieWhereTheLayoutPutsThem) {
    ASSERT_TRUE(storage.save(doc, path));
    EXPECT_TRUE(prompter.shown.empty());
    const Bytes bytes = files.contents(path);

    const std::uint8_t header[32] = {'E',  'D',  '0', '0', 0, 0, 0, 0,    0xF4, 0xFF,
                                     0xFF, 0xFF, 40,  0,   0, 0, 2, 0xFF, 1};
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 32), Bytes(std::begin(header), std::end(header)));
    EXPECT_EQ(Bytes(bytes.begin() + 32, bytes.begin() + sizeAt), encodePaletteBlock(doc.palette()));
    EXPECT_EQ(get32(bytes, sizeAt), 7u);
    EXPECT_EQ(get32(bytes, sizeAt + 4), 5u);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 7; ++c)
            for (int layer = 1; layer <= 4; ++layer)
                ASSERT_EQ(bytes[cellsAt + 4 * (r * 7 + c) + layer - 1], test::patternByte(c, r, layer));
    std::size_t at = cellsAt + 4 * 35;
    EXPECT_EQ(get32(bytes, at), 3u);
    at += 4;
    for (const auto& area : doc.comments()) {
        const auto record = area->copyRecord().encode();
        EXPECT_EQ(Bytes(bytes.begin() + at, bytes.begin() + at + 76), Bytes(record.begin(), record.end()));
        const std::size_t length = bytes[at + 76] | bytes[at + 77] << 8;
        EXPECT_EQ(std::string(bytes.begin() + at + 78, bytes.begin() + at + 78 + length), area->text());
        at += 78 + length;
    }
    EXPECT_EQ(at, bytes.size());

    MapDocument small;
    ASSERT_TRUE(small.resize(1, 1, true));
    ASSERT_TRUE(storage.save(small, spare));
    EXPECT_EQ(files.contents(spare).size(), 49840u);
}

TEST_F(MapFiles, RoundTripKeepsEveryPartAndSavesAgainByteIdentical) {
    ASSERT_TRUE(storage.save(doc, path));
    const Bytes bytes = files.contents(path);
    EXPECT_EQ(doc.currentFileName(), path);
    EXPECT_FALSE(doc.isModified());
    EXPECT_TRUE(doc.canUndo()) << "saving keeps the undo steps";
    EXPECT_FALSE(files.hasFile(backup));

    for (bool wide : {false, true}) {
        MapDocument loaded;
        loaded.setViewMode(wide);
        loaded.setModified(true);
        ASSERT_TRUE(storage.load(loaded, path, map_select::all));
        EXPECT_TRUE(prompter.shown.empty());
        EXPECT_EQ(loaded.currentFileName(), path);
        EXPECT_FALSE(loaded.isModified());
        // Pixels shown are derived from the stored positions on both sides.
        loaded.setViewMode(doc.isWide());
        doc.setViewMode(doc.isWide());
        EXPECT_TRUE(MapSnapshot::of(loaded).sameMap(MapSnapshot::of(doc))) << wide;
        ASSERT_TRUE(storage.save(loaded, spare));
        EXPECT_EQ(files.contents(spare), bytes) << wide;
    }

    // Over an existing file: replaced, and its backup gone again.
    doc.setRuler({});
    ASSERT_TRUE(storage.save(doc, path));
    EXPECT_NE(files.contents(path), bytes);
    EXPECT_FALSE(files.hasFile(backup));
}

TEST_F(MapFiles, SavingRefusesAReadOnlyFileAndAMapWithoutCells) {
    const Bytes old = {'o', 'l', 'd'};
    files.putFile(path, old, attr::readOnly | attr::archive);
    EXPECT_FALSE(storage.save(doc, path));
    expectOneWarning(fileErrorText(5, path));
    EXPECT_EQ(files.contents(path), old);
    EXPECT_FALSE(files.hasFile(backup));
    EXPECT_TRUE(doc.isModified());

    MapDocument empty;
    EXPECT_FALSE(storage.save(empty, spare));
    expectOneWarning(memoryDamaged);
    EXPECT_FALSE(files.hasFile(spare));
}

// A read-only copy left from an earlier save is only a stale backup: it makes way, and goes after the save.
TEST_F(MapFiles, StaleReadOnlyBackupDoesNotBlockTheSave) {
    files.putFile(path, Bytes{'o', 'l', 'd'});
    files.putFile(backup, Bytes{'s', 't', 'a', 'l', 'e'}, attr::readOnly | attr::archive);
    ASSERT_TRUE(storage.save(doc, path));
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_FALSE(files.hasFile(backup));
    EXPECT_EQ(files.contents(path), savedBytes());
}

// A crash right after the save must not lose both files: the new one is flushed before the backup goes.
TEST_F(MapFiles, BackupGoesOnlyAfterTheNewFileIsOnTheDisk) {
    files.putFile(path, Bytes{'o', 'l', 'd'});
    LoggingFileSystem logged(files);
    MapFileStorage logging(logged, prompter, palettes);
    ASSERT_TRUE(logging.save(doc, path));
    const auto& log = logged.log;
    ASSERT_GE(log.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 3),
              (std::vector<std::string>{"copy " + backup.text(), "attributes " + backup.text(),
                                        "open " + path.text()}));
    EXPECT_EQ(std::vector<std::string>(log.end() - 3, log.end()),
              (std::vector<std::string>{"flush", "close", "remove " + backup.text()}));
    EXPECT_EQ(files.contents(path), savedBytes());
}

TEST_F(MapFiles, FailedSaveAtAnyFileCallKeepsTheOldFileAndTheDocument) {
    const Bytes expected = savedBytes();
    const Bytes old = {'o', 'l', 'd'};
    std::set<std::string> seen;
    for (bool existing : {true, false}) {
        for (long n = 0;; ++n) {
            files.remove(path);
            files.remove(backup);
            if (existing)
                files.putFile(path, old);
            doc.setCurrentFileName(u"C:\\before.MED");
            doc.setModified(true);
            const MapSnapshot before = MapSnapshot::of(doc);
            const long start = files.operationCount();
            files.failAt(n, FileCause::hardIO);
            const bool ok = storage.save(doc, path);
            test::disarm(files);
            if (ok && files.operationCount() - start <= n)
                break;
            if (ok) {
                EXPECT_EQ(files.contents(path), expected) << n;
                // Only removing the backup may fail unseen, and then the old file stays beside the new one.
                EXPECT_TRUE(!files.hasFile(backup) || files.contents(backup) == old) << n;
                continue;
            }
            EXPECT_EQ(MapSnapshot::of(doc), before) << n;
            if (existing)
                EXPECT_EQ(files.contents(path), old) << n;
            else
                EXPECT_FALSE(files.hasFile(path)) << n;
            EXPECT_FALSE(files.hasFile(backup)) << n;
            ASSERT_EQ(prompter.shown.size(), 1u) << n;
            seen.insert(prompter.shown[0].text);
            prompter.shown.clear();
        }
    }
    EXPECT_EQ(seen, (std::set<std::string>{fileErrorText(FileCause::hardIO, path),
                                           fileErrorText(FileCause::hardIO, backup)}));
}

TEST_F(MapFiles, FailedLoadAtAnyFileCallLeavesTheDocumentAsItWas) {
    files.putFile(path, savedBytes());
    const Bytes bytes = files.contents(path);
    for (unsigned selection : {map_select::all, map_select::walls}) {
        for (long n = 0;; ++n) {
            MapDocument target;
            buildOther(target);
            const MapSnapshot before = MapSnapshot::of(target);
            const long start = files.operationCount();
            files.failAt(n, FileCause::sharingViolation);
            const bool ok = storage.load(target, path, selection);
            test::disarm(files);
            if (ok && files.operationCount() - start <= n)
                break;
            EXPECT_EQ(files.contents(path), bytes);
            if (ok) // only closing the file may fail without harm
                continue;
            EXPECT_EQ(MapSnapshot::of(target), before) << n;
            expectOneWarning(fileErrorText(FileCause::sharingViolation, path), std::to_string(n));
        }
    }
}

TEST_F(MapFiles, MalformedFilesAreRefusedAndChangeNothing) {
    const Bytes good = savedBytes();
    auto withSize = [&](std::int32_t width, std::int32_t height) {
        Bytes b = good;
        test::put32(&b[sizeAt], static_cast<std::uint32_t>(width));
        test::put32(&b[sizeAt + 4], static_cast<std::uint32_t>(height));
        return b;
    };
    std::string text;
    while (text.size() < 60000)
        text += "これはテキストファイルです。\r\n";
    Bytes wrongMagic = good;
    wrongMagic[3] = '1';
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"empty", {}},
        {"short text", Bytes(text.begin(), text.begin() + 40)},
        {"long text", Bytes(text.begin(), text.end())},
        {"one byte short", Bytes(good.begin(), good.begin() + sizeAt - 1)},
        {"magic", wrongMagic},
        {"negative width", withSize(-1, 5)},
        {"negative height", withSize(5, -7)},
        {"most negative", withSize(INT_MIN, INT_MIN)},
        {"too wide", withSize(256, 1)},
        {"too high", withSize(1, 256)},
        {"huge", withSize(INT_MAX, INT_MAX)},
    };
    for (const auto& [name, bytes] : cases) {
        MapDocument target;
        buildOther(target);
        const MapSnapshot before = MapSnapshot::of(target);
        files.putFile(path, bytes);
        EXPECT_FALSE(storage.load(target, path, map_select::all)) << name;
        expectOneWarning(cp932::formatWith(badFormat, path.text()), name);
        EXPECT_EQ(MapSnapshot::of(target), before) << name;
    }

    MapDocument target;
    buildOther(target);
    const MapSnapshot before = MapSnapshot::of(target);
    EXPECT_FALSE(storage.load(target, folder + u"\\none.MED", map_select::all));
    expectOneWarning(fileErrorText(FileCause::fileNotFound, folder + u"\\none.MED"));
    EXPECT_EQ(MapSnapshot::of(target), before);

    // The largest map a document holds is read.
    Bytes largest = withSize(255, 255);
    largest.resize(cellsAt + 4 * 255 * 255 + 4);
    largest[cellsAt + 4 * (255 * 255 - 1) + 2] = 20;
    files.putFile(path, largest);
    ASSERT_TRUE(storage.load(target, path, map_select::all));
    EXPECT_EQ(target.cell(254, 254).room, 20);
}

// Cut anywhere: before the size the file is refused; after it, whatever is whole is read, missing cells are
// zero and the comment list ends at the first area that is not whole.
TEST_F(MapFiles, TruncatedFilesKeepWhatIsWhole) {
    const Bytes bytes = savedBytes();
    std::vector<std::size_t> ends;
    std::size_t at = cellsAt + 4 * 35 + 4;
    for (const auto& area : doc.comments())
        ends.push_back(at += 78 + area->text().size());
    ASSERT_EQ(ends.back(), bytes.size());

    for (std::size_t cut = 0; cut < bytes.size(); cut += cut < sizeAt ? 499 : 1) {
        MapDocument target;
        buildOther(target);
        const MapSnapshot before = MapSnapshot::of(target);
        files.putFile(path, Bytes(bytes.begin(), bytes.begin() + cut));
        const bool ok = storage.load(target, path, map_select::all);
        if (cut < sizeAt) {
            EXPECT_FALSE(ok) << cut;
            expectOneWarning(cp932::formatWith(badFormat, path.text()));
            EXPECT_EQ(MapSnapshot::of(target), before) << cut;
            continue;
        }
        ASSERT_TRUE(ok) << cut;
        EXPECT_EQ(target.palette(), doc.palette()) << cut;
        EXPECT_EQ(target.getRuler(), doc.getRuler()) << cut;
        if (cut < cellsAt) { // no size: the cells stay
            EXPECT_EQ(target.grid().cells(), before.cells) << cut;
        } else {
            ASSERT_EQ(target.width(), 7);
            ASSERT_EQ(target.height(), 5);
            for (std::size_t k = 0; k < 35; ++k) {
                const Cell expected = cellsAt + 4 * (k + 1) <= cut ? doc.grid().cells()[k] : Cell{};
                ASSERT_EQ(target.grid().cells()[k], expected) << cut << " cell " << k;
            }
        }
        std::size_t whole = 0;
        while (whole < ends.size() && ends[whole] <= cut)
            ++whole;
        ASSERT_EQ(target.commentCount(), static_cast<int>(whole)) << cut;
        for (std::size_t k = 0; k < whole; ++k) {
            EXPECT_EQ(target.commentAt(k)->copyRecord(), doc.commentAt(k)->copyRecord());
            EXPECT_EQ(target.commentAt(k)->text(), doc.commentAt(k)->text());
        }
    }
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(MapFiles, LyingCountsAndTextLengthsEndTheCommentList) {
    const Bytes good = savedBytes();
    const std::size_t countAt = cellsAt + 4 * 35;
    const std::size_t secondLengthAt = countAt + 4 + 78 + doc.commentAt(0)->text().size() + 76;
    auto loadedCount = [&](const Bytes& bytes) {
        MapDocument target;
        buildOther(target);
        files.putFile(path, bytes);
        EXPECT_TRUE(storage.load(target, path, map_select::all));
        EXPECT_TRUE(prompter.shown.empty());
        return target.commentCount();
    };
    Bytes b = good;
    test::put32(&b[countAt], INT_MAX);
    EXPECT_EQ(loadedCount(b), 3);
    test::put32(&b[countAt], 0xFFFFFFFF);
    EXPECT_EQ(loadedCount(b), 0);
    test::put32(&b[countAt], 2);
    EXPECT_EQ(loadedCount(b), 2);
    b = good;
    b[secondLengthAt] = b[secondLengthAt + 1] = 0xFF;
    EXPECT_EQ(loadedCount(b), 1);
}

TEST_F(MapFiles, ZeroSizeTakesPaletteAndRulerAndEmptiesTheCommentList) {
    Bytes bytes = savedBytes();
    test::put32(&bytes[sizeAt], 0);
    files.putFile(path, bytes);
    MapDocument target;
    buildOther(target);
    const MapSnapshot before = MapSnapshot::of(target);
    ASSERT_TRUE(storage.load(target, path, map_select::all));
    EXPECT_EQ(target.palette(), doc.palette());
    EXPECT_EQ(target.getRuler(), doc.getRuler());
    EXPECT_EQ(target.grid().cells(), before.cells);
    EXPECT_EQ(target.commentCount(), 0);
    EXPECT_FALSE(target.canUndo()) << "the steps belong to the comment areas that went";
    EXPECT_EQ(target.currentFileName(), path);
}

TEST_F(MapFiles, PaletteHalfFromAMapFileLeavesTheMapAlone) {
    const Bytes bytes = savedBytes();
    files.putFile(path, bytes);
    for (unsigned selection : {map_select::walls, map_select::rooms}) {
        MapDocument target;
        buildOther(target);
        target.setModified(true);
        const MapSnapshot before = MapSnapshot::of(target);
        ASSERT_TRUE(storage.load(target, path, selection));
        MapSnapshot expected = before;
        expected.ruler = doc.getRuler();
        expected.palette.backgrounds = doc.palette().backgrounds;
        if (selection == map_select::walls)
            expected.palette.walls = doc.palette().walls;
        else
            expected.palette.rooms = doc.palette().rooms;
        EXPECT_EQ(MapSnapshot::of(target), expected) << selection;
    }
}

TEST_F(MapFiles, TextsBeyondTheLengthFieldAreCutAtACharacterAndTheNextAreaSurvives) {
    std::string longText;
    for (int i = 0; i < 40000; ++i)
        longText += "表";
    doc.setCommentText(*doc.commentAt(1), "a" + longText, false);
    ASSERT_TRUE(storage.save(doc, path));
    MapDocument loaded;
    ASSERT_TRUE(storage.load(loaded, path, map_select::all));
    ASSERT_EQ(loaded.commentCount(), 3);
    EXPECT_EQ(loaded.commentAt(1)->text(), "a" + longText.substr(0, 65534));
    EXPECT_EQ(loaded.commentAt(2)->text(), doc.commentAt(2)->text());
    EXPECT_EQ(loaded.commentAt(2)->copyRecord(), doc.commentAt(2)->copyRecord());
}

// A call made while the same operation shows its message (a nested message loop) does nothing.
TEST_F(MapFiles, NestedCallsReturnAtOnce) {
    files.putFile(path, savedBytes());
    MapDocument target;
    buildOther(target);
    const MapSnapshot before = MapSnapshot::of(target);
    prompter.onShow = [&] {
        EXPECT_TRUE(storage.load(target, path, map_select::all));
        EXPECT_EQ(MapSnapshot::of(target), before);
    };
    EXPECT_FALSE(storage.load(target, folder + u"\\none.MED", map_select::all));
    EXPECT_EQ(prompter.shown.size(), 1u);
    prompter.shown.clear();

    MapDocument empty;
    const FilePath nested = folder + u"\\nested.MED";
    prompter.onShow = [&] { EXPECT_TRUE(storage.save(doc, nested)); };
    EXPECT_FALSE(storage.save(empty, nested));
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_FALSE(files.hasFile(nested));
}

} // namespace
} // namespace tav
