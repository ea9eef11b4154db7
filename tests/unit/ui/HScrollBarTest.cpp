#include "ui/HScrollBar.h"

#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace quorix {
namespace {

class ProbedScrollBar : public HScrollBar {
public:
    using HScrollBar::HScrollBar;

    QRect part(QStyle::SubControl control) {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_ScrollBar, &option, control, this);
    }
};

class HScrollBarTest : public testing::Test {
protected:
    HScrollBarTest()
        : bar(nullptr), changes(&bar, &HScrollBar::change), scrolls(&bar, &HScrollBar::scroll) {
        bar.resize(233, 17);
        bar.setRange(0, 100);
        bar.setSingleStep(1);
        bar.setPageStep(12);
        bar.show();
        changes.clear();
    }

    ProbedScrollBar bar;
    QSignalSpy changes;
    QSignalSpy scrolls;
};

TEST_F(HScrollBarTest, ProgramWritesRaiseChangeOnlyAndOnlyWhenTheValueMoves) {
    bar.setValue(40);
    EXPECT_EQ(changes.count(), 1);
    bar.setValue(40);
    EXPECT_EQ(changes.count(), 1);
    bar.setRange(0, 30); // the value is pulled into the new range
    EXPECT_EQ(bar.value(), 30);
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(scrolls.count(), 0);
}

TEST_F(HScrollBarTest, ArrowAndTrackClicksRaiseChange) {
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier,
                      bar.part(QStyle::SC_ScrollBarAddLine).center());
    EXPECT_EQ(bar.value(), 1);
    EXPECT_EQ(changes.count(), 1);
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier,
                      bar.part(QStyle::SC_ScrollBarAddPage).center());
    EXPECT_GT(bar.value(), 1);
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(scrolls.count(), 0);
}

TEST_F(HScrollBarTest, DraggingTheThumbScrollsAndTheReleaseChangesOnce) {
    const QRect thumb = bar.part(QStyle::SC_ScrollBarSlider);
    ASSERT_TRUE(thumb.isValid());
    QPoint at = thumb.center();
    QList<int> valuesSeenByScroll;
    QObject::connect(&bar, &HScrollBar::scroll, &bar,
                     [&] { valuesSeenByScroll.append(bar.value()); });

    QTest::mousePress(&bar, Qt::LeftButton, Qt::NoModifier, at);
    for (int step = 0; step < 4; ++step) {
        at += QPoint(20, 0);
        QTest::mouseMove(&bar, at);
    }
    EXPECT_GE(scrolls.count(), 2);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(valuesSeenByScroll.last(), bar.value()); // Scroll sees the new value
    QTest::mouseRelease(&bar, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_GT(bar.value(), 0);
}

} // namespace
} // namespace quorix
