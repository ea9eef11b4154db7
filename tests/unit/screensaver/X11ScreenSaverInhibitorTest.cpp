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

// Runs on an X server of its own (xvfb-run), whose screen saver starts after one second without
// input; a second connection watches whether it started.
class X11ScreenSaverInhibitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        observer_ = XOpenDisplay(nullptr);
        ASSERT_NE(observer_, nullptr) << "needs an X server of its own (run under xvfb-run)";
        XSetScreenSaver(observer_, 1, 0, DontPreferBlanking, AllowExposures);
        XSync(observer_, False);
    }

    void TearDown() override {
        if (observer_ != nullptr) {
            XCloseDisplay(observer_);
        }
    }

    // Whether the screen saver is on after the server has seen no input for twice its timeout.
    bool screenSaverStartsWhenIdle() {
        XForceScreenSaver(observer_, ScreenSaverReset);
        XSync(observer_, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(2200));
        XScreenSaverInfo* info = XScreenSaverAllocInfo();
        XScreenSaverQueryInfo(observer_, DefaultRootWindow(observer_), info);
        const bool on = info->state == ScreenSaverOn;
        XFree(info);
        return on;
    }

    Display* observer_ = nullptr;
};

TEST_F(X11ScreenSaverInhibitorTest, HoldsTheServersScreenSaverOffUntilReleased) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    {
        X11ScreenSaverInhibitor inhibitor(display);
        ASSERT_TRUE(inhibitor.inhibit());
        EXPECT_FALSE(screenSaverStartsWhenIdle());
        inhibitor.release();
        EXPECT_TRUE(screenSaverStartsWhenIdle());
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
    EXPECT_TRUE(screenSaverStartsWhenIdle());
}

TEST(X11ScreenSaverInhibitor, WithoutAnXConnectionNothingIsHeld) {
    X11ScreenSaverInhibitor inhibitor(nullptr);
    EXPECT_FALSE(inhibitor.inhibit());
    inhibitor.release();
}

} // namespace
} // namespace quorix::platform
