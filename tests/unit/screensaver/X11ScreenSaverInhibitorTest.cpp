#include "platform/screensaver/X11ScreenSaverInhibitor.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// Xlib's macros come last.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace quorix::platform {
namespace {

// Runs on an X server of its own (tests/support/with-xvfb.sh), whose screen saver starts after one
// second without input; a second connection watches whether it started.
class X11ScreenSaverInhibitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        observer_ = XOpenDisplay(nullptr);
        ASSERT_NE(observer_, nullptr)
            << "needs an X server of its own (run under tests/support/with-xvfb.sh)";
        XSetScreenSaver(observer_, 1, 0, DontPreferBlanking, AllowExposures);
        XSync(observer_, False);
    }

    void TearDown() override {
        if (observer_ != nullptr) {
            XCloseDisplay(observer_);
        }
    }
    // Whether the screen saver comes on within the given time of the server seeing no input: due
    // after one second, later on a loaded machine.
    bool screenSaverStartsWithin(std::chrono::milliseconds limit) {
        XForceScreenSaver(observer_, ScreenSaverReset);
        XSync(observer_, False);
        const auto end = std::chrono::steady_clock::now() + limit;
        while (true) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            XScreenSaverInfo* info = XScreenSaverAllocInfo();
            XScreenSaverQueryInfo(observer_, DefaultRootWindow(observer_), info);
            const bool on = info->state == ScreenSaverOn;
            XFree(info);
            if (on || std::chrono::steady_clock::now() >= end) {
                return on;
            }
        }
    }

    Display* observer_ = nullptr;
};

TEST_F(X11ScreenSaverInhibitorTest, HoldsTheServersScreenSaverOffUntilReleased) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    {
        X11ScreenSaverInhibitor inhibitor(display);
        ASSERT_TRUE(inhibitor.inhibit());
        EXPECT_FALSE(screenSaverStartsWithin(std::chrono::milliseconds(2200)));
        inhibitor.release();
        EXPECT_TRUE(screenSaverStartsWithin(std::chrono::seconds(15)));
    }
    XCloseDisplay(display);
}

// The program ends without destructors; the server lifts the hold when its connection closes.
TEST_F(X11ScreenSaverInhibitorTest, AProgramThatEndsWithoutReleasingLeavesNoHold) {
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        Display* display = XOpenDisplay(nullptr);
        X11ScreenSaverInhibitor inhibitor(display);
        _exit(display != nullptr && inhibitor.inhibit() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child could not inhibit";
    EXPECT_TRUE(screenSaverStartsWithin(std::chrono::seconds(15)));
}

} // namespace
} // namespace quorix::platform
