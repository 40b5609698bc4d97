#include "model/marks/background_candidate_edit.h"

#include <gtest/gtest.h>

namespace tav::candidate {
namespace {

using scroll::Move;

TEST(CandidateEdit, ComponentBarStepsStayInsideTheRange) {
    EXPECT_EQ(scrolledComponent(240, Move::pageForward), 255);
    EXPECT_EQ(scrolledComponent(20, Move::pageBack), 0);
    EXPECT_EQ(scrolledComponent(100, Move::pageForward), 132);
    EXPECT_EQ(scrolledComponent(0, Move::lineBack), 0);
    EXPECT_EQ(scrolledComponent(255, Move::lineForward), 255);
    EXPECT_EQ(scrolledComponent(7, Move::lineBack), 6);
    EXPECT_EQ(scrolledComponent(90, Move::first), 0);
    EXPECT_EQ(scrolledComponent(90, Move::last), 255);
    EXPECT_EQ(scrolledComponent(90, Move::thumb, 17), 17);
    EXPECT_EQ(scrolledComponent(90, Move::thumb, 300), 255);
}

TEST(CandidateEdit, ReplacingAComponentKeepsTheOthersAndThePattern) {
    const std::uint32_t grid = pack(5, 0x123456);
    EXPECT_EQ(grid, 0x05123456u);
    EXPECT_EQ(withComponent(grid, Component::green, 0xAB), 0x0512AB56u);
    EXPECT_EQ(withComponent(grid, Component::blue, 255), 0x05FF3456u);
    EXPECT_EQ(withComponent(grid, Component::blue, 999), 0x05FF3456u);
    EXPECT_EQ(component(grid, Component::red), 0x56);
    EXPECT_EQ(component(grid, Component::blue), 0x12);
    EXPECT_EQ(pure(Component::green, 0x34), 0x003400u);
    EXPECT_EQ(pack(300, 0xFF123456), 0x2C123456u); // the pattern keeps its byte, the colour its 24 bits
}

TEST(CandidateEdit, UnknownPatternsShowTheSolidFillAndUnknownNumbersSelectTheFirst) {
    EXPECT_EQ(listPosition(10), 10);
    EXPECT_EQ(listPosition(11), 0);
    EXPECT_EQ(firstSelection(8, 8), 8);
    EXPECT_EQ(firstSelection(0, 8), 1);
    EXPECT_EQ(firstSelection(9, 8), 1);
}

} // namespace
} // namespace tav::candidate
