#include "model/document/palette_storage.h"

#include <functional>

#include <gtest/gtest.h>

#include "model/app/file_error_text.h"
#include "model/document/map_document.h"
#include "model/platform/cp932.h"
#include "palette_samples.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

namespace tav {
namespace {

namespace pl = palette_layout;
using test::samplePalette;

const std::string cannotRead = "マークパレットを読込むことができませんでした。\n\n%s";
const std::string badFormat =
    "マークパレットを読込むことができませんでした。\n\n%s\nは不正なフォーマットです。";
const std::string baseMissing = "デフォルトのマークパレットファイルを作成できませんでした。\n\n%"
                                "s\nが存在しているかチェックしてください。";
const std::string baseBroken = "%s\nは不正なフォーマットです。\nオリジナルのファイルと置き換えてください";
const std::string cannotCopy =
    "デフォルトのマークパレットファイルを作成できませんでした。\nディスク容量等をチェックしてください。";
const std::string cannotWrite =
    "デフォルトのマークパレットファイルを作成できませんでした。\n\n%s\nに書き込むことができません。";

std::string with(const std::string& pattern, const FilePath& path) {
    return cp932::formatWith(pattern, path.text());
}

// The program folder holds a 0x5C trail byte, as "表" does in CP932.
class PaletteFiles : public ::testing::Test {
protected:
    void SetUp() override {
        files.addDirectory(folder);
        doc.setPalettePaths(start, base);
        doc.palette() = current;
    }
    void putBase(std::uint32_t attributes = attr::archive) {
        auto bytes = encodePaletteFile(basePalette, PaletteKind::base);
        bytes[4] = 0x5A; // the base header's other bytes are not the start palette's
        bytes[31] = 0xA5;
        files.putFile(base, bytes, attributes);
    }
    std::vector<std::uint8_t> startMadeFromBase() const {
        auto bytes = files.contents(base);
        std::memcpy(bytes.data(), "PS00", 4);
        std::memset(bytes.data() + 4, 0, 28);
        return bytes;
    }
    void expectOneWarning(const std::string& text) {
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].text, text);
        EXPECT_EQ(prompter.shown[0].type, msg::ok | msg::iconWarning);
        prompter.shown.clear();
    }
    std::uint32_t attributesOf(const FilePath& path) {
        std::uint32_t a = 0;
        EXPECT_EQ(files.getAttributes(path, a), FileCause::none);
        return a;
    }

    const FilePath folder = u"C:\\表示";
    const FilePath start = folder + u"\\Start.mps";
    const FilePath base = folder + u"\\Base.mpb";
    const FilePath backup = start + u"bak";
    const MarkPalette basePalette = samplePalette(1);
    const MarkPalette current = samplePalette(7);
    test::MemoryFileSystem files;
    test::RecordingPrompter prompter;
    test::TouchingConverter converter;
    PaletteStorage storage{files, prompter, &converter};
    MapDocument doc;
};

TEST_F(PaletteFiles, MissingStartPaletteIsMadeFromAReadOnlyBase) {
    putBase(attr::readOnly | attr::archive);
    ASSERT_TRUE(storage.loadStartPalette(doc, palette_select::all));
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(files.contents(start), startMadeFromBase());
    EXPECT_EQ(attributesOf(start), attr::archive);
    EXPECT_EQ(attributesOf(base), attr::readOnly | attr::archive);
    EXPECT_EQ(doc.palette(), basePalette);
}

