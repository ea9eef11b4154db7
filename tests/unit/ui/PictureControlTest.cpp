#include "ui/PictureControl.h"

#include <QPixmap>
#include <gtest/gtest.h>

namespace quorix {
namespace {

QPixmap Filled(int width, int height, Qt::GlobalColor colour) {
    QPixmap pixmap(width, height);
    pixmap.fill(colour);
    return pixmap;
}

TEST(PictureControl, ReportsThePictureSizeInTwipsAndTakesItsSize) {
    PictureControl at15(TwipsGeometry(15, 15), nullptr);
    EXPECT_EQ(at15.pictureWidthTwips(), 0);
    at15.setPicture(Filled(300, 250, Qt::red));
    EXPECT_EQ(at15.pictureWidthTwips(), 4500);
    EXPECT_EQ(at15.pictureHeightTwips(), 3750);
    EXPECT_EQ(at15.size(), QSize(300, 250));

    PictureControl at12(TwipsGeometry(12, 12), nullptr);
    at12.setPicture(Filled(20, 27, Qt::red));
    EXPECT_EQ(at12.pictureWidthTwips(), 240);
    EXPECT_EQ(at12.pictureHeightTwips(), 324);

    // An empty picture empties the control but keeps its place.
    at15.setPicture(QPixmap());
    EXPECT_EQ(at15.pictureWidthTwips(), 0);
    EXPECT_EQ(at15.size(), QSize(300, 250));
}

TEST(PictureControl, AssigningAnotherControlsPictureCopiesIt) {
    PictureControl normal(TwipsGeometry(15, 15), nullptr);
    PictureControl button(TwipsGeometry(15, 15), nullptr);
    normal.setPicture(Filled(20, 27, Qt::gray));
    button.setPicture(Filled(20, 27, Qt::white));

    button.setPicture(normal.picture());
    EXPECT_EQ(button.picture().toImage(), normal.picture().toImage());

    // The copy is the button's own: a new picture on the source leaves it alone.
    normal.setPicture(Filled(20, 27, Qt::black));
    EXPECT_EQ(button.picture().toImage().pixelColor(5, 5), QColor(Qt::gray));
}

} // namespace
} // namespace quorix
