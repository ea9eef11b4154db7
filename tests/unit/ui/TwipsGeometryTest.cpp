#include "ui/TwipsGeometry.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <limits>

namespace quorix::ui {
namespace {

TEST(TwipsGeometry, TwipsPerPixelIs1440OverDpiTruncated) {
    for (const auto& [dpi, twips] :
         {std::pair{96, 15}, {120, 12}, {144, 10}, {192, 7}, {0, 15}, {5000, 1}}) {
        EXPECT_EQ(TwipsGeometry::TwipsPerPixelForDpi(dpi), twips) << dpi;
    }
}

// Twips go to the nearest whole pixel, halves to even, and read back from the pixel.
TEST(TwipsGeometry, ValuesReadBackAsWholePixels) {
    const TwipsGeometry fifteen(15, 15);
    QWidget widget;
    fifteen.place(widget, 1000, 22.5, 7.5, 37.5);
    EXPECT_EQ(widget.geometry(), QRect(67, 2, 0, 2));
    EXPECT_EQ(fifteen.left(widget), 1005);
    EXPECT_EQ(fifteen.height(widget), 30);
    fifteen.setLeft(widget, -22.5); // -1.5 px -> -2
    fifteen.setTop(widget, -7.5);   // -0.5 px -> 0
    EXPECT_EQ(fifteen.left(widget), -30);
    EXPECT_EQ(fifteen.top(widget), 0);

    const TwipsGeometry twelve(12, 12);
    twelve.place(widget, 1000, 18, 30, 3645);
    EXPECT_EQ(widget.geometry(), QRect(83, 2, 2, 304));
    EXPECT_EQ(twelve.height(widget), 3648);

    // Sizes never go negative, and what is not a number gives nothing.
    fifteen.setWidth(widget, -300);
    fifteen.setHeight(widget, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(widget.size(), QSize(0, 0));
    fifteen.setLeft(widget, std::numeric_limits<double>::infinity());
    EXPECT_EQ(widget.x(), QWIDGETSIZE_MAX);
}

} // namespace
} // namespace quorix::ui
