#include "model/marks/mark_history.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "history_samples.h"
#include "model/platform/cp932.h"
#include "support/memory_file_system.h"
#include "support/memory_settings.h"
#include "support/recording_prompter.h"

namespace tav {
namespace {

using test::Bytes;
using test::historyFile;
using test::roomBytes;
using test::roomFile;
using test::sampleRoom;
using test::sampleWall;
using test::wallBytes;

const std::string addFailed =
    "履歴ファイルの更新に失敗しました。\n作成したデータは履歴ファイルに登録されません。";
const std::string deleteFailed =
    "履歴ファイルの更新に失敗しました。\n削除指定したデータはファイルに反映されません。";
const std::string deleteAllFailed =
    "履歴ファイルの更新に失敗しました。\n削除指定したデータはファイルに反映されません。\n\n※ "
    "手動で削除する事ができます。\n　 下記のファイルを削除してください\n\n%s";

// Marks A, B, C... as wall records.
const WallMarkRecord A = sampleWall(1), B = sampleWall(2), C = sampleWall(3), D = sampleWall(4),
                     E = sampleWall(5), F = sampleWall(6);

Bytes walls(std::initializer_list<WallMarkRecord> records, long count = -1) {
    return test::wallFile(records, count);
}

// The file a first add makes: its reserved bytes are zero.
Bytes freshWalls(const WallMarkRecord& record) {
    Bytes file = walls({record});
    std::fill(file.begin() + 8, file.begin() + 32, 0);
    return file;
}

// The program folder holds a 0x5C trail byte, as "表" does in CP932.
class History : public ::testing::Test {
protected:
    void SetUp() override { files.addDirectory(folder); }
    void set(const char* key, int value) { settings.values[{"PROPERTY", key}] = std::to_string(value); }
    void expectNoMessage() { EXPECT_TRUE(prompter.shown.empty()); }
    void expectOneError(const std::string& text) {
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].text, text);
        EXPECT_EQ(prompter.shown[0].type, msg::ok | msg::iconError);
        prompter.shown.clear();
    }

    const FilePath folder = u"C:\\表示\\";
    const FilePath wallPath = folder + u"History.mhd";
    const FilePath roomPath = folder + u"History.mhb";
    const FilePath wallTemporary = wallPath + u".tmp";
    test::MemoryFileSystem files;
    test::MemorySettings settings;
    test::RecordingPrompter prompter;
    test::TouchingConverter converter;
    MarkHistory history{files, prompter, settings, folder, &converter};
};

TEST_F(History, ReadsOnlyWholeRecordsWhateverTheHeaderSays) {
    Bytes file = walls({A, B, C}, 5);
    file.resize(file.size() + 23); // most of a fourth record
    files.putFile(wallPath, file);
    EXPECT_EQ(history.count(HistoryKind::wall), 3u);
    EXPECT_EQ(history.wall(2), C);
    EXPECT_EQ(history.wall(3), std::nullopt);

    files.putFile(wallPath, walls({A, B, C}, 2));
    EXPECT_EQ(history.count(HistoryKind::wall), 2u);
    EXPECT_EQ(history.wall(1), B);
    EXPECT_EQ(history.wall(2), std::nullopt);

    // Missing, short and foreign files.
    files.remove(wallPath);
    EXPECT_EQ(history.count(HistoryKind::wall), 0u);
    const Bytes full = walls({A, B});
    for (const Bytes& file : {Bytes(full.begin(), full.begin() + 32), Bytes(full.begin(), full.begin() + 20),
                              historyFile("HB00", {wallBytes(A), wallBytes(B)})}) {
        files.putFile(wallPath, file);
        EXPECT_EQ(history.count(HistoryKind::wall), 0u);
        EXPECT_EQ(history.wall(0), std::nullopt);
    }
    expectNoMessage();
}

TEST_F(History, RoomEntriesReadBothPicturesAndABlankRecordReadsAsNothing) {
    const RoomMarkSlot first = sampleRoom(1), third = sampleRoom(3);
    files.putFile(roomPath, historyFile("HB00", {roomBytes(first), Bytes(2464), roomBytes(third)}));
    EXPECT_EQ(history.count(HistoryKind::room), 3u);
    EXPECT_EQ(history.room(0), first);
    EXPECT_EQ(history.room(1), std::nullopt);
    EXPECT_EQ(history.room(2), third);
}

