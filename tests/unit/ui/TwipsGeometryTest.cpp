#include "ui/TwipsGeometry.h"

#include <QWidget>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace quorix {
namespace {

TEST(TwipsGeometry, TwipsPerPixelIs1440OverDpiTruncated) {
    EXPECT_EQ(TwipsGeometry::TwipsPerPixelForDpi(96), 15);
    EXPECT_EQ(TwipsGeometry::TwipsPerPixelForDpi(120), 12);
    EXPECT_EQ(TwipsGeometry::TwipsPerPixelForDpi(144), 10);
    EXPECT_EQ(TwipsGeometry::TwipsPerPixelForDpi(192), 7);
    EXPECT_EQ(TwipsGeometry::TwipsPerPixelForDpi(0), 15);
    EXPECT_EQ(TwipsGeometry::TwipsPerPixelForDpi(5000), 1);
}

TEST(TwipsGeometry, ValuesReadBackAsWholePixelsAt15) {
    const TwipsGeometry twips(15, 15);
    QWidget widget;
    twips.place(widget, 1000, 22.5, 7.5, 37.5);
    EXPECT_EQ(twips.left(widget), 1005); // 66.67 px -> 67
    EXPECT_EQ(twips.top(widget), 30);    // 1.5 px -> 2
    EXPECT_EQ(twips.width(widget), 0);   // 0.5 px -> 0
    EXPECT_EQ(twips.height(widget), 30); // 2.5 px -> 2
    twips.setLeft(widget, -22.5);        // -1.5 px -> -2
    twips.setTop(widget, -7.5);          // -0.5 px -> 0
    EXPECT_EQ(twips.left(widget), -30);
    EXPECT_EQ(twips.top(widget), 0);

    // What was read back goes in and comes out unchanged.
    for (const double value : {0.0, 15.0, 4200.0, 3645.0, -75.0}) {
        twips.setLeft(widget, value);
        const auto once = twips.left(widget);
        twips.setLeft(widget, once);
        EXPECT_EQ(twips.left(widget), once);
        EXPECT_EQ(once, value);
    }
}

TEST(TwipsGeometry, ValuesReadBackAsWholePixelsAt12) {
    const TwipsGeometry twips(12, 12);
    QWidget widget;
    twips.place(widget, 1000, 18, 30, 3645);
    EXPECT_EQ(twips.left(widget), 996);    // 83.33 px -> 83
    EXPECT_EQ(twips.top(widget), 24);      // 1.5 px -> 2
    EXPECT_EQ(twips.width(widget), 24);    // 2.5 px -> 2
    EXPECT_EQ(twips.height(widget), 3648); // 303.75 px -> 304
    EXPECT_EQ(widget.geometry(), QRect(83, 2, 2, 304));
}

TEST(TwipsGeometry, SizesNeverGoNegativeAndNonNumbersGiveZero) {
    const TwipsGeometry twips(15, 15);
    QWidget widget;
    twips.place(widget, 150, 150, 300, 300);
    twips.setWidth(widget, -300);
    twips.setHeight(widget, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(widget.width(), 0);
    EXPECT_EQ(widget.height(), 0);
    twips.setLeft(widget, std::numeric_limits<double>::infinity());
    EXPECT_EQ(widget.x(), QWIDGETSIZE_MAX);
}

} // namespace
} // namespace quorix
