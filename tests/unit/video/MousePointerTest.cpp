#include "video/MousePointer.h"

#include "VideoFixture.h"

namespace quorix::testing {
namespace {

struct PointerCase {
    int startCount;
    std::vector<std::string> hide; // requests of HideMouse
    std::int32_t cursorCount;      // what HideMouse remembers
    std::vector<std::string> show; // requests of the ShowMouse after it
};

class MousePointerTest : public VideoFixture, public ::testing::WithParamInterface<PointerCase> {};

TEST_P(MousePointerTest, HideLeavesMinusOneAndShowGoesBackToTheCountFound) {
    const PointerCase& c = GetParam();
    while (pointer_.count() != c.startCount) {
        pointer_.showCursor(pointer_.count() < c.startCount);
    }
    newLines();

    HideMouse(program_);
    EXPECT_EQ(newLines(), c.hide);
    EXPECT_EQ(pointer_.count(), -1);
    EXPECT_EQ(program_.state.CursorCount, c.cursorCount);
    EXPECT_EQ(program_.state.CursorHidden, -1);

    ShowMouse(program_);
    EXPECT_EQ(newLines(), c.show);
    EXPECT_EQ(program_.state.CursorHidden, 0);
}

INSTANTIATE_TEST_SUITE_P(
    StartCounts, MousePointerTest,
    ::testing::Values(PointerCase{0, {"cursor hide -1"}, 0, {"cursor show 0"}},
                      PointerCase{2,
                                  {"cursor hide 1", "cursor hide 0", "cursor hide -1"},
                                  2,
                                  {"cursor show 0", "cursor show 1", "cursor show 2"}},
                      // A pointer hidden before comes back visible, at 0.
                      PointerCase{
                          -3,
                          {"cursor hide -4", "cursor show -3", "cursor show -2", "cursor show -1"},
                          0,
                          {"cursor show 0"}},
                      PointerCase{-1, {"cursor hide -2", "cursor show -1"}, 0, {"cursor show 0"}}));

TEST_F(VideoFixture, EachShowWithoutHideRaisesTheCountByOne) {
    ShowMouse(program_);
    ShowMouse(program_);
    EXPECT_EQ(newLines(), (std::vector<std::string>{"cursor show 1", "cursor show 2"}));
    // Hiding from 2 remembers 2; showing comes back to it.
    HideMouse(program_);
    ShowMouse(program_);
    EXPECT_EQ(pointer_.count(), 2);
}

} // namespace
} // namespace quorix::testing
