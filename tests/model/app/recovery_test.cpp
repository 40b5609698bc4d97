#include "model/app/recovery.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "model/document/map_document.h"
#include "model/document/map_file.h"
#include "model/document/palette_storage.h"
#include "support/map_snapshot.h"
#include "support/memory_file_system.h"
#include "support/recording_prompter.h"

namespace tav {
namespace {

using test::MapSnapshot;
using test::MemoryFileSystem;
using test::RecordingPrompter;

constexpr std::uint64_t seconds = 1000;
const LocalTime noon{2026, 12, 9, 12, 0, 5};
const LocalTime evening{2026, 12, 9, 18, 30, 0};

TEST(RecoverySchedule, DueAfterAnEditAtMostOncePerIntervalAndRetriedNoSooner) {
    RecoverySchedule schedule(60);
    EXPECT_FALSE(schedule.due(false, 1, 0)) << "nothing unsaved";
    EXPECT_TRUE(schedule.due(true, 1, 0)) << "the first edit is copied at once";
    schedule.attempted(1, 0, true);
    EXPECT_FALSE(schedule.due(true, 1, 600 * seconds)) << "no edit since the copy";
    EXPECT_FALSE(schedule.due(true, 2, 59 * seconds));
    EXPECT_TRUE(schedule.due(true, 2, 60 * seconds));
    // A failed write is not tried again before the interval is over, and then it is.
    schedule.attempted(2, 60 * seconds, false);
    EXPECT_FALSE(schedule.due(true, 2, 119 * seconds));
    EXPECT_TRUE(schedule.due(true, 2, 120 * seconds));

    RecoverySchedule off(0);
    EXPECT_FALSE(off.enabled());
    EXPECT_FALSE(off.due(true, 1, 0));
    EXPECT_FALSE(off.due(true, 2, 3600 * seconds));
}

TEST(RecoveryRecord, RoundTripsAnyPathAndRejectsWhatIsNotOneWholeRecord) {
    for (const FilePath& path : {FilePath(u"C:\\M\u00FCller\\\U0001F5FA \u5730\u56F3.MED"), FilePath()}) {
        const RecoveryRecord record{path, noon};
        RecoveryRecord back;
        ASSERT_TRUE(decodeRecoveryRecord(encodeRecoveryRecord(record), back));
        EXPECT_EQ(back, record);
    }
    const auto good = encodeRecoveryRecord({FilePath(u"C:\\a.MED"), noon});
    RecoveryRecord untouched{FilePath(u"keep"), evening};
    auto longer = good;
    longer.push_back(0);
    auto wrongLength = good;
    wrongLength[12] = 0xFF; // claims far more units than follow
    auto badMonth = good;
    badMonth[6] = 13;
    auto zeroUnit = good;
    zeroUnit[16] = zeroUnit[17] = 0;
    for (const auto& bad : {std::vector<std::uint8_t>(good.begin(), good.end() - 1), longer, wrongLength,
                            badMonth, zeroUnit, std::vector<std::uint8_t>(good.begin(), good.begin() + 5)}) {
        EXPECT_FALSE(decodeRecoveryRecord(bad, untouched));
        EXPECT_EQ(untouched.original, FilePath(u"keep"));
    }
    EXPECT_EQ(formatLocalTime(noon), "2026/12/09 12:00:05");
}

TEST(RecoveryRecord, StemNamesTheOwnerAndNothingElseParses) {
    const ProcessStamp owner{0x1A2B, 0x01DB4A5F12345678};
    EXPECT_EQ(recoveryStem(owner), u"00001A2B-01DB4A5F12345678");
    EXPECT_EQ(ownerOfStem(recoveryStem(owner)), owner);
    for (std::u16string_view other : {u"00001A2B-01DB4A5F1234567", u"00001a2b-01DB4A5F12345678",
                                      u"00001A2B_01DB4A5F12345678", u"", u"desktop"})
        EXPECT_FALSE(ownerOfStem(other).has_value());
}

// The processes the tests pretend are running.
class FakeProcesses : public Processes {
public:
    ProcessStamp self() override { return running.front(); }
    bool isRunning(const ProcessStamp& p) override {
        return std::find(running.begin(), running.end(), p) != running.end();
    }
    std::vector<ProcessStamp> running;
};

// One program folder on a disk shared by every copy of the program a test starts.
class RecoveryTest : public ::testing::Test {
protected:
    const FilePath program = u"C:\\prog\\";
    const FilePath folder = u"C:\\prog\\Recovery\\";
    const FilePath userMap = u"C:\\maps\\castle.MED";
    const ProcessStamp first{100, 5000};
    const ProcessStamp second{200, 6000};
    MemoryFileSystem files;
    RecordingPrompter prompter;
    PaletteStorage palettes{files, prompter};
    MapFileStorage mapFiles{files, prompter, palettes};
    FakeProcesses processes;

