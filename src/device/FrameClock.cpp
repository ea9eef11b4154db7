#include "device/FrameClock.h"

#include <algorithm>
#include <cmath>

namespace quorix::device {
namespace {

// Times read back from the player differ from the container's by rounding only.
constexpr double Rounding = 1e-6;

} // namespace

FrameClock::FrameClock(double framesPerSecond, std::int32_t count)
    : framesPerSecond_(framesPerSecond), count_(count), length_(count / framesPerSecond) {}

FrameClock::FrameClock(std::vector<double> times, double end)
    : count_(static_cast<std::int32_t>(times.size())),
      length_(times.empty() ? 0.0 : std::max(end, times.back())), times_(std::move(times)) {}

double FrameClock::timeOf(std::int64_t frame) const {
    if (frame >= count_) {
        return length_;
    }
    if (times_.empty()) {
        return static_cast<double>(frame) / framesPerSecond_;
    }
    return times_[static_cast<std::size_t>(std::max<std::int64_t>(frame, 0))];
}

std::int64_t FrameClock::frameAt(double time) const {
    if (times_.empty()) {
        return std::llround(time * framesPerSecond_);
    }
    if (time >= length_ - Rounding) {
        return count_;
    }
    const auto after = std::upper_bound(times_.begin(), times_.end(), time + Rounding);
    return std::max<std::int64_t>(after - times_.begin() - 1, 0);
}

} // namespace quorix::device