TEST_F(PaletteFiles, BrokenStartPaletteIsReplaced) {
    putBase();
    const auto good = encodePaletteFile(samplePalette(2), PaletteKind::start);
    auto shorter = good, longer = good, baseMagic = good;
    shorter.pop_back();
    longer.push_back(0);
    baseMagic[1] = 'B';
    for (const auto& broken : {shorter, longer, baseMagic}) {
        files.putFile(start, broken);
        doc.palette() = current;
        // Asked for one half, the rebuilt palette is read whole.
        ASSERT_TRUE(storage.loadStartPalette(doc, palette_select::rooms)) << broken.size();
        EXPECT_EQ(files.contents(start), startMadeFromBase());
        EXPECT_EQ(doc.palette(), basePalette);
    }
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(PaletteFiles, GoodStartPaletteIsReadWithTheSelectionAndKept) {
    putBase();
    const MarkPalette stored = samplePalette(2);
    const auto bytes = encodePaletteFile(stored, PaletteKind::start);
    files.putFile(start, bytes);

    ASSERT_TRUE(storage.loadStartPalette(doc, palette_select::walls));
    EXPECT_EQ(doc.palette().backgrounds, stored.backgrounds);
    EXPECT_EQ(doc.palette().walls, stored.walls);
    EXPECT_EQ(doc.palette().rooms, current.rooms);

    doc.palette() = current;
    ASSERT_TRUE(storage.loadStartPalette(doc, palette_select::rooms));
    EXPECT_EQ(doc.palette().walls, current.walls);
    EXPECT_EQ(doc.palette().rooms, stored.rooms);
    EXPECT_FALSE(doc.palette().rooms[2].registered);

    ASSERT_TRUE(storage.loadStartPalette(doc, palette_select::all));
    EXPECT_EQ(doc.palette(), stored);
    EXPECT_EQ(files.contents(start), bytes);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(PaletteFiles, BasePaletteMessages) {
    EXPECT_FALSE(storage.loadBasePalette(doc, palette_select::all));
    expectOneWarning(fileErrorText(FileCause::fileNotFound, base));

    auto bytes = encodePaletteFile(basePalette, PaletteKind::base);
    bytes.push_back(0);
    files.putFile(base, bytes);
    EXPECT_FALSE(storage.loadBasePalette(doc, palette_select::all));
    expectOneWarning(with(badFormat, base));

    files.putFile(base, encodePaletteFile(basePalette, PaletteKind::start));
    EXPECT_FALSE(storage.loadBasePalette(doc, palette_select::all));
    expectOneWarning(with(badFormat, base));
    EXPECT_EQ(doc.palette(), current);

    putBase();
    ASSERT_TRUE(storage.loadBasePalette(doc, palette_select::rooms));
    EXPECT_EQ(doc.palette().rooms, basePalette.rooms);
    EXPECT_EQ(doc.palette().walls, current.walls);
    EXPECT_TRUE(prompter.shown.empty());

    MapDocument noPaths;
    EXPECT_FALSE(storage.loadBasePalette(noPaths, palette_select::all));
    EXPECT_FALSE(storage.loadStartPalette(noPaths, palette_select::all));
    EXPECT_FALSE(storage.createStartPalette(noPaths, true));
    EXPECT_FALSE(storage.saveStartPalette(noPaths));
    EXPECT_TRUE(prompter.shown.empty()) << "no paths: fail silently";
}

TEST_F(PaletteFiles, BaseSlotsWithOtherHeadersAreConverted) {
    auto bytes = encodePaletteFile(basePalette, PaletteKind::base);
    std::uint8_t* header = bytes.data() + 32 + pl::roomsOffset + 4;
    header[14] = 8; // an 8-bit picture with its colour table
    files.putFile(base, bytes);
    ASSERT_TRUE(storage.loadBasePalette(doc, palette_select::all));
    ASSERT_EQ(converter.calls.size(), 1u);
    EXPECT_TRUE(doc.palette().rooms[0].registered);
    EXPECT_EQ(doc.palette().rooms[1], basePalette.rooms[1]);
}

TEST_F(PaletteFiles, CreateMessages) {
    EXPECT_FALSE(storage.createStartPalette(doc, true));
    expectOneWarning(with(baseMissing, base));

    files.putFile(base, std::vector<std::uint8_t>(pl::fileSize - 1));
    EXPECT_FALSE(storage.createStartPalette(doc, true));
    expectOneWarning(with(baseBroken, base));
    EXPECT_FALSE(files.hasFile(start));

    putBase();
    files.putFile(start, std::vector<std::uint8_t>{1, 2, 3}, attr::readOnly);
    EXPECT_FALSE(storage.loadStartPalette(doc, palette_select::all));
    expectOneWarning(cannotCopy);
    EXPECT_EQ(files.contents(start), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(doc.palette(), current);

    files.setAttributes(start, attr::archive);
    ASSERT_TRUE(storage.createStartPalette(doc, false));
    EXPECT_EQ(files.contents(start), startMadeFromBase());
    EXPECT_EQ(doc.palette(), current) << "without the load flag the document keeps its palette";
}

// Every file call of making and reading a new start palette fails once in turn.
TEST_F(PaletteFiles, FailedCreationLeavesPaletteWholeAndNoHalfMadeFile) {
    std::vector<std::string> seen;
    for (long n = 0;; ++n) {
        putBase(attr::readOnly);
        files.remove(start);                                 // fails harmlessly when absent
        files.putFile(start, std::vector<std::uint8_t>(10)); // broken: to be replaced
        doc.palette() = current;
        const long before = files.operationCount();
        files.failAt(n, FileCause::hardIO);
        const bool ok = storage.loadStartPalette(doc, palette_select::all);
        test::disarm(files);
        if (ok && files.operationCount() - before <= n)
            break; // the failure point lies beyond the last call
        if (ok) {
            EXPECT_EQ(doc.palette(), basePalette) << n;
        } else {
            EXPECT_EQ(doc.palette(), current) << n;
            ASSERT_EQ(prompter.shown.size(), 1u) << n;
            seen.push_back(prompter.shown[0].text);
        }
        if (files.hasFile(start)) {
            EXPECT_TRUE(files.contents(start) == startMadeFromBase() ||
                        files.contents(start) == std::vector<std::uint8_t>(10))
                << n;
        }
        EXPECT_FALSE(files.hasFile(start) && attributesOf(start) & attr::readOnly) << n;
        prompter.shown.clear();
    }
    for (const std::string& text : seen)
        EXPECT_TRUE(text == with(baseMissing, base) || text == fileErrorText(FileCause::hardIO, base) ||
                    text == cannotCopy || text == with(cannotWrite, start) ||
                    text == fileErrorText(FileCause::hardIO, start) || text == with(cannotRead, start))
            << text;
    EXPECT_NE(std::find(seen.begin(), seen.end(), cannotCopy), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), with(cannotWrite, start)), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), fileErrorText(FileCause::hardIO, start)), seen.end());
}

