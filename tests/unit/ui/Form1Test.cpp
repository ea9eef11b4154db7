#include "ui/Form1.h"

#include "ui/Form2.h"
#include "ui/QtDialogs.h"
#include "ui/QtWindowSystem.h"

#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace quorix {
namespace {

struct Box {
    std::int32_t left, top, width, height;
};

Box TwipsOf(const Form1& form, const QWidget& widget) {
    const TwipsGeometry& t = form.twips();
    return {t.left(widget), t.top(widget), t.width(widget), t.height(widget)};
}

void ExpectBox(const Box& actual, const Box& expected, const char* name) {
    EXPECT_EQ(actual.left, expected.left) << name;
    EXPECT_EQ(actual.top, expected.top) << name;
    EXPECT_EQ(actual.width, expected.width) << name;
    EXPECT_EQ(actual.height, expected.height) << name;
}

TEST(Form1, DesignPositionsInTwips) {
    Form1 form(TwipsGeometry(15, 15));
    ExpectBox(TwipsOf(form, *form.sspanel1), {840, 4200, 3645, 405}, "sspanel1");
    ExpectBox(TwipsOf(form, *form.HScroll1), {75, 75, 3495, 255}, "HScroll1");
    ExpectBox(TwipsOf(form, form.Btn[0]), {1425, 5280, 300, 405}, "Btn(0)");
    EXPECT_EQ(form.twips().left(form.Btn[8]), 4470);
    ExpectBox(TwipsOf(form, *form.PicBase), {1095, 285, 5385, 3105}, "PicBase");
    ExpectBox(TwipsOf(form, *form.Picture1), {1110, 255, 3675, 1470}, "Picture1");
    ExpectBox(TwipsOf(form, *form.Image1), {-75, 105, 2025, 825}, "Image1");
    ExpectBox(TwipsOf(form, *form.FXImage1), {1680, 2280, 4500, 3750}, "FXImage1");
    EXPECT_EQ(form.twips().left(form.clip[0]), 960);
    EXPECT_EQ(form.twips().top(form.clip[0]), 120);
    EXPECT_EQ(form.twips().left(form.Shadow[0]), 2835);
    EXPECT_EQ(form.twips().top(*form.Label2), 960);
    // The window covers its screen.
    EXPECT_EQ(form.widthTwips(), form.screen()->geometry().width() * 15);
    EXPECT_EQ(form.heightTwips(), form.screen()->geometry().height() * 15);
}

// Where the program paints the pictures (Wayland), a native child window would stay blank: the
// window and every control in it stay ordinary widgets, also once the video surface's handle has
// been asked for, and the device finds the surface by that handle.
TEST(Form1, PaintedPicturesKeepEveryControlAnOrdinaryWidget) {
    Form1 form(TwipsGeometry(15, 15), platform::WindowHandles::Painted);
    QtWindowSystem windows(platform::WindowHandles::Painted);
    form.show();
    const std::int32_t handle = windows.windowHandle(*form.Picture1);
    EXPECT_EQ(windows.windowHandle(*form.Picture1), handle);
    EXPECT_NE(windows.windowHandle(*form.PicBase), handle);
    EXPECT_EQ(platform::FindWindowByHandle(static_cast<std::uint32_t>(handle)), form.Picture1);
    for (const QWidget* child : form.findChildren<QWidget*>()) {
        EXPECT_FALSE(child->testAttribute(Qt::WA_NativeWindow)) << child->metaObject()->className();
    }

    // With native handles the surface is a native window, found by its native id.
    Form1 native(TwipsGeometry(15, 15));
    QtWindowSystem nativeWindows;
    const std::int32_t nativeHandle = nativeWindows.windowHandle(*native.Picture1);
    EXPECT_TRUE(native.Picture1->testAttribute(Qt::WA_NativeWindow));
    EXPECT_EQ(platform::FindWindowByHandle(static_cast<std::uint32_t>(nativeHandle)),
              native.Picture1);
}

TEST(Form1, DesignPositionsAt12TwipsPerPixelLandOnWholePixels) {
    Form1 form(TwipsGeometry(12, 12));
    ExpectBox(TwipsOf(form, *form.sspanel1), {840, 4200, 3648, 408}, "sspanel1");
    EXPECT_EQ(form.sspanel1->geometry(), QRect(70, 350, 304, 34));
    EXPECT_EQ(form.twips().left(form.Btn[0]), 1428); // 118.75 px -> 119
    // Picture controls take the size of their picture, in pixels.
    EXPECT_EQ(form.FXImage1->size(), QSize(300, 250));
    EXPECT_EQ(form.FXImage1->pictureWidthTwips(), 3600);
}

TEST(Form1, DesignedProperties) {
    Form1 form(TwipsGeometry(15, 15));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Quorix"));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(form.windowState().testFlag(Qt::WindowFullScreen));
    EXPECT_FALSE(form.windowIcon().isNull());

    for (QWidget* hidden :
         {static_cast<QWidget*>(form.sspanel1), static_cast<QWidget*>(form.PicBase),
          static_cast<QWidget*>(form.Image1), static_cast<QWidget*>(form.Label2),
          static_cast<QWidget*>(&form.clip[0]), static_cast<QWidget*>(&form.Shadow[0]),
          static_cast<QWidget*>(form.FXImage1)}) {
        EXPECT_TRUE(hidden->isHidden()) << hidden->metaObject()->className();
    }
    for (int i = 0; i < 9; ++i) {
        EXPECT_TRUE(form.Btn[i].isHidden()) << i;
    }
    EXPECT_EQ(form.Btn.upperBound(), 8);
    EXPECT_FALSE(form.Picture1->isHidden());
    EXPECT_FALSE(form.HScroll1->isHidden());
    EXPECT_TRUE(form.Picture1->testAttribute(Qt::WA_NativeWindow));
    EXPECT_EQ(form.HScroll1->singleStep(), 1);
    EXPECT_EQ(form.HScroll1->pageStep(), 12);
    EXPECT_EQ(form.Timer1->interval(), 1000);
    EXPECT_FALSE(form.Timer1->enabled());

    EXPECT_EQ(form.clip[0].caption(), QStringLiteral("Click"));
    EXPECT_EQ(form.clip[0].fontName(), QStringLiteral("Arial Black"));
    EXPECT_FLOAT_EQ(form.clip[0].fontSize(), 24.0f);
    EXPECT_EQ(form.clip[0].foreColor(), 0x004000C0);
    EXPECT_EQ(form.clip[0].cursor().shape(), Qt::BitmapCursor);
    EXPECT_FLOAT_EQ(form.Shadow[0].fontSize(), 12.0f);
    EXPECT_EQ(form.Label2->caption(), QStringLiteral("Press Esc to exit"));
    EXPECT_TRUE(form.Label2->fontBold());

    // Element k + 6 holds button k's normal picture, k + 3 its lighter hover picture.
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(form.Btn[k].picture().toImage(), form.Btn[k + 6].picture().toImage()) << k;
        EXPECT_NE(form.Btn[k].picture().toImage(), form.Btn[k + 3].picture().toImage()) << k;
    }
}

