#include "ui/Form1.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace quorix::ui {
namespace {

// The stacking that no transcript shows: what must stay visible above the backdrop and the
// shadows.
TEST(Form1, PanelButtonsAndLogoLieAboveTheBackdropAndTitlesAboveShadows) {
    Form1 form(TwipsGeometry(15, 15));
    form.show();
    form.FXImage1->show();
    form.sspanel1->show();
    form.PicBase->show(); // shown last, the backdrop still lies below
    const QObjectList& top = form.children();
    const auto backdrop = top.indexOf(form.PicBase);
    for (QWidget* overlay :
         std::initializer_list<QWidget*>{form.sspanel1, form.FXImage1, &form.Btn[1]}) {
        EXPECT_GT(top.indexOf(overlay), backdrop);
        EXPECT_TRUE(overlay->testAttribute(Qt::WA_NativeWindow));
    }
    EXPECT_FALSE(form.clip[0].testAttribute(Qt::WA_NativeWindow)); // labels stay see-through

    const QObjectList& inside = form.Picture1->children();
    EXPECT_LT(inside.indexOf(form.Image1), inside.indexOf(&form.Shadow[0]));
    EXPECT_LT(inside.indexOf(&form.Shadow[0]), inside.indexOf(&form.clip[0]));
    ASSERT_TRUE(form.clip.load(1));
    ASSERT_TRUE(form.Shadow.load(1));
    form.Shadow[1].raise();
    form.clip[1].raise();
    EXPECT_LT(inside.indexOf(&form.Shadow[1]), inside.indexOf(&form.clip[1]));
}

TEST(Form1, SeesEveryKeyBeforeTheFocusedControl) {
    Form1 form(TwipsGeometry(15, 15));
    form.sspanel1->show();
    form.show();
    QSignalSpy keys(&form, &Form1::keyDown);
    form.HScroll1->setRange(0, 100);
    form.HScroll1->setValue(50);
    form.HScroll1->setFocus();

    QTest::keyClick(form.HScroll1, Qt::Key_Right);
    QTest::keyClick(form.HScroll1, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(form.HScroll1, Qt::Key_Space);
    QTest::keyClick(form.Picture1, Qt::Key_1, Qt::KeypadModifier);
    QTest::keyClick(form.Picture1, Qt::Key_1);
    QTest::keyClick(form.Picture1, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&form, Qt::Key_Escape, Qt::ControlModifier | Qt::AltModifier);

    // The modifier keys themselves go down too (16 Shift, 17 Ctrl, 18 Alt).
    const QList<QPair<int, int>> expected{{39, 0}, {16, 1}, {37, 1}, {32, 0}, {97, 0},
                                          {49, 0}, {13, 0}, {17, 2}, {18, 6}, {27, 6}};
    QList<QPair<int, int>> seen;
    for (const QList<QVariant>& key : keys) {
        seen.append({key.at(0).value<std::int16_t>(), key.at(1).value<std::int16_t>()});
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(form.HScroll1->value(), 50); // the bar itself did not act on the arrows

    // Keys in another window are not the main window's.
    QWidget other;
    other.show();
    QTest::keyClick(&other, Qt::Key_Escape);
    EXPECT_EQ(keys.count(), seen.size());
}

TEST(Form1, ControlEventsCarryTheElementIndexAndBelongToTheControlUnderThePointer) {
    Form1 form(TwipsGeometry(15, 15));
    form.show();
    form.PicBase->show();
    ASSERT_TRUE(form.clip.load(3));
    form.clip[3].show();
    form.Btn[1].show();
    QSignalSpy clipClicks(&form, &Form1::clipClick);
    QSignalSpy clipMoves(&form, &Form1::clipMouseMove);
    QSignalSpy buttonClicks(&form, &Form1::btnClick);
    QSignalSpy buttonMoves(&form, &Form1::btnMouseMove);
    QSignalSpy pictureMoves(&form, &Form1::picture1MouseMove);

    QTest::mouseClick(&form.clip[3], Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseClick(&form.Btn[1], Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_EQ(clipClicks.count(), 1);
    EXPECT_EQ(clipClicks.at(0).at(0).value<std::int16_t>(), 3);
    ASSERT_EQ(buttonClicks.count(), 1);
    EXPECT_EQ(buttonClicks.at(0).at(0).value<std::int16_t>(), 1);

    // Moves as the window system delivers them, to the native window under the pointer; from
    // there they must reach the control under the pointer only.
    auto moveTo = [](const QWidget& control, QPoint at) {
        const QWidget* host =
            control.windowHandle() != nullptr ? &control : control.nativeParentWidget();
        QTest::mouseMove(host->windowHandle(), control.mapTo(host, at));
    };
    moveTo(form.Btn[1], QPoint(3, 3));
    ASSERT_EQ(buttonMoves.count(), 1);
    EXPECT_EQ(buttonMoves.at(0).at(0).value<std::int16_t>(), 1);
    moveTo(form.clip[3], QPoint(3, 3));
    ASSERT_EQ(clipMoves.count(), 1);
    EXPECT_EQ(clipMoves.at(0).at(0).value<std::int16_t>(), 3);
    EXPECT_EQ(pictureMoves.count(), 0);
    moveTo(*form.Picture1, QPoint(form.Picture1->width() - 2, form.Picture1->height() - 2));
    EXPECT_EQ(pictureMoves.count(), 1);
}

} // namespace
} // namespace quorix::ui
