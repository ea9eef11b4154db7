#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace quorix::device {

// Answers the time of the first frame at or after a time, no value when there is none.
using FrameAfter = std::function<std::optional<double>(double time)>;

// Finds a clip's last video frame with as few looks as a reliable duration allows. Frames are
// taken to lie on a grid of frameTime from the first one (at firstTime); every look is half a
// frame before a grid point, where no frame of that grid lies, so that a frame found there is told
// apart from a look past the end. The duration is only a hint: sound may outlast the picture, and
// streams without an index give an estimate. Answers the index of the last frame on the grid (0
// for the first); after maxLooks looks it answers the last frame found so far.
std::int64_t FindLastFrame(const FrameAfter& frameAfter, double firstTime, double frameTime,
                           double duration, int maxLooks = 64);

} // namespace quorix::device
