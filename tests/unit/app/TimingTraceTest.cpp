#include "app/TimingTrace.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace quorix {
namespace {

struct Line {
    std::string kind;
    long long first = 0;
    long long second = 0;
};

std::vector<Line> ReadTrace(const std::string& path) {
    std::vector<Line> lines;
    std::ifstream file(path);
    std::string text;
    while (std::getline(file, text)) {
        std::istringstream fields(text);
        Line line;
        fields >> line.kind >> line.first;
        if (line.kind == "stall") {
            fields >> line.second;
        }
        lines.push_back(line);
    }
    return lines;
}

void RunEventLoopFor(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

TEST(TimingTraceTest, ReportsABlockedWindowThreadWithItsStartAndLength) {
    QTemporaryDir folder;
    const std::string path = folder.filePath("trace").toStdString();
    TimingTrace trace;
    ASSERT_TRUE(trace.open(path));

    RunEventLoopFor(60);
    const auto before = std::chrono::steady_clock::now();
    bool blocked = false;
    QTimer::singleShot(0, [&blocked] {
        std::this_thread::sleep_for(std::chrono::milliseconds(80));
        blocked = true;
    });
    while (!blocked) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    RunEventLoopFor(40);
    trace.tick();

    const std::vector<Line> lines = ReadTrace(path);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().kind, "tick");
    std::vector<Line> stalls;
    for (const Line& line : lines) {
        if (line.kind == "stall") {
            stalls.push_back(line);
        }
    }
    // A loaded test machine may add short stalls of its own; the blocked handler must be there,
    // no shorter than it blocked, starting no later than it did.
    const long long blockedFrom =
        std::chrono::duration_cast<std::chrono::nanoseconds>(before.time_since_epoch()).count();
    bool found = false;
    for (const Line& stall : stalls) {
        EXPECT_GT(stall.second, 10'000'000LL);
        if (stall.second >= 80'000'000LL && stall.first <= blockedFrom + 20'000'000LL) {
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

TEST(TimingTraceTest, AFileThatCannotBeWrittenIsRefused) {
    TimingTrace trace;
    EXPECT_FALSE(trace.open("/nonexistent-folder/trace"));
    trace.tick(); // nothing to write to, nothing happens
}

} // namespace
} // namespace quorix
