// The editor's rules as data; the window test checks that the controls follow them.
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

// Every swatch given a colour of its own, every box checked, both marks shaped.
WallMarkDraft busyDraft() {
    WallMarkDraft draft;
    draft.load(record(1, 0x000011, 3, 0x000022, 0x000033, 9, 0x000044, 0x000055));
    return draft;
}

TEST(WallMarkDraft, LoadingShowsOnlyWhatARecordSetsAndKeepsTheOtherSwatches) {
    WallMarkDraft draft = busyDraft();
    draft.load(record(1, 0x123456, 4, 0x1, 0x2, 5, 0x3, 0x4, 0)); // unregistered
    EXPECT_EQ(draft.working(), record(0, none, 0, none, none, 0, none, none, 0));
    EXPECT_FALSE(draft.checked(Colour::backFrame));
    EXPECT_EQ(draft.swatch(Colour::line), 0x000011u);

    // A stray high byte is dropped; a shape code from a damaged file shows as none.
    draft.load(record(0, 0x999999, 13, 0x1, 0x2, 12, none, 0x01020304));
    EXPECT_FALSE(draft.enabled(Colour::line));
    EXPECT_EQ(draft.swatch(Colour::line), 0x000011u);
    EXPECT_EQ(draft.shape(Mark::back), 0);
    EXPECT_FALSE(draft.checked(Colour::frontFrame));
    EXPECT_EQ(draft.swatch(Colour::frontFrame), 0x000044u);
    EXPECT_EQ(draft.working(), record(0, none, 0, none, none, 12, none, 0x020304));
}

TEST(WallMarkDraft, ShapeNoneAndBackKeepsTheBoxesAndTakesTheSwatchColours) {
    WallMarkDraft draft = busyDraft();
    draft.setChecked(Colour::frontFill, false);
    draft.setShape(Mark::front, 0);
    EXPECT_EQ(draft.working(), record(1, 0x000011, 3, 0x000022, 0x000033, 0, none, none));
    EXPECT_FALSE(draft.enabled(Colour::frontFrame));
    draft.setSwatch(Colour::frontFrame, 0xFF0A0B0C);
    draft.setShape(Mark::front, 8);
    EXPECT_EQ(draft.working(), record(1, 0x000011, 3, 0x000022, 0x000033, 8, 0x0A0B0C, none));
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
    EXPECT_EQ(draft.result(), record(0, none, 0, none, none, 0, none, none, 0));
    draft.setShape(Mark::front, 11);
    EXPECT_EQ(draft.result(), record(0, 0, 0, none, none, 11, 0x000044, 0x000055));
}

} // namespace
} // namespace tav::wall_edit
