#include "ui/HScrollBar.h"

#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace quorix::ui {
namespace {

class ProbedScrollBar : public HScrollBar {
public:
    using HScrollBar::HScrollBar;
    QPoint centreOf(QStyle::SubControl control) {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_ScrollBar, &option, control, this).center();
    }
};

class HScrollBarTest : public testing::Test {
protected:
    HScrollBarTest() {
        bar.resize(233, 17);
        bar.setRange(0, 100);
        bar.setPageStep(12);
        bar.show();
        changes.clear();
    }

    ProbedScrollBar bar{nullptr};
    QSignalSpy changes{&bar, &HScrollBar::change};
    QSignalSpy scrolls{&bar, &HScrollBar::scroll};
};

// Writes by the program raise Change only, and only when the value moves; clicks on an arrow or the
// track raise Change.
TEST_F(HScrollBarTest, WritesAndClicksRaiseChangeOnly) {
    bar.setValue(40);
    bar.setValue(40);
    EXPECT_EQ(changes.count(), 1);
    bar.setRange(0, 30); // the value is pulled into the new range
    EXPECT_EQ(bar.value(), 30);
    EXPECT_EQ(changes.count(), 2);

    bar.setValue(0);
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier,
                      bar.centreOf(QStyle::SC_ScrollBarAddLine));
    EXPECT_EQ(bar.value(), 1);
    EXPECT_EQ(changes.count(), 4);
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier,
                      bar.centreOf(QStyle::SC_ScrollBarAddPage));
    EXPECT_GT(bar.value(), 1);
    EXPECT_EQ(changes.count(), 5);
    EXPECT_EQ(scrolls.count(), 0);
}

TEST_F(HScrollBarTest, DraggingTheThumbScrollsAndTheReleaseChangesOnce) {
    QPoint at = bar.centreOf(QStyle::SC_ScrollBarSlider);
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
} // namespace quorix::ui
