#include "device/LastFrameSearch.h"

#include <algorithm>
#include <cmath>

namespace quorix::device {

std::int64_t FindLastFrame(const FrameAfter& frameAfter, double firstTime, double frameTime,
                           double duration, int maxLooks) {
    // Beyond any clip a 32-bit frame count could hold, and far inside what a double counts exactly.
    constexpr double FurthestIndex = 1e12;
    const auto indexOf = [&](double time) {
        return std::llround(std::clamp((time - firstTime) / frameTime, 0.0, FurthestIndex));
    };
    int looks = 0;
    // The frame at or after the point half a frame before grid point k, as a grid index.
    const auto look = [&](std::int64_t k) -> std::optional<std::int64_t> {
        ++looks;
        const auto found = frameAfter(firstTime + (static_cast<double>(k) - 0.5) * frameTime);
        if (!found) {
            return std::nullopt;
        }
        return indexOf(*found);
    };

    // A known frame, and a grid point before which all frames lie once one is known.
    std::int64_t last = 0;
    std::optional<std::int64_t> beyond;
    // A duration that is right ends with the last frame's time; one look before it and one
    // after settle it.
    const std::int64_t hinted = std::max<std::int64_t>(indexOf(duration) - 1, 1);
    if (const auto found = look(hinted)) {
        last = std::max(*found, hinted);
    } else {
        beyond = hinted;
    }
    // Frames past the hint: ever longer strides until one finds none.
    for (std::int64_t stride = 1; !beyond && looks < maxLooks; stride *= 2) {
        const std::int64_t k = std::min<std::int64_t>(last + stride, std::llround(FurthestIndex));
        if (const auto found = look(k); found && *found > last) {
            last = *found;
        } else {
            beyond = k;
        }
    }
    // Halving the span between the last frame known and the point past the end.
    while (beyond && *beyond - last > 1 && looks < maxLooks) {
        const std::int64_t middle = last + (*beyond - last) / 2;
        if (const auto found = look(middle); found && *found < *beyond) {
            last = std::max(*found, middle);
        } else {
            beyond = middle;
        }
    }
    return last;
}

} // namespace quorix::device
