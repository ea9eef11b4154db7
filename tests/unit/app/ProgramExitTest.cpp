#include "app/ProgramExit.h"

#include "RecordingScreenSaverInhibitor.h"
#include "device/ScriptedMciDevice.h"
#include "platform/servicemanager/SystemdServiceManager.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace quorix::app {
namespace {

// The end runs no destructors, so it must close the device and let the screen saver run again
// itself, before the process is gone.
TEST(ProgramExitDeathTest, ClosesTheDeviceAndReleasesTheScreenSaverBeforeItEnds) {
    device::ScriptedMciDevice device;
    platform::RecordingScreenSaverInhibitor screenSaver;
    ASSERT_TRUE(screenSaver.inhibit());
    screenSaver.onRelease([&] {
        const bool closed = !device.sent().empty() && device.sent().back() == "close all";
        std::fprintf(stderr, closed ? "released after close all\n" : "released first\n");
    });
    platform::SystemdServiceManager manager; // tells nobody: no service manager here
    ProgramExit exit(device, screenSaver, manager);
    EXPECT_EXIT(exit.endProgram(3), ::testing::ExitedWithCode(3), "released after close all");
}

} // namespace
} // namespace quorix::app
