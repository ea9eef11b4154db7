#include "ui/Form2.h"
#include "ui/OverrideCursor.h"
#include "ui/QtDialogs.h"
#include "ui/QtEventPump.h"
#include "ui/QtPointerDisplayCounter.h"
#include "ui/QtScreen.h"
#include "ui/QtSupervisorTimer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace quorix::ui {
namespace {

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
    const auto silentFor50ms = [&] {
        ticks.clear();
        QTest::qWait(50);
        return ticks.isEmpty();
    };
    timer.setInterval(10);
    EXPECT_TRUE(silentFor50ms());
    timer.setEnabled(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks.count() >= 2; }, 2000));
    timer.setInterval(0);
    EXPECT_TRUE(timer.enabled());
    EXPECT_TRUE(silentFor50ms());
    timer.setInterval(10);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks.count() >= 1; }, 2000));
    timer.setEnabled(false);
    EXPECT_TRUE(silentFor50ms());
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

// Unattended, the message box and the second window close by themselves after the given seconds,
// counting them down on their button.
TEST(QtDialogs, UnattendedWindowsCloseThemselvesCountingDown) {
    QtDialogs dialogs(TwipsGeometry(15, 15), nullptr, std::chrono::seconds(2));
    QStringList captions;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        const auto* button = modal ? modal->findChild<QAbstractButton*>() : nullptr;
        if (button && (captions.isEmpty() || captions.back() != button->text())) {
            captions << button->text();
        }
    });
    watch.start(20);
    dialogs.showMessage("Gone.");
    dialogs.showSecondWindow();
    EXPECT_EQ(captions, (QStringList{"OK (2)", "OK (1)", "Ok (2)", "Ok (1)"}));
}

} // namespace
} // namespace quorix::ui
