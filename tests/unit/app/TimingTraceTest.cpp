#include "app/TimingTrace.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>

namespace quorix {
namespace {

using namespace std::chrono_literals;

std::string ReadAll(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// A clock that the test moves: the heartbeat finds an 80 ms block and lets a 10
// ms gap pass.
TEST(TimingTraceTest, ReportsABlockedWindowThreadWithItsStartAndLength) {
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
    EXPECT_EQ(ReadAll(path), "stall 1012000000 80000000\ntick 1092000000\n");
}

TEST(TimingTraceTest, AFileThatCannotBeWrittenIsRefused) {
    TimingTrace trace;
    EXPECT_FALSE(trace.open("/nonexistent-folder/trace"));
    trace.tick(); // nothing to write to, nothing happens
}

} // namespace
} // namespace quorix
