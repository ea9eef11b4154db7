#include "ui/ActivationTracker.h"
#include "ui/Form1.h"
#include "ui/HScrollBar.h"
#include "ui/OverrideCursor.h"
#include "ui/QtDialogs.h"
#include "ui/QtEventPump.h"
#include "ui/QtPointerDisplayCounter.h"
#include "ui/QtScreen.h"
#include "ui/QtSupervisorTimer.h"
#include "ui/TwipsGeometry.h"
#include "ui/VirtualKeys.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace quorix {
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

TEST(VirtualKeys, KeysAndModifiersGiveTheirCodes) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        std::optional<std::int16_t> code;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Case cases[] = {
        {Qt::Key_Escape, none, 27},   {Qt::Key_Return, none, 13},  {Qt::Key_Enter, pad, 13},
        {Qt::Key_0, none, 48},        {Qt::Key_9, none, 57},       {Qt::Key_0, pad, 96},
        {Qt::Key_9, pad, 105},        {Qt::Key_Exclam, shift, 49}, {Qt::Key_Asterisk, shift, 56},
        {Qt::Key_Asterisk, pad, 106}, {Qt::Key_Minus, pad, 109},   {Qt::Key_Minus, none, 189},
        {Qt::Key_A, none, 65},        {Qt::Key_Z, shift, 90},      {Qt::Key_F1, none, 112},
        {Qt::Key_F12, none, 123},     {Qt::Key_Shift, shift, 16},  {Qt::Key_VolumeUp, none, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyCode(c.key, c.modifiers), c.code) << c.key;
    }
    EXPECT_EQ(ShiftMask(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier), 7);
    EXPECT_EQ(ShiftMask(Qt::KeypadModifier | Qt::ShiftModifier), 1);
    EXPECT_EQ(ShiftMask(Qt::MetaModifier), 0);
}

using Target = ActivationTracker::FocusTarget;
constexpr Target Main = Target::MainWindow;
constexpr Target Away = Target::Nothing;    // another program
constexpr Target Box = Target::OtherWindow; // a message box
constexpr Target Form = Target::OtherForm;  // the second window

// Whether each move of the focus fired, as a string of 0 and 1.
std::string Fired(ActivationTracker& tracker, std::initializer_list<Target> moves) {
    std::string fired;
    for (const Target target : moves) {
        fired += tracker.focusMovedTo(target) ? '1' : '0';
    }
    return fired;
}

// Fires on the first activation, and on the return from the second window (even when the user
// visited another program while it was open), once per return.
TEST(ActivationTracker, FiresOnFirstActivationAndAfterTheSecondWindowOnly) {
    ActivationTracker tracker;
    EXPECT_EQ(Fired(tracker, {Main, Away, Main, Box, Main, Form, Away, Form, Main, Away, Main}),
              "10000000100");
    ActivationTracker boxFirst;
    EXPECT_EQ(Fired(boxFirst, {Box, Away, Main}), "001");
}

// Without a keyboard a Wayland compositor never activates the window: it fires once all the same,
// and the focus arriving later does not fire it again; after a real activation it does not fire.
TEST(ActivationTracker, AWindowShownWithoutFocusFiresOnceOnly) {
    ActivationTracker unfocused;
    EXPECT_TRUE(unfocused.shownWithoutFocus());
    EXPECT_EQ(Fired(unfocused, {Main}), "0");
    EXPECT_FALSE(unfocused.shownWithoutFocus());
    ActivationTracker focused;
    EXPECT_EQ(Fired(focused, {Main}), "1");
    EXPECT_FALSE(focused.shownWithoutFocus());
}

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

std::optional<Qt::CursorShape> OverrideShape() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr ? std::optional(cursor->shape()) : std::nullopt;
}

