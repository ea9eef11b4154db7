#include "device/LastFrameSearch.h"

#include <gtest/gtest.h>

namespace quorix::device {
namespace {

// A clip of `frames` frames at 25 a second, starting at 0.5 s; a look finds the first frame at or
// after its time, as an exact seek shows it.
struct Clip {
    int frames;
    int looks = 0;
    std::optional<double> frameAfter(double time) {
        ++looks;
        for (int k = 0; k < frames; ++k) {
            if (0.5 + k * 0.04 >= time) {
                return 0.5 + k * 0.04;
            }
        }
        return std::nullopt;
    }
};

TEST(LastFrameSearchTest, FindsTheLastFrameWhateverTheDurationSays) {
    struct Case {
        int frames;
        double duration; // from the clip's start, as mpv gives it
        int looks;
    } cases[] = {
        {1, 0.04, 64},      // a lone frame lasts until a second one would start
        {2, 0.04, 64},      // the last frame's duration left out
        {1500, 60.0, 2},    // right: one look at the last frame, one past it
        {50, 2.5, 64},      // sound outlasts the picture
        {40000, 798.8, 64}, // an estimate short of the end
        {1000, 0.0, 64},    // none at all
        {50, 1e9, 64},      // absurd
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.frames) + " frames, duration " + std::to_string(c.duration));
        Clip clip{c.frames};
        const auto last = FindLastFrame([&](double t) { return clip.frameAfter(t); }, 0.5, 0.04,
                                        0.5 + c.duration);
        EXPECT_EQ(last, c.frames - 1);
        EXPECT_LE(clip.looks, c.looks);
    }
}

} // namespace
} // namespace quorix::device
