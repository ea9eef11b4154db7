#include "menu/MenuLayout.h"

#include <gtest/gtest.h>

namespace quorix {
namespace {

TEST(MenuLayout, FourLinesOfHeight600AreCentredInA9000TwipArea) {
    const std::int32_t pitch = LinePitch(600, 1.5F);
    EXPECT_EQ(pitch, 900);
    const std::int32_t top = MenuTop(9000, 4, pitch);
    EXPECT_EQ(top, 2700);
    EXPECT_EQ(AutomaticTop(0, pitch, top, 15), 2700);
    EXPECT_EQ(AutomaticTop(1, pitch, top, 15), 3600);
    EXPECT_EQ(AutomaticTop(2, pitch, top, 15), 4500);
    EXPECT_EQ(AutomaticTop(3, pitch, top, 15), 5400);
}

TEST(MenuLayout, WholeNumbersRoundHalvesToEven) {
    EXPECT_EQ(LinePitch(15, 1.5F), 22); // 22.5
    EXPECT_EQ(LinePitch(25, 1.5F), 38); // 37.5
    EXPECT_EQ(LinePitch(600, 1.0F), 600);
    EXPECT_EQ(MenuTop(9001, 4, 900), 2700); // 2700.5
    EXPECT_EQ(MenuTop(9003, 4, 900), 2702); // 2701.5
    // 6000 - 1500.5 = 4499.5 gives 4500, exactly 300 pixels.
    EXPECT_EQ(AutomaticLeft(12000, 3001, 15), 4500);
    // 6000 - 1501.5 = 4498.5 gives 4498, then down to 299 pixels.
    EXPECT_EQ(AutomaticLeft(12000, 3003, 15), 4485);
}

TEST(MenuLayout, AutomaticPlacesSnapTowardZeroToWholePixels) {
    EXPECT_EQ(AutomaticTop(0, 900, 2714, 15), 2700);
    EXPECT_EQ(AutomaticTop(1, 900, 2714, 15), 3600);
    EXPECT_EQ(AutomaticTop(0, 900, 2714, 12), 2712);
    // An entry wider than the area: -157 twips is -10.47 pixels, and goes to -10, not -11.
    EXPECT_EQ(AutomaticLeft(1000, 1314, 15), -150);
    // A block taller than the area starts above it, also snapped toward zero.
    EXPECT_EQ(MenuTop(3000, 16, 900), -5700);
    EXPECT_EQ(AutomaticTop(0, 900, -5710, 15), -5700);
}

TEST(MenuLayout, ExplicitPlacesDivideTheAreaInThousandths) {
    EXPECT_FLOAT_EQ(ExplicitPosition(12000, 2000), 6000.0F);
    EXPECT_FLOAT_EQ(ExplicitPosition(9000, 4000), 2250.0F);
    EXPECT_FLOAT_EQ(ExplicitPosition(12000, 1000), 12000.0F);
    EXPECT_FLOAT_EQ(ExplicitPosition(9000, 7000), 9000.0F / 7.0F);
}

TEST(MenuLayout, HugeLineOffsetsStayInRange) {
    EXPECT_EQ(LinePitch(600, 1e30F), 2147483647);
    // 16 lines of the largest pitch: the product needs more than 32 bits.
    EXPECT_EQ(MenuTop(9000, 16, 2147483647), -2147483647 - 1);
}

} // namespace
} // namespace quorix
