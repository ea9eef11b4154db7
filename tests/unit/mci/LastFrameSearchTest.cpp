#include "platform/mci/LastFrameSearch.h"

#include <gtest/gtest.h>

namespace quorix::platform::mci {
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
    } cases[] = {
        {1, 0.04},      // a lone frame lasts until a second one would start
        {2, 0.04},      // the last frame's duration left out
        {50, 2.0},      // right
        {50, 2.5},      // sound outlasts the picture
        {40000, 798.8}, // an estimate short of the end
        {1000, 0.0},    // none at all
        {50, 1e9},      // absurd
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.frames) + " frames, duration " + std::to_string(c.duration));
        Clip clip{c.frames};
        const auto last = FindLastFrame([&](double t) { return clip.frameAfter(t); }, 0.5, 0.04,
                                        0.5 + c.duration);
        EXPECT_EQ(last, c.frames - 1);
        EXPECT_LE(clip.looks, 64);
    }
}

TEST(LastFrameSearchTest, ARightDurationTakesTwoLooks) {
    Clip clip{1500};
    EXPECT_EQ(FindLastFrame([&](double t) { return clip.frameAfter(t); }, 0.5, 0.04, 0.5 + 60.0),
              1499);
    EXPECT_EQ(clip.looks, 2);
}

} // namespace
} // namespace quorix::platform::mci