TEST_F(PaletteFiles, StartPaletteThatFailsToReadIsNeverReplaced) {
    putBase();
    const auto bytes = encodePaletteFile(samplePalette(2), PaletteKind::start);
    for (long n = 0;; ++n) {
        files.putFile(start, bytes);
        doc.palette() = current;
        const long before = files.operationCount();
        files.failAt(n, FileCause::sharingViolation);
        const bool ok = storage.loadStartPalette(doc, palette_select::all);
        test::disarm(files);
        if (ok && files.operationCount() - before <= n)
            break;
        EXPECT_EQ(files.contents(start), bytes) << n;
        if (!ok) {
            EXPECT_EQ(doc.palette(), current) << n;
            expectOneWarning(fileErrorText(FileCause::sharingViolation, start));
        }
    }
}

TEST_F(PaletteFiles, SavedStartPaletteReadsBack) {
    files.putFile(start, encodePaletteFile(basePalette, PaletteKind::start));
    ASSERT_TRUE(storage.saveStartPalette(doc));
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(files.contents(start), encodePaletteFile(current, PaletteKind::start));
    EXPECT_FALSE(files.hasFile(backup));

    MapDocument other;
    other.setPalettePaths(start, base);
    ASSERT_TRUE(storage.loadStartPalette(other, palette_select::all));
    EXPECT_EQ(other.palette(), current);
}

TEST_F(PaletteFiles, SavingOverAReadOnlyStartPaletteKeepsItAndLeavesNoBackup) {
    const auto old = encodePaletteFile(basePalette, PaletteKind::start);
    files.putFile(start, old, attr::readOnly | attr::archive);
    EXPECT_FALSE(storage.saveStartPalette(doc));
    expectOneWarning(fileErrorText(FileCause::accessDenied, start));
    EXPECT_EQ(files.contents(start), old);
    EXPECT_EQ(attributesOf(start), attr::readOnly | attr::archive);
    EXPECT_FALSE(files.hasFile(backup));
}

TEST_F(PaletteFiles, FailedSaveKeepsTheOldFileAtEveryStep) {
    const auto old = encodePaletteFile(basePalette, PaletteKind::start);
    const auto saved = encodePaletteFile(current, PaletteKind::start);
    for (bool hadFile : {true, false}) {
        bool sawCannotSave = false;
        for (long n = 0;; ++n) {
            files.remove(start);
            if (hadFile)
                files.putFile(start, old);
            const long before = files.operationCount();
            files.failAt(n, FileCause::diskFull);
            const bool ok = storage.saveStartPalette(doc);
            test::disarm(files);
            if (ok && files.operationCount() - before <= n)
                break;
            if (ok) {
                EXPECT_EQ(files.contents(start), saved) << n; // only the backup's removal failed
                files.remove(backup);
                continue;
            }
            EXPECT_EQ(files.hasFile(start), hadFile) << n;
            if (hadFile) {
                EXPECT_EQ(files.contents(start), old) << n;
            }
            EXPECT_FALSE(files.hasFile(backup)) << n;
            ASSERT_EQ(prompter.shown.size(), 1u);
            const std::string& text = prompter.shown[0].text;
            EXPECT_TRUE(text == fileErrorText(FileCause::diskFull, start) ||
                        text == fileErrorText(FileCause::diskFull, backup))
                << text;
            sawCannotSave |= text == fileErrorText(FileCause::diskFull, start);
            prompter.shown.clear();
        }
        EXPECT_TRUE(sawCannotSave);
    }
    EXPECT_EQ(doc.palette(), current);
}

