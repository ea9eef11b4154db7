#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorix::device {

// A clip's video frames as its container lists them: the time each is first shown, in seconds
// from the first (ascending, the first at 0), and when the last one ends.
struct ContainerFrames {
    std::vector<double> times;
    double end = 0.0;
};

// Reads the frames of the first video stream from an MP4 (or QuickTime, 3GP) file's sample table,
// which lists every frame with its time, without reading the frames themselves. No value for any
// other container, and for MP4 files that list their frames in fragments along the file: neither
// holds the whole list in one place.
std::optional<ContainerFrames> ReadContainerFrames(const std::string& path);

} // namespace quorix::device
