#include "platform/Logging.h"

#include <gtest/gtest.h>

namespace quorix::platform {
namespace {

// Runs in its own process (one test per process under ctest), so the rules start as Qt's own.
TEST(Logging, TracesAreOffUntilVerboseSwitchesThemOn) {
    if (qEnvironmentVariableIsSet("QT_LOGGING_RULES")) {
        GTEST_SKIP() << "QT_LOGGING_RULES decides";
    }
    EXPECT_FALSE(lcDevice().isInfoEnabled());
    EXPECT_FALSE(lcSupervisor().isDebugEnabled());
    EXPECT_TRUE(lcDevice().isWarningEnabled());
    EnableVerboseLogging();
    EXPECT_TRUE(lcDevice().isInfoEnabled() && lcSupervisor().isInfoEnabled());
    EXPECT_TRUE(lcSupervisor().isDebugEnabled());
}

} // namespace
} // namespace quorix::platform
