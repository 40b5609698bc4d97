#include "model/marks/wall_mark_draft.h"

#include <gtest/gtest.h>

namespace tav::wall_edit {
namespace {

constexpr std::uint32_t none = noColour;

WallMarkRecord record(std::uint8_t line, std::uint32_t lineColour, std::uint8_t back, std::uint32_t backFrame,
                      std::uint32_t backFill, std::uint8_t front, std::uint32_t frontFrame,
                      std::uint32_t frontFill, std::uint8_t registered = 1) {
    return {lineColour, backFrame, backFill, frontFrame, frontFill, registered, line, back, front};
}

WallMarkRecord emptySlot() {
    return record(0, none, 0, none, none, 0, none, none, 0);
}

// Every swatch given a colour of its own, every box checked, both marks shaped.
WallMarkDraft busyDraft() {
    WallMarkDraft draft;
    draft.load(record(1, 0x000011, 3, 0x000022, 0x000033, 9, 0x000044, 0x000055));
    return draft;
}

TEST(WallMarkDraft, UnregisteredRecordResetsEverythingButTheSwatchColours) {
    WallMarkDraft draft = busyDraft();
    draft.load(record(1, 0x123456, 4, 0x1, 0x2, 5, 0x3, 0x4, 0));
    EXPECT_FALSE(draft.lineOn());
    EXPECT_EQ(draft.shape(Mark::back), 0);
    EXPECT_EQ(draft.shape(Mark::front), 0);
    for (Colour c :
         {Colour::line, Colour::backFrame, Colour::backFill, Colour::frontFrame, Colour::frontFill}) {
        EXPECT_FALSE(draft.checked(c));
        EXPECT_FALSE(draft.enabled(c));
    }
    EXPECT_EQ(draft.swatch(Colour::line), 0x000011u);
    EXPECT_EQ(draft.swatch(Colour::frontFill), 0x000055u);
    EXPECT_EQ(draft.working(), emptySlot());
}

TEST(WallMarkDraft, RegisteredRecordShowsItsSetColoursAndKeepsTheOtherSwatches) {
    WallMarkDraft draft = busyDraft();
    // Back: frame only, with a stray high byte; front: no shape, so its colours are not shown.
    draft.load(record(1, 0x00ABCDEF, 2, 0x01FF0000, none, 0, 0x777777, 0x888888));
    EXPECT_TRUE(draft.lineOn());
    EXPECT_EQ(draft.swatch(Colour::line), 0xABCDEFu);
    EXPECT_EQ(draft.shape(Mark::back), 2);
    EXPECT_TRUE(draft.checked(Colour::backFrame));
    EXPECT_EQ(draft.swatch(Colour::backFrame), 0xFF0000u);
    EXPECT_FALSE(draft.checked(Colour::backFill));
    EXPECT_EQ(draft.swatch(Colour::backFill), 0x000033u);
    EXPECT_TRUE(draft.enabled(Colour::backFill));
    EXPECT_FALSE(draft.checked(Colour::frontFrame));
    EXPECT_FALSE(draft.enabled(Colour::frontFrame));
    EXPECT_EQ(draft.swatch(Colour::frontFrame), 0x000044u);

    // Line off keeps the line swatch; a shape code from a damaged file shows as none.
    draft.load(record(0, 0x999999, 13, 0x1, 0x2, 12, none, 0x020304));
    EXPECT_FALSE(draft.lineOn());
    EXPECT_FALSE(draft.enabled(Colour::line));
    EXPECT_EQ(draft.swatch(Colour::line), 0xABCDEFu);
    EXPECT_EQ(draft.shape(Mark::back), 0);
    EXPECT_EQ(draft.shape(Mark::front), 12);
    EXPECT_EQ(draft.working(), record(0, none, 0, none, none, 12, none, 0x020304));
}

TEST(WallMarkDraft, BoxesAndShapesBringBackTheSwatchColours) {
    WallMarkDraft draft = busyDraft();
    draft.setChecked(Colour::backFill, false);
    EXPECT_EQ(draft.working().backFillColor, none);
    draft.setChecked(Colour::backFill, true);
    EXPECT_EQ(draft.working().backFillColor, 0x000033u);

    // No shape clears both colours; a shape again restores the boxes, the colours come from the swatches.
    draft.setChecked(Colour::frontFill, false);
    draft.setShape(Mark::front, 0);
    EXPECT_EQ(draft.working(), record(1, 0x000011, 3, 0x000022, 0x000033, 0, none, none));
    draft.setSwatch(Colour::frontFrame, 0xFF0A0B0C);
    draft.setShape(Mark::front, 8);
    EXPECT_EQ(draft.working(), record(1, 0x000011, 3, 0x000022, 0x000033, 8, 0x0A0B0C, none));

    draft.setLine(false);
    EXPECT_EQ(draft.working().lineColor, none);
    draft.setChecked(Colour::line, true);
    EXPECT_EQ(draft.working().lineColor, 0x000011u);
}

TEST(WallMarkDraft, ResultStartsFromZeroAndEmptiesAMarkWithNothingToDraw) {
    WallMarkDraft draft = busyDraft();
    draft.setLine(false);
    draft.setShape(Mark::front, 0);
    draft.setChecked(Colour::backFrame, false);
    draft.setChecked(Colour::backFill, false);
    // A back shape with no colours still makes a registered mark; the unused line colour stays 0.
    EXPECT_EQ(draft.result(), record(0, 0, 3, none, none, 0, none, none));

    draft.setShape(Mark::back, 0);
    EXPECT_EQ(draft.result(), emptySlot());

    draft.setShape(Mark::front, 11); // its boxes were left checked
    EXPECT_EQ(draft.result(), record(0, 0, 0, none, none, 11, 0x000044, 0x000055));

    draft.setShape(Mark::front, 0);
    draft.setLine(true);
    EXPECT_EQ(draft.result(), record(1, 0x000011, 0, none, none, 0, none, none));
}

} // namespace
} // namespace tav::wall_edit
