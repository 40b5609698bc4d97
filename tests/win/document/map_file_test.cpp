// Map files on the real disk through the Win32 file system.
#include "model/document/map_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "model/app/file_error_text.h"
#include "model/document/palette_storage.h"
#include "support/map_snapshot.h"
#include "support/program_run.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"
#include "win/platform/text.h"
#include "win/platform/win32_file_system.h"

namespace tav::win {
namespace {

void buildMap(MapDocument& doc, Prompter& prompter) {
    ASSERT_TRUE(doc.resize(9, 6, true));
    bool first = false;
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 9; ++c)
            for (int layer = 1; layer <= 4; ++layer)
                doc.setCell(c, r, layer, static_cast<std::uint8_t>(1 + (c * 3 + r * 11 + layer) % 20), first);
    doc.palette().walls[4] = {0x102030, noColour, 0x0000FF, noColour, 0x00FF00, 1, 1, 3, 7};
    doc.palette().rooms[6].registered = true;
    doc.palette().rooms[6].normalImage.pixels.fill(0x5C);
    doc.palette().rooms[6].wideImage.pixels.fill(0x81);
    doc.setRuler({5, -5, 1, -1, -1, 0});
    doc.setNewCommentRect({0, 0, 306, 204});
    doc.setCommentText(*doc.addComment(prompter), "表示\r\nソ", false);
    doc.setViewMode(true);
    doc.addComment(prompter);
    doc.setViewMode(false);
}

TEST(MapFile, SavesAndLoadsOnTheDiskAndRefusesAReadOnlyFile) {
    test::TempFolder folder(u"map");
    ASSERT_FALSE(folder.path().empty());
    Win32FileSystem files;
    test::RecordingPrompter prompter;
    PaletteStorage palettes(files, prompter);
    MapFileStorage storage(files, prompter, palettes);
    const FilePath path = folder.path() + u"map.MED";

    MapDocument doc;
    buildMap(doc, prompter);
    ASSERT_TRUE(storage.save(doc, path));
    const std::string bytes = test::readBytes(path);
    EXPECT_EQ(bytes.size(), 49832u + 4 * 54 + 4 + 2 * 78 + 8 + 38);
    EXPECT_FALSE(files.exists(path + u"bak"));

    MapDocument loaded;
    ASSERT_TRUE(storage.load(loaded, path, map_select::all));
    EXPECT_TRUE(test::MapSnapshot::of(loaded).sameMap(test::MapSnapshot::of(doc)));
    ASSERT_TRUE(storage.save(loaded, path)); // over the old file, through its backup
    EXPECT_EQ(test::readBytes(path), bytes);
    EXPECT_FALSE(files.exists(path + u"bak"));
    EXPECT_TRUE(prompter.shown.empty());

    ASSERT_TRUE(SetFileAttributesW(widen(path).c_str(), FILE_ATTRIBUTE_READONLY));
    doc.setRuler({});
    EXPECT_FALSE(storage.save(doc, path));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, fileErrorText(FileCause::accessDenied, path));
    EXPECT_EQ(test::readBytes(path), bytes);
    EXPECT_FALSE(files.exists(path + u"bak"));
    SetFileAttributesW(widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);

    prompter.shown.clear();
    EXPECT_FALSE(storage.load(loaded, folder.path() + u"none.MED", map_select::all));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, fileErrorText(FileCause::fileNotFound, folder.path() + u"none.MED"));
}

TEST(MapFile, ShippedSamplesLoadWithTheirWallsRoomsAndCallouts) {
    Win32FileSystem files;
    test::RecordingPrompter prompter;
    PaletteStorage palettes(files, prompter);
    MapFileStorage storage(files, prompter, palettes);
    struct Sample {
        const char16_t* name;
        int width, height, comments;
    };
    for (const Sample sample : {Sample{u"sample_dungeon.MED", 10, 10, 1}, Sample{u"sample_loop.MED", 8, 8, 1},
                                Sample{u"sample_town.MED", 12, 9, 4}}) {
        MapDocument doc;
        ASSERT_TRUE(storage.load(doc, test::builtProgramFolder() + u"DATA\\" + sample.name, map_select::all));
        EXPECT_EQ(doc.width(), sample.width);
        EXPECT_EQ(doc.height(), sample.height);
        EXPECT_EQ(doc.commentCount(), sample.comments);
        int walls = 0, rooms = 0;
        for (int r = 0; r < doc.height(); ++r)
            for (int c = 0; c < doc.width(); ++c) {
                walls += doc.cell(c, r).horizontalWall != 0;
                rooms += doc.cell(c, r).room != 0;
            }
        EXPECT_GT(walls, doc.width()) << "more than the closing border";
        EXPECT_GE(rooms, 3);
        EXPECT_TRUE(doc.palette().rooms[0].registered) << "the base palette's marks come with the map";
    }
    // The wrap-around floor leaves its edges open in places: a corridor goes out on one side and in on the
    // other.
    MapDocument loop;
    ASSERT_TRUE(storage.load(loop, test::builtProgramFolder() + u"DATA\\sample_loop.MED", map_select::all));
    EXPECT_EQ(loop.cell(0, 1).verticalWall, 0);
    EXPECT_EQ(loop.cell(1, 0).horizontalWall, 0);
    EXPECT_TRUE(prompter.shown.empty());
}

} // namespace
} // namespace tav::win
