#include "RecordingScreenSaverInhibitor.h"
#include "app/FirstTickGate.h"
#include "app/ProgramExit.h"
#include "app/SignalEnd.h"
#include "app/TimingTrace.h"
#include "platform/mci/ScriptedMciDevice.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>
#include <vector>

namespace quorix {
namespace {

// The end runs no destructors, so it must close the device and let the screen saver run again
// itself, before the process is gone.
TEST(ProgramExitDeathTest, ClosesTheDeviceAndReleasesTheScreenSaverBeforeItEnds) {
    platform::mci::ScriptedMciDevice device;
    platform::RecordingScreenSaverInhibitor screenSaver;
    ASSERT_TRUE(screenSaver.inhibit());
    screenSaver.onRelease([&] {
        const bool closed = !device.sent().empty() && device.sent().back() == "close all";
        std::fprintf(stderr, closed ? "released after close all\n" : "released first\n");
    });
    ProgramExit exit(device, screenSaver);
    EXPECT_EXIT(exit.endProgram(3), ::testing::ExitedWithCode(3), "released after close all");
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

using namespace std::chrono_literals;

TEST(FirstTickGate, TicksWaitForTheFirstActivationOrTheDesignedTime) {
    const FirstTickGate::Clock::time_point start{};
    FirstTickGate held(start + 1000ms);
    EXPECT_FALSE(held.passTick(start + 50ms));
    EXPECT_FALSE(held.passTick(start + 100ms));
    EXPECT_TRUE(held.activated()); // the held ticks run as one
    EXPECT_TRUE(held.passTick(start + 150ms));
    EXPECT_FALSE(held.activated()); // a later activation brings no tick of its own

    FirstTickGate early(start + 1000ms);
    EXPECT_FALSE(early.activated());
    EXPECT_TRUE(early.passTick(start + 100ms));

    FirstTickGate never(start + 1000ms);
    EXPECT_FALSE(never.passTick(start + 900ms));
    EXPECT_TRUE(never.passTick(start + 1000ms));
    EXPECT_TRUE(never.passTick(start + 1100ms));
    EXPECT_FALSE(never.activated()); // the held tick was overtaken by the one that ran
}

// On a clock the test moves, the heartbeat finds an 80 ms block and lets a shorter gap pass.
TEST(TimingTraceTest, ReportsABlockedWindowThreadWithItsStartAndLength) {
    EXPECT_FALSE(TimingTrace().open("/nonexistent-folder/trace"));

    QTemporaryDir folder;
    const std::string path = folder.filePath("trace").toStdString();
    std::chrono::steady_clock::time_point now{1s};
    TimingTrace trace([&now] { return now; });
    ASSERT_TRUE(trace.open(path));
    now += 2ms;
    trace.beat();
    now += TimingTrace::StallThreshold; // not longer than the threshold: no stall
    trace.beat();
    now += 80ms;
    trace.beat();
    trace.tick();
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), "stall 1012000000 80000000\ntick 1092000000\n");
}

} // namespace
} // namespace quorix