// A map file: a header, the block, then the cells, which must still be found after the block.
TEST_F(PaletteFiles, BlockReadEndsJustPastTheBlockAndFailsWhole) {
    const MarkPalette stored = samplePalette(4);
    std::vector<std::uint8_t> bytes(32, 0xEE);
    const auto block = encodePaletteBlock(stored);
    bytes.insert(bytes.end(), block.begin(), block.end());
    for (std::uint8_t cell : {1, 2, 3, 4})
        bytes.push_back(cell);
    files.putFile(u"C:\\map.MED", bytes);

    for (unsigned selection : {0u, palette_select::walls, palette_select::all}) {
        FileCause cause = FileCause::generic;
        auto file = files.open(u"C:\\map.MED", OpenMode::read, cause);
        ASSERT_EQ(file->seek(32), FileCause::none);
        MarkPalette palette = current;
        ASSERT_TRUE(storage.readPaletteBlock(*file, selection, palette, cause));
        EXPECT_EQ(cause, FileCause::none);
        EXPECT_EQ(palette.backgrounds, stored.backgrounds);
        EXPECT_EQ(palette.walls, selection & palette_select::walls ? stored.walls : current.walls);
        EXPECT_EQ(palette.rooms, selection & palette_select::rooms ? stored.rooms : current.rooms);
        std::uint8_t cells[4] = {};
        ASSERT_EQ(file->readExact(cells, 4), FileCause::none) << selection;
        EXPECT_EQ(cells[3], 4);
    }

    // Cut inside the wall records, and a file error in the room section: nothing taken.
    files.putFile(u"C:\\cut.MED", std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 32 + 300));
    for (const char16_t* name : {u"C:\\cut.MED", u"C:\\map.MED"}) {
        FileCause cause = FileCause::none;
        auto file = files.open(name, OpenMode::read, cause);
        file->seek(32);
        files.failAt(1, FileCause::hardIO); // the second read
        MarkPalette palette = current;
        EXPECT_FALSE(storage.readPaletteBlock(*file, palette_select::all, palette, cause))
            << FilePath(name).text();
        EXPECT_EQ(palette, current) << FilePath(name).text();
        EXPECT_EQ(cause, std::u16string_view(name) == u"C:\\cut.MED" ? FileCause::none : FileCause::hardIO);
        test::disarm(files);
    }
}

// Runs a nested call from inside the first message, as a message loop could.
class ReenteringPrompter : public Prompter {
public:
    int showMessage(const std::string& text, unsigned) override {
        shown.push_back(text);
        if (shown.size() == 1 && nested)
            nested();
        return msg::idOk;
    }
    std::vector<std::string> shown;
    std::function<void()> nested;
};

TEST_F(PaletteFiles, ACallWhileTheSameOperationRunsDoesNothing) {
    {
        ReenteringPrompter prompts;
        PaletteStorage busy(files, prompts);
        bool inner = false;
        prompts.nested = [&] { inner = busy.loadBasePalette(doc, palette_select::all); };
        EXPECT_FALSE(busy.loadBasePalette(doc, palette_select::all));
        EXPECT_TRUE(inner);
        EXPECT_EQ(prompts.shown.size(), 1u);
    }
    const auto old = encodePaletteFile(basePalette, PaletteKind::start);
    files.putFile(start, old, attr::readOnly);
    ReenteringPrompter prompts;
    PaletteStorage busy(files, prompts);
    bool inner = false;
    prompts.nested = [&] {
        files.setAttributes(start, attr::archive);
        inner = busy.saveStartPalette(doc);
    };
    EXPECT_FALSE(busy.saveStartPalette(doc));
    EXPECT_TRUE(inner);
    EXPECT_EQ(files.contents(start), old) << "the nested save wrote nothing";
    EXPECT_EQ(prompts.shown.size(), 1u);
}

} // namespace
} // namespace tav