    void SetUp() override {
        files.addDirectory(program);
        files.addDirectory(u"C:\\maps\\");
    }
    // An edited map: cells, a comment area, a name.
    static void edit(MapDocument& doc, int column, const FilePath& name) {
        ASSERT_TRUE(doc.resize(9, 7, true));
        bool first = true;
        doc.setCell(column, 2, 3, 5, first);
        doc.setNewCommentRect({10, 10, 110, 60});
        RecordingPrompter quiet;
        ASSERT_NE(doc.addComment(quiet), nullptr);
        doc.setCurrentFileName(name);
    }
    std::size_t filesIn(const FilePath& f) {
        std::vector<std::u16string> names;
        files.listFiles(f, names);
        return names.size();
    }
};

TEST_F(RecoveryTest, CopyIsANormalMapFileBesideItsRecordAndTheUsersFileIsUntouched) {
    files.putFile(userMap, "the user's own bytes");
    MapDocument doc;
    edit(doc, 4, userMap);
    Recovery recovery(files, folder, first, 60);
    recovery.tick(doc, 0, noon);

    const std::vector<std::uint8_t> own = files.contents(userMap);
    EXPECT_EQ(std::string(own.begin(), own.end()), "the user's own bytes");
    // Byte for byte what saving the map writes.
    const FilePath saved = u"C:\\maps\\saved.MED";
    ASSERT_TRUE(mapFiles.save(doc, saved));
    EXPECT_EQ(files.contents(recovery.store().copyPath()), files.contents(saved));
    RecoveryRecord record;
    ASSERT_TRUE(decodeRecoveryRecord(files.contents(recovery.store().recordPath()), record));
    EXPECT_EQ(record, (RecoveryRecord{userMap, noon}));
    EXPECT_EQ(filesIn(folder), 2u) << "no part-written file is left";
    MapDocument loaded;
    ASSERT_TRUE(mapFiles.load(loaded, recovery.store().copyPath(), map_select::all));
    EXPECT_TRUE(MapSnapshot::of(loaded).sameMap(MapSnapshot::of(doc)));

    // Gone when the map is saved or replaced or the program ends.
    recovery.discard();
    EXPECT_EQ(filesIn(folder), 0u);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(RecoveryTest, AFolderThatCannotBeWrittenSaysNothingIsTriedOncePerIntervalAndSavingStillWorks) {
    MapDocument doc;
    edit(doc, 4, userMap);
    // A folder under a file: it can be neither made nor written into.
    files.putFile(u"C:\\prog\\blocked", "x");
    Recovery recovery(files, u"C:\\prog\\blocked\\Recovery\\", first, 60);
    recovery.tick(doc, 0, noon);
    EXPECT_FALSE(files.exists(recovery.store().copyPath()));
    const long operations = files.operationCount();
    for (std::uint64_t t = 1; t < 60; ++t)
        recovery.tick(doc, t * seconds, noon);
    EXPECT_EQ(files.operationCount(), operations) << "no try every tick";
    recovery.tick(doc, 60 * seconds, noon);
    EXPECT_GT(files.operationCount(), operations) << "tried again after the interval";

    EXPECT_TRUE(mapFiles.save(doc, userMap));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(RecoveryTest, LeftoversAreOnlyThoseOfProgramsNoLongerRunningAndAReusedIdIsNotAlive) {
    MapDocument doc;
    edit(doc, 1, userMap);
    const ProcessStamp reusedId{300, 7000};
    for (const ProcessStamp& owner : {first, second, reusedId})
        ASSERT_TRUE(RecoveryStore(files, folder, owner).write(doc, noon));
    // The second still runs; id 300 now belongs to a process started later.
    const ProcessStamp me{400, 9000};
    processes.running = {me, second, {300, 8000}};
    // A record that is not one, and one whose copy is gone.
    files.putFile(folder + recoveryStem({500, 1}) + u".own", "garbage");
    files.putFile(folder + recoveryStem({700, 1}) + u".own",
                  std::vector<std::uint8_t>(recovery_layout::maxSize + 2, 'T'));
    files.putFile(folder + recoveryStem({700, 1}) + u".MED", "ED00");
    files.putFile(folder + recoveryStem({600, 1}) + u".own", encodeRecoveryRecord({userMap, noon}));

    RecoveryStore store(files, folder, me);
    std::vector<RecoveryLeftover> found = store.leftovers(processes);
    std::vector<ProcessStamp> owners;
    for (const auto& leftover : found)
        owners.push_back(leftover.owner);
    std::sort(owners.begin(), owners.end(), [](auto& a, auto& b) { return a.id < b.id; });
    EXPECT_EQ(owners, (std::vector<ProcessStamp>{first, reusedId}));
    EXPECT_TRUE(files.hasFile(folder + recoveryStem({500, 1}) + u".own")) << "what cannot be read is left";
    EXPECT_FALSE(files.hasFile(folder + recoveryStem({600, 1}) + u".own")) << "a record of nothing goes";
}

TEST_F(RecoveryTest, TwoCopiesEndedByForceAreEachOfferedOnceAndNeverTakenFromARunningCopy) {
    MapDocument castle, tower;
    edit(castle, 1, userMap);
    edit(tower, 6, FilePath(u"C:\\maps\\tower.MED"));
    Recovery(files, folder, first, 60).tick(castle, 0, noon);
    Recovery(files, folder, second, 60).tick(tower, 0, evening);
    const MapSnapshot towerMap = MapSnapshot::of(tower);

    // Both have ended. The next start is asked about the newer one first and takes it.
    const ProcessStamp third{300, 7000};
    processes.running = {third};
    prompter.answers = {msg::idYes};
    Recovery restarted(files, folder, third, 60);
    const auto taken = restarted.offerLeftovers(processes, prompter);
    ASSERT_TRUE(taken.has_value());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].type, msg::yesNo | msg::iconQuestion);
    EXPECT_EQ(prompter.shown[0].text, leftoverQuestion({FilePath(u"C:\\maps\\tower.MED"), evening}));
    EXPECT_NE(prompter.shown[0].text.find("C:\\maps\\tower.MED"), std::string::npos);
    EXPECT_NE(prompter.shown[0].text.find("2026/12/09 18:30:00"), std::string::npos);

    // Restored: the edits and comment areas, modified, under the original name.
    MapDocument doc;
    ASSERT_TRUE(restarted.restore(doc, mapFiles, *taken, 0));
    EXPECT_TRUE(MapSnapshot::of(doc).sameMap(towerMap));
    EXPECT_EQ(doc.currentFileName(), FilePath(u"C:\\maps\\tower.MED"));
    EXPECT_TRUE(doc.isModified());
    EXPECT_TRUE(doc.hasFile());

    // A copy started beside it is offered only the other map; "いいえ" deletes that one.
    const ProcessStamp fourth{400, 8000};
    processes.running = {fourth, third};
    prompter.answers = {msg::idNo};
    Recovery beside(files, folder, fourth, 60);
    EXPECT_FALSE(beside.offerLeftovers(processes, prompter).has_value());
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_NE(prompter.shown[1].text.find("C:\\maps\\castle.MED"), std::string::npos);
    EXPECT_FALSE(Recovery(files, folder, {500, 1}, 60).offerLeftovers(processes, prompter).has_value());
    EXPECT_EQ(prompter.shown.size(), 2u) << "nothing is offered twice";
    EXPECT_EQ(filesIn(folder), 2u) << "only the running copy's files stay";
    EXPECT_TRUE(files.hasFile(restarted.store().copyPath()));
}

TEST_F(RecoveryTest, AMapNeverSavedIsRestoredWithoutANameAndAnUnreadableCopyIsDropped) {
    MapDocument untitled;
    edit(untitled, 2, FilePath());
    Recovery(files, folder, first, 60).tick(untitled, 0, noon);
    processes.running = {second};
    prompter.answers = {msg::idYes};
    Recovery restarted(files, folder, second, 60);
    const auto taken = restarted.offerLeftovers(processes, prompter);
    ASSERT_TRUE(taken.has_value());
    EXPECT_NE(prompter.shown.at(0).text.find("(名前のないマップ)"), std::string::npos);
    MapDocument doc;
    ASSERT_TRUE(restarted.restore(doc, mapFiles, *taken, 0));
    EXPECT_TRUE(doc.currentFileName().empty());
    EXPECT_FALSE(doc.hasFile());
    EXPECT_TRUE(doc.isModified());

    // A copy that no longer reads as a map: the loader says so, and the copy goes.
    files.putFile(restarted.store().copyPath(), "not a map");
    MapDocument other;
    EXPECT_FALSE(restarted.restore(other, mapFiles, *taken, 0));
    EXPECT_EQ(filesIn(folder), 0u);
}

} // namespace
} // namespace tav
