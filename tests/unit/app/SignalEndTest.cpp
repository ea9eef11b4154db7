#include "app/SignalEnd.h"

#include <QCoreApplication>
#include <csignal>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace quorix::app {
namespace {

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
} // namespace quorix::app