// The pointer picture is a state, not a stack; hidden wins over the hourglass.
TEST(QtScreen, SizeInTwipsPointerAndTheDisplayCount) {
    std::optional<OverrideCursor> cursor(std::in_place);
    const QSize pixels = QGuiApplication::primaryScreen()->geometry().size();
    QtScreen screen(TwipsGeometry(12, 12), *cursor);
    EXPECT_EQ(screen.widthTwips(), pixels.width() * 12);
    EXPECT_EQ(screen.heightTwips(), pixels.height() * 12);
    screen.setMousePointer(11);
    screen.setMousePointer(11);
    EXPECT_EQ(screen.mousePointer(), 11);
    EXPECT_EQ(OverrideShape(), Qt::WaitCursor);
    screen.setMousePointer(0);
    EXPECT_EQ(OverrideShape(), std::nullopt);
    screen.setMousePointer(99); // no picture of its own: each control's pointer shows
    EXPECT_EQ(screen.mousePointer(), 99);
    EXPECT_EQ(OverrideShape(), std::nullopt);

    QtPointerDisplayCounter counter(*cursor);
    for (const auto& [show, count] : {std::pair{true, 1}, {true, 2}, {false, 1}, {false, 0}}) {
        EXPECT_EQ(counter.showCursor(show), count);
    }
    EXPECT_EQ(OverrideShape(), std::nullopt);
    EXPECT_EQ(counter.showCursor(false), -1);
    EXPECT_EQ(OverrideShape(), Qt::BlankCursor);
    EXPECT_EQ(counter.showCursor(false), -2);
    screen.setMousePointer(11);
    EXPECT_EQ(OverrideShape(), Qt::BlankCursor);
    counter.showCursor(true);
    EXPECT_EQ(counter.showCursor(true), 0);
    EXPECT_EQ(OverrideShape(), Qt::WaitCursor);
    screen.setMousePointer(0);
    EXPECT_EQ(OverrideShape(), std::nullopt);
    counter.showCursor(false);
    EXPECT_EQ(OverrideShape(), Qt::BlankCursor);
    // The cursor takes its entry off when it goes.
    cursor.reset();
    EXPECT_EQ(OverrideShape(), std::nullopt);
}

TEST(QtSupervisorTimer, TicksOnlyWhileEnabledWithAnInterval) {
    QtSupervisorTimer timer;
    QSignalSpy ticks(&timer, &QtSupervisorTimer::tick);
    timer.setInterval(10);
    QTest::qWait(50);
    EXPECT_EQ(ticks.count(), 0);

    timer.setEnabled(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks.count() >= 2; }, 2000));
    timer.setInterval(0);
    EXPECT_TRUE(timer.enabled());
    ticks.clear();
    QTest::qWait(50);
    EXPECT_EQ(ticks.count(), 0);
    timer.setInterval(10);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks.count() >= 1; }, 2000));
    timer.setEnabled(false);
    ticks.clear();
    QTest::qWait(50);
    EXPECT_EQ(ticks.count(), 0);
}

// Neither a tick that lets events run nor one delivered at once from inside a tick enters it again.
TEST(QtSupervisorTimer, ATickIsNeverEnteredAgain) {
    QtSupervisorTimer timer;
    QtEventPump pump;
    int depth = 0;
    int deepest = 0;
    int ticks = 0;
    QObject::connect(&timer, &QtSupervisorTimer::tick, [&] {
        ++ticks;
        ++depth;
        deepest = std::max(deepest, depth);
        QElapsedTimer spent;
        spent.start();
        while (spent.elapsed() < 40) {
            pump.processPendingEvents();
        }
        --depth;
    });
    timer.setInterval(5);
    timer.setEnabled(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 2000));
    timer.setEnabled(false);
    EXPECT_EQ(deepest, 1);

    QtSupervisorTimer direct;
    int directTicks = 0;
    QObject::connect(&direct, &QtSupervisorTimer::tick, [&] {
        ++directTicks;
        direct.tickNow(); // as a held tick would, from an event handled inside the tick
    });
    direct.tickNow();
    direct.tickNow();
    EXPECT_EQ(directTicks, 2);
}

TEST(QtDialogs, MessageBoxIsModalWithTitleIconOneButtonAndTicksGoOn) {
    QtDialogs dialogs(TwipsGeometry(15, 15));
    QtSupervisorTimer timer;
    int ticksWhileOpen = 0;
    QObject::connect(&timer, &QtSupervisorTimer::tick, [&] { ++ticksWhileOpen; });
    timer.setInterval(10);
    timer.setEnabled(true);

    // Answered once the box is up and some ticks have come while it is open, however slow the
    // machine is.
    QString seen;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr && ticksWhileOpen >= 3) {
            answer.stop();
            seen = QStringLiteral("%1|%2|%3|%4")
                       .arg(box->windowTitle(), box->text())
                       .arg(box->icon())
                       .arg(box->buttons().size());
            box->button(QMessageBox::Ok)->click();
        }
    });
    answer.start(10);
    dialogs.showMessage("Having trouble in opening <clip>. (1: 263)");
    timer.setEnabled(false);
    EXPECT_EQ(seen, QStringLiteral("Quorix|Having trouble in opening <clip>. (1: 263)|%1|1")
                        .arg(QMessageBox::Information));
}

} // namespace
} // namespace quorix