TEST_F(History, FirstAddCreatesTheFileWithAZeroedHeader) {
    ASSERT_TRUE(history.addWall(A));
    EXPECT_EQ(files.contents(wallPath), freshWalls(A));

    RoomMarkSlot unregistered = sampleRoom(4);
    unregistered.registered = false; // the editor's pictures are stored whatever the flag says
    ASSERT_TRUE(history.addRoom(unregistered));
    EXPECT_EQ(files.contents(roomPath).size(), 32u + 2464u);
    EXPECT_EQ(history.room(0), sampleRoom(4));
    expectNoMessage();
}

TEST_F(History, FullHistoryDropsTheOldestOrTakesNothingByItsOrder) {
    set("HISTORYDMAX", 3);
    files.putFile(wallPath, walls({A, B, C}));
    ASSERT_TRUE(history.addWall(D));
    EXPECT_EQ(files.contents(wallPath), walls({B, C, D})) << "FIFO";
    EXPECT_FALSE(files.hasFile(wallTemporary));

    set("HISTORYADD", 1);
    files.putFile(wallPath, walls({A, B, C}));
    ASSERT_TRUE(history.addWall(D));
    EXPECT_EQ(files.contents(wallPath), walls({A, B, C})) << "FILO";

    // A limit lowered below what the file holds drops all the excess at once.
    set("HISTORYADD", 0);
    set("HISTORYDMAX", 2);
    files.putFile(wallPath, walls({A, B, C, D, E}));
    ASSERT_TRUE(history.addWall(F));
    EXPECT_EQ(files.contents(wallPath), walls({E, F}));
    expectNoMessage();
}

TEST_F(History, ForbiddenDuplicatesGoButLeaveTheCountToTheRecordsPresent) {
    set("HISTORYDMAX", 3);
    files.putFile(wallPath, walls({A, B, A}));
    ASSERT_TRUE(history.addWall(A));
    EXPECT_EQ(files.contents(wallPath), walls({B, A}, 3));
    EXPECT_EQ(history.count(HistoryKind::wall), 2u);

    set("HISTORYOVERLAP", 1);
    set("HISTORYDMAX", 5);
    files.putFile(wallPath, walls({A, B}));
    ASSERT_TRUE(history.addWall(A));
    EXPECT_EQ(files.contents(wallPath), walls({A, B, A}));

    // Room records compare all their bytes: a mark differing in the wide picture only stays.
    set("HISTORYOVERLAP", 0);
    RoomMarkSlot other = sampleRoom(1);
    other.wideImage.pixels[719] ^= 1;
    files.putFile(roomPath, roomFile({sampleRoom(1), other}));
    ASSERT_TRUE(history.addRoom(sampleRoom(1)));
    EXPECT_EQ(files.contents(roomPath), roomFile({other, sampleRoom(1)}, 3));
}

TEST_F(History, LimitZeroDeletesTheFileAndReportsSuccess) {
    set("HISTORYDMAX", 0);
    files.putFile(wallPath, walls({A, B}));
    files.putFile(roomPath, roomFile({sampleRoom(1)}));
    EXPECT_TRUE(history.addWall(C));
    EXPECT_FALSE(files.hasFile(wallPath));
    EXPECT_TRUE(history.addWall(C)) << "already gone";
    EXPECT_TRUE(files.hasFile(roomPath));
    expectNoMessage();
}

TEST_F(History, AddKeepsFilesItCannotReadAndTakesAHeaderOnlyFileAsEmpty) {
    const Bytes full = walls({A});
    for (const Bytes& file : {Bytes(full.begin(), full.begin() + 31), historyFile("HB00", {wallBytes(A)})}) {
        files.putFile(wallPath, file);
        EXPECT_FALSE(history.addWall(B));
        expectOneError(addFailed);
        EXPECT_EQ(files.contents(wallPath), file);
    }
    // What deleting every entry one by one leaves behind.
    files.putFile(wallPath, walls({}));
    ASSERT_TRUE(history.addWall(B));
    EXPECT_EQ(files.contents(wallPath), walls({B}));

    // A file that exists but cannot be opened now is not made anew over the entries it holds.
    files.putFile(wallPath, walls({A, C}));
    files.failAt(0, FileCause::sharingViolation);
    EXPECT_FALSE(history.addWall(B));
    expectOneError(addFailed);
    EXPECT_EQ(files.contents(wallPath), walls({A, C}));
}

