#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <fstream>
#include <functional>
#include <string>

namespace quorix::app {

// For the benchmarks only: writes to a file, as they happen, the monotonic times of events that
// an outside observer cannot see (steady clock, nanoseconds; the clock of Python's
// time.monotonic() on Linux):
//
//   tick <time>              a supervisor tick, before its work starts
//   stall <start> <length>   the window thread did not get back to its event loop for longer
//                            than StallThreshold; found by a heartbeat timer, so a length can be
//                            up to one HeartbeatInterval longer than the block itself
//
// Every line is flushed at once: the program may end by leaving the process.
class TimingTrace final : public QObject {
public:
    static constexpr std::chrono::milliseconds HeartbeatInterval{2};
    static constexpr std::chrono::milliseconds StallThreshold{10};
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    explicit TimingTrace(Clock clock = std::chrono::steady_clock::now) : clock_(std::move(clock)) {}

    // False when the file cannot be written; nothing is traced then.
    bool open(const std::string& path);
    // Writes a tick line now.
    void tick();
    // The heartbeat: a stall line when the last beat is longer ago than StallThreshold.
    void beat();

private:
    void write(const char* what, std::chrono::steady_clock::time_point at);

    Clock clock_;
    std::ofstream file_;
    QTimer heartbeat_;
    std::chrono::steady_clock::time_point lastBeat_;
};

} // namespace quorix::app
