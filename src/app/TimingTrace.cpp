#include "app/TimingTrace.h"

namespace quorix::app {
namespace {

long long Nanoseconds(std::chrono::steady_clock::time_point at) {
    return static_cast<long long>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(at.time_since_epoch()).count());
}

} // namespace

bool TimingTrace::open(const std::string& path) {
    file_.open(path, std::ios::out | std::ios::trunc);
    if (!file_) {
        return false;
    }
    heartbeat_.setTimerType(Qt::PreciseTimer);
    heartbeat_.setInterval(HeartbeatInterval);
    QObject::connect(&heartbeat_, &QTimer::timeout, this, [this] { beat(); });
    lastBeat_ = clock_();
    heartbeat_.start();
    return true;
}

void TimingTrace::tick() {
    if (file_.is_open()) {
        file_ << "tick " << Nanoseconds(clock_()) << std::endl;
    }
}

void TimingTrace::beat() {
    const auto now = clock_();
    const auto gap = now - lastBeat_;
    if (gap > StallThreshold) {
        file_ << "stall " << Nanoseconds(lastBeat_) << ' '
              << std::chrono::duration_cast<std::chrono::nanoseconds>(gap).count() << std::endl;
    }
    lastBeat_ = now;
}

} // namespace quorix::app
