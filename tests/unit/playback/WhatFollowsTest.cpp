#include "playback/WhatFollows.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>

namespace quorix {
namespace {

struct Case {
    ClipLeaving why;
    std::int16_t menuMode;
    std::int16_t loopMode;
    std::int16_t logoMode;
    bool lastClip;
    PlayState from;
    FollowUp expected;
};

std::string Describe(const Case& c) {
    return "why=" + std::to_string(static_cast<int>(c.why)) +
           " menu=" + std::to_string(c.menuMode) + " loop=" + std::to_string(c.loopMode) +
           " logo=" + std::to_string(c.logoMode) + " last=" + std::to_string(c.lastClip) +
           " from=" + std::to_string(StateNumber(c.from));
}

// Every way out of a clip, with the settings that decide between the branches. Three clips; the
// current one is the second, or the third when it is the last.
TEST(WhatFollows, DecidesFromWhyTheSettingsAndTheClipsPlace) {
    using enum ClipLeaving;
    using enum FollowUp;
    constexpr PlayState Playing = PlayState::Playing;
    constexpr PlayState Paused = PlayState::Paused;
    constexpr PlayState InMenu = PlayState::Menu;
    const Case cases[] = {
        // A clip that ran out: with a menu, the menu or the same clip again.
        {RanOut, 1, 0, 1, false, Playing, Menu},
        {RanOut, 2, 0, 0, true, Playing, Menu},
        {RanOut, 1, 1, 1, false, Playing, SameClip},
        {RanOut, 1, 1, 0, true, Playing, SameClip},
        // Without a menu: the next clip, then the first again, the logo or the end.
        {RanOut, 0, 0, 1, false, Playing, NextClip},
        {RanOut, 0, 1, 1, true, Playing, FirstClip},
        {RanOut, 0, 0, 1, true, Playing, ClosingLogo},
        {RanOut, 0, 0, 2, true, Playing, End},
        // Right: the next clip in every mode; on the last one a menu keeps the clip.
        {Skipped, 1, 0, 1, false, Paused, NextClip},
        {Skipped, 1, 1, 1, true, Playing, Stay},
        {Skipped, 0, 1, 0, true, Playing, FirstClip},
        {Skipped, 0, 0, 1, true, Paused, ClosingLogo},
        {Skipped, 0, 0, 0, true, Playing, End},
        // Esc: back to the menu only from a clip and only with menu mode exactly 1.
        {Escaped, 1, 1, 1, false, Playing, Menu},
        {Escaped, 1, 0, 1, true, Paused, Menu},
        {Escaped, 1, 0, 1, false, InMenu, ClosingLogo},
        {Escaped, 1, 0, 0, false, InMenu, End},
        {Escaped, 2, 0, 1, false, Playing, ClosingLogo},
        {Escaped, 0, 1, 0, false, Playing, End},
        // A clip that cannot be opened: the logo or the end, whatever else is set.
        {OpenFailed, 1, 1, 1, false, PlayState::Load, ClosingLogo},
        {OpenFailed, 0, 1, 3, false, PlayState::Load, End},
    };
    for (const Case& c : cases) {
        ProgramState state;
        state.Catalogue.LastClip = 2;
        state.CurrentClip = c.lastClip ? 3 : 2;
        state.Settings.MenuMode = c.menuMode;
        state.Settings.LoopMode = c.loopMode;
        state.Settings.LogoMode = c.logoMode;
        state.PlayState = c.from;
        EXPECT_EQ(WhatFollows(state, c.why), c.expected) << Describe(c);
    }
}

} // namespace
} // namespace quorix
