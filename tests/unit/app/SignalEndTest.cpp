#include "app/SignalEnd.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace quorix {
namespace {

// A stop signal may land on any thread; the end comes on the window thread, also inside a nested
// event loop (a modal box), and knows the signal. Afterwards the signals are as they were.
TEST(SignalEndTest, EachStopSignalEndsOnTheWindowThreadInsideANestedLoop) {
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction before = {};
        sigaction(number, nullptr, &before);

        QEventLoop nested;
        int ended = 0;
        std::thread::id endedOn;
        {
            const SignalEnd stop([&](int signal) {
                ended = signal;
                endedOn = std::this_thread::get_id();
                nested.quit();
            });
            ASSERT_TRUE(stop.catching());
            std::thread elsewhere([number] { raise(number); });
            elsewhere.join();
            QTimer::singleShot(5000, &nested, [&] { nested.quit(); });
            nested.exec();
        }
        EXPECT_EQ(ended, number);
        EXPECT_EQ(endedOn, std::this_thread::get_id());

        struct sigaction after = {};
        sigaction(number, nullptr, &after);
        EXPECT_EQ(after.sa_handler, before.sa_handler) << "signal " << number;
    }
}

// A service manager may send SIGHUP right after SIGTERM: it must not cut the orderly end short.
TEST(SignalEndTest, ASignalSoonAfterTheFirstChangesNothing) {
    std::vector<int> ends;
    const SignalEnd stop([&](int signal) { ends.push_back(signal); });
    raise(SIGTERM);
    raise(SIGHUP);
    raise(SIGINT);
    QCoreApplication::processEvents();
    EXPECT_EQ(ends, std::vector<int>{SIGTERM});
}

// When the window thread never gets to the end, a later signal is the way out.
TEST(SignalEndDeathTest, ASignalAfterThePatienceKillsAtOnce) {
    EXPECT_EXIT(
        {
            const SignalEnd stop([](int) {}, std::chrono::milliseconds(1));
            raise(SIGINT);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            raise(SIGTERM);
            std::_Exit(0);
        },
        ::testing::KilledBySignal(SIGTERM), "");
}

} // namespace
} // namespace quorix