TEST(Form1, PanelButtonsAndLogoLieAboveTheBackdropAndTitlesAboveShadows) {
    Form1 form(TwipsGeometry(15, 15));
    form.show();
    form.FXImage1->show();
    form.sspanel1->show();
    form.PicBase->show(); // shown last, the backdrop still lies below
    const QObjectList& top = form.children();
    const auto backdrop = top.indexOf(form.PicBase);
    for (QWidget* overlay :
         {static_cast<QWidget*>(form.sspanel1), static_cast<QWidget*>(form.FXImage1),
          static_cast<QWidget*>(&form.Btn[1])}) {
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

// Activation comes from the platform, so it needs a shown window and a running event loop.
TEST(Form1, ActivatesOnFirstShowAndWhenTheSecondWindowClosesButNotAfterAMessageBox) {
    Form1 form(TwipsGeometry(15, 15));
    QSignalSpy activations(&form, &Form1::activated);
    form.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return activations.count() == 1; }, 2000));

    QtDialogs dialogs(form.twips(), &form);
    QTimer::singleShot(50, [] {
        auto* second = qobject_cast<Form2*>(QApplication::activeModalWidget());
        ASSERT_NE(second, nullptr);
        second->Command1->click();
    });
    dialogs.showSecondWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return activations.count() == 2; }, 2000));

    QTimer::singleShot(50, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->accept();
    });
    dialogs.showMessage("Having trouble in playing.");
    QTest::qWait(100);
    EXPECT_EQ(activations.count(), 2);
}

} // namespace
} // namespace quorix
