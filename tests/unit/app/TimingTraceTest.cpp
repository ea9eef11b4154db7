#include "app/TimingTrace.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>

namespace quorix::app {
namespace {

using namespace std::chrono_literals;

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
} // namespace quorix::app