// Every file call of an add fails once in turn: the history keeps what it held and no file is left over.
TEST_F(History, FailedAddKeepsTheOldFile) {
    set("HISTORYDMAX", 3);
    for (bool exists : {true, false}) {
        for (long n = 0;; ++n) {
            files.remove(wallPath);
            if (exists)
                files.putFile(wallPath, walls({A, B, C}));
            const long before = files.operationCount();
            files.failAt(n, FileCause::diskFull);
            const bool ok = history.addWall(D);
            test::disarm(files);
            const bool reached = files.operationCount() - before > n;
            if (ok) {
                EXPECT_EQ(files.contents(wallPath), exists ? walls({B, C, D}) : freshWalls(D)) << n;
                expectNoMessage();
            } else {
                EXPECT_EQ(files.hasFile(wallPath), exists) << n;
                if (exists) {
                    EXPECT_EQ(files.contents(wallPath), walls({A, B, C})) << n;
                }
                expectOneError(addFailed);
            }
            EXPECT_FALSE(files.hasFile(wallTemporary)) << n;
            if (!reached) {
                EXPECT_TRUE(ok);
                break;
            }
        }
    }
}

TEST_F(History, DeletingEntriesKeepsTheRestInOrder) {
    files.putFile(wallPath, walls({A, B, C, D, E}));
    const std::size_t picked[] = {2, 0, 2, 9}; // repeated and past the end: ignored
    ASSERT_TRUE(history.deleteEntries(HistoryKind::wall, picked));
    EXPECT_EQ(files.contents(wallPath), walls({B, D, E}));
    EXPECT_FALSE(files.hasFile(wallTemporary));

    // Room records are copied one by one, from the records present only.
    Bytes rooms = roomFile({sampleRoom(1), sampleRoom(2)}, 7);
    rooms.resize(rooms.size() + 100);
    files.putFile(roomPath, rooms);
    const std::size_t first[] = {0};
    ASSERT_TRUE(history.deleteEntries(HistoryKind::room, first));
    EXPECT_EQ(files.contents(roomPath), roomFile({sampleRoom(2)}));
    expectNoMessage();
}

TEST_F(History, FailedDeleteKeepsTheOldFile) {
    const std::size_t picked[] = {1, 3};
    for (long n = 0;; ++n) {
        files.putFile(wallPath, walls({A, B, C, D, E}));
        const long before = files.operationCount();
        files.failAt(n, FileCause::hardIO);
        const bool ok = history.deleteEntries(HistoryKind::wall, picked);
        test::disarm(files);
        const bool reached = files.operationCount() - before > n;
        if (ok) {
            EXPECT_EQ(files.contents(wallPath), walls({A, C, E})) << n;
            expectNoMessage();
        } else {
            EXPECT_EQ(files.contents(wallPath), walls({A, B, C, D, E})) << n;
            expectOneError(deleteFailed);
        }
        EXPECT_FALSE(files.hasFile(wallTemporary)) << n;
        if (!reached) {
            EXPECT_TRUE(ok);
            break;
        }
    }
}

TEST_F(History, DeleteAllRemovesTheFileOrNamesItForTheUser) {
    files.putFile(wallPath, walls({A}));
    EXPECT_TRUE(history.deleteAll(HistoryKind::wall));
    EXPECT_FALSE(files.hasFile(wallPath));
    EXPECT_TRUE(history.deleteAll(HistoryKind::wall)) << "nothing left to delete";
    expectNoMessage();

    files.putFile(roomPath, historyFile("HB00", {}), attr::readOnly);
    EXPECT_FALSE(history.deleteAll(HistoryKind::room));
    expectOneError(cp932::formatWith(deleteAllFailed, roomPath.text()));
    EXPECT_TRUE(files.hasFile(roomPath));
}

} // namespace
} // namespace tav
