#include "model/app/settings_entries.h"

#include <gtest/gtest.h>

#include "model/document/undo_memory_note.h"

namespace tav {
namespace {

TEST(SettingsEntries, UndoDepthEntryCorrectsItself) {
    struct Case {
        const char* text;
        int depth;
        const char* replacement; // nullptr: the text stays
    };
    for (Case c : {Case{"16", 16, nullptr},
                   {"0", 0, nullptr},
                   {"255", 255, nullptr},
                   {"256", 255, "255"},
                   {"300", 255, "255"},
                   {"99999999999999", 255, "255"},
                   {"", 0, "0"},
                   {"-", 0, "0"},
                   {"-5", 0, "0"},
                   {"abc", 0, "0"},
                   {"0x10", 0, "0"},
                   {"\x82\x50\x82\x4f", 0, "0"}}) { // full-width "10"
        const entries::UndoDepthEntry entry = entries::readUndoDepthEntry(c.text);
        EXPECT_EQ(entry.depth, c.depth) << c.text;
        EXPECT_EQ(entry.replacement.has_value(), c.replacement != nullptr) << c.text;
        if (c.replacement && entry.replacement) {
            EXPECT_EQ(*entry.replacement, c.replacement) << c.text;
        }
    }
    EXPECT_NE(undoMemoryNote(entries::readUndoDepthEntry("300").depth).find("19921"), std::string::npos);
}

TEST(SettingsEntries, MapSideLimitsAndEntries) {
    EXPECT_EQ(entries::mapSideLimit(61, 80), 80);
    EXPECT_EQ(entries::mapSideLimit(61, 20), 61);
    EXPECT_EQ(entries::mapSideDigits(61), 2);
    EXPECT_EQ(entries::mapSideDigits(5), 2);
    EXPECT_EQ(entries::mapSideDigits(200), 3); // a limit of 200 must be typeable

    EXPECT_EQ(entries::mapSideEntry("80", 80), 80);
    EXPECT_EQ(entries::mapSideEntry(" 1", 80), 1);
    for (const char* bad : {"0", "81", "-1", "", "1a", "99999999999"})
        EXPECT_FALSE(entries::mapSideEntry(bad, 80).has_value()) << bad;

    EXPECT_EQ(entries::numberIn("12", 0, 9999, 7), 12);
    EXPECT_EQ(entries::numberIn("-12", 0, 9999, 7), 0);
    EXPECT_EQ(entries::numberIn("12345678901", 0, 9999, 7), 9999);
    EXPECT_EQ(entries::numberIn("x", 0, 9999, 7), 7);
}

TEST(SettingsEntries, RulerChoiceShowsOnlySaneValuesAndStoresThem) {
    RulerSettings stored{900, -7, 3, 5, -2, 0};
    entries::RulerChoice shown = entries::rulerChoiceOf(stored);
    EXPECT_EQ(shown, (entries::RulerChoice{0, 0, -7, true, false}));

    // The centre numbers from 0 whatever the edits held.
    shown.columnStart = 40;
    shown.rowStart = 41;
    RulerSettings centre = entries::rulerSettingsOf(shown, stored);
    EXPECT_EQ(centre.columnStart, 0);
    EXPECT_EQ(centre.rowStart, 0);
    EXPECT_EQ(centre.basePosition, 0);
    EXPECT_EQ(centre.columnStep, 1);
    EXPECT_EQ(centre.rowStep, -1);

    const RulerSettings corner = entries::rulerSettingsOf({2, 600, -501, false, true}, stored);
    EXPECT_EQ(corner, (RulerSettings{500, -500, 2, -1, 1, 0}));
    EXPECT_EQ(entries::rulerChoiceOf(corner), (entries::RulerChoice{2, 500, -500, false, true}));
}

} // namespace
} // namespace tav
