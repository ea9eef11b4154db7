#include "ui/DesignPictures.h"

#include <QImage>
#include <gtest/gtest.h>

namespace quorix {
namespace {

TEST(DesignPictures, EveryPictureIsBuiltInWithItsDesignedSizeAndKind) {
    struct Expected {
        DesignPicture picture;
        QSize size;
        bool palette;
    };
    const Expected expected[] = {
        {DesignPicture::ButtonLeft, {20, 27}, false},
        {DesignPicture::ButtonReturn, {20, 27}, false},
        {DesignPicture::ButtonRight, {20, 27}, false},
        {DesignPicture::ButtonLeftHover, {20, 27}, false},
        {DesignPicture::ButtonReturnHover, {20, 27}, false},
        {DesignPicture::ButtonRightHover, {20, 27}, false},
        {DesignPicture::Panel, {243, 27}, true},
        {DesignPicture::Logo, {300, 250}, false},
        {DesignPicture::CannotPlay, {400, 300}, false},
    };
    for (const Expected& e : expected) {
        EXPECT_EQ(LoadDesignPicture(e.picture).size(), e.size);
        const QImage image(DesignPicturePath(e.picture));
        ASSERT_FALSE(image.isNull()) << static_cast<int>(e.picture);
        EXPECT_EQ(image.size(), e.size) << static_cast<int>(e.picture);
        EXPECT_EQ(image.format() == QImage::Format_Indexed8, e.palette)
            << static_cast<int>(e.picture);
    }
}

TEST(DesignPictures, HoverButtonsAreLighterThanTheNormalOnes) {
    const QImage normal = LoadDesignPicture(DesignPicture::ButtonLeft).toImage();
    const QImage hover = LoadDesignPicture(DesignPicture::ButtonLeftHover).toImage();
    const QPoint inTheShape(12, 13);
    EXPECT_GT(qGray(hover.pixel(inTheShape)), qGray(normal.pixel(inTheShape)));
    EXPECT_GT(qGray(normal.pixel(inTheShape)), 64);
    EXPECT_EQ(qGray(normal.pixel(0, 0)), 0); // black around the shape, like the panel
}

TEST(DesignPictures, IconAndCursor) {
    const QIcon icon = DesignIcon();
    EXPECT_FALSE(icon.pixmap(QSize(32, 32)).isNull());
    EXPECT_FALSE(icon.pixmap(QSize(16, 16)).isNull());
    const QCursor cursor = MenuCursor();
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(cursor.hotSpot(), QPoint(11, 1));
}

} // namespace
} // namespace quorix
