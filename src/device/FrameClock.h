#pragma once

#include <cstdint>
#include <vector>

namespace quorix::device {

// Where a clip's frames lie in time, in seconds from its first frame. A frame is a picture as the
// clip stores it: one held for two seconds is one frame, however long it stays on screen. Most
// clips have a fixed rate and their frames lie on its grid; clips from phones, screen recorders
// and editors may hold a picture or change their rate, and their frames' own times are kept.
class FrameClock {
public:
    // count frames at a fixed rate.
    FrameClock(double framesPerSecond, std::int32_t count);
    // Frames at these times (the first at 0, ascending), the last one shown until end.
    FrameClock(std::vector<double> times, double end);

    std::int32_t count() const { return count_; }
    // Seconds from the first frame to the end of the last one.
    double length() const { return length_; }
    // When a frame is first shown; the length for the count and any frame past it.
    double timeOf(std::int64_t frame) const;
    // The frame shown at a time: the count at and past the length.
    std::int64_t frameAt(double time) const;

private:
    double framesPerSecond_ = 25.0;
    std::int32_t count_ = 0;
    double length_ = 0.0;
    std::vector<double> times_; // empty at a fixed rate
};

} // namespace quorix::device
