#include "ui/AutoSizeLabel.h"

#include "ui/ControlArray.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <cmath>
#include <gtest/gtest.h>

namespace quorix {
namespace {

class AutoSizeLabelTest : public testing::Test {
protected:
    AutoSizeLabelTest() {
        label = new AutoSizeLabel(&parent);
        label->move(64, 8);
        label->setFontName(QStringLiteral("Arial Black"));
        label->setFontSize(6.0f);
        label->setCaption(QStringLiteral("Click"));
    }

    QWidget parent;
    AutoSizeLabel* label;
};

TEST_F(AutoSizeLabelTest, GrowsWithFontSizeAndCaptionWithLeftAndTopFixed) {
    const QSize small = label->size();
    EXPECT_GT(small.width(), 0);
    EXPECT_GT(small.height(), 0);

    label->setFontSize(24.0f);
    const QSize large = label->size();
    EXPECT_GT(large.width(), 2 * small.width());
    EXPECT_GT(large.height(), 2 * small.height());

    label->setCaption(QStringLiteral("Click "));
    EXPECT_GT(label->width(), large.width()); // the trailing space counts
    label->setCaption(QStringLiteral("Click here to start"));
    EXPECT_GT(label->width(), 2 * large.width());
    EXPECT_EQ(label->height(), large.height());

    // A caption of spaces keeps a size, so a hidden title can still be pointed at.
    label->setCaption(QStringLiteral("      "));
    EXPECT_GT(label->width(), 0);

    label->setFontBold(true);
    label->setFontItalic(true);
    EXPECT_EQ(label->pos(), QPoint(64, 8));
}

TEST_F(AutoSizeLabelTest, FontSizeReadsBackAsRealisedInWholePixels) {
    const double dpi = label->logicalDpiY();
    for (const float requested : {6.0f, 8.0f, 10.0f, 12.0f, 24.0f, 31.5f}) {
        label->setFontSize(requested);
        const double pixels = label->fontSize() * dpi / 72.0;
        EXPECT_NEAR(pixels, std::round(pixels), 1e-3) << requested;
        EXPECT_NEAR(label->fontSize(), requested, 72.0 / dpi / 2.0 + 1e-4) << requested;
    }
    if (dpi == 96.0) {
        label->setFontSize(10.0f);
        EXPECT_FLOAT_EQ(label->fontSize(), 9.75f);
        label->setFontSize(8.0f);
        EXPECT_FLOAT_EQ(label->fontSize(), 8.25f);
        // Growing in 2-point steps from the read-back value, as the title sizing does.
        label->setFontSize(label->fontSize() + 2.0f);
        EXPECT_FLOAT_EQ(label->fontSize(), 10.5f);
    }
    label->setFontSize(-3.0f);
    EXPECT_GT(label->fontSize(), 0.0f);
    EXPECT_GT(label->height(), 0);
}

TEST_F(AutoSizeLabelTest, ElementsAreHiddenCopiesOfElementZeroAsItStandsThen) {
    ControlArray<AutoSizeLabel> titles;
    ASSERT_TRUE(titles.add(0, label));
    label->setFontSize(20.0f);
    label->setFontBold(true);
    label->setFontItalic(true);
    label->setForeColor(0x00808080);
    label->setCursor(Qt::PointingHandCursor);
    label->setCaption(QStringLiteral("First title"));
    label->show();

    ASSERT_TRUE(titles.load(1));
    AutoSizeLabel* copy = titles.find(1);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->isHidden());
    EXPECT_EQ(copy->parentWidget(), &parent);
    EXPECT_EQ(copy->caption(), label->caption());
    EXPECT_EQ(copy->fontName(), label->fontName());
    EXPECT_EQ(copy->fontSize(), label->fontSize());
    EXPECT_TRUE(copy->fontBold());
    EXPECT_TRUE(copy->fontItalic());
    EXPECT_EQ(copy->foreColor(), 0x00808080);
    EXPECT_EQ(copy->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(copy->geometry(), label->geometry());

    // Later changes to element 0 reach later copies only.
    label->setForeColor(0x000000FF);
    label->setFontBold(false);
    ASSERT_TRUE(titles.load(2));
    EXPECT_EQ(copy->foreColor(), 0x00808080);
    EXPECT_EQ(titles[2].foreColor(), 0x000000FF);
    EXPECT_FALSE(titles[2].fontBold());

    EXPECT_FALSE(titles.load(1)); // already there
    EXPECT_FALSE(titles.load(-1));
    EXPECT_FALSE(titles.exists(3));
    EXPECT_EQ(titles.find(3), nullptr);
    EXPECT_EQ(titles.upperBound(), 2);
}

TEST_F(AutoSizeLabelTest, ClickIsALeftPressAndReleaseOverTheLabel) {
    parent.resize(400, 200);
    label->setFontSize(24.0f);
    label->show();
    parent.show();
    QSignalSpy clicks(label, &AutoSizeLabel::clicked);
    const QPoint inside = label->rect().center();

    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(clicks.count(), 1);
    QTest::mouseClick(label, Qt::RightButton, Qt::NoModifier, inside);
    EXPECT_EQ(clicks.count(), 1);
    QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, inside);
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, QPoint(-20, -20));
    EXPECT_EQ(clicks.count(), 1); // released elsewhere
    // A double click as the window system delivers it: press, release, then a double-click
    // event in place of the second press, and its release. It is one click.
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, inside);
    QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(inside), label->mapToGlobal(inside),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label, &second);
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(clicks.count(), 2);
}

} // namespace
} // namespace quorix
