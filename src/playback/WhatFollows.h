#pragma once

#include "program/Program.h"

#include <cstdint>

namespace quorix::playback {

// Why the program is leaving the clip it has; what comes next depends on it.
enum class ClipLeaving {
    RanOut,     // the device stopped the clip
    Skipped,    // the viewer pressed Right
    Escaped,    // the viewer pressed Esc while a clip played, was paused or the menu was up
    OpenFailed, // the clip could not be opened
};

// What comes after a clip.
enum class FollowUp {
    Stay,         // nothing changes
    SameClip,     // the clip again
    NextClip,     // the clip after it
    PreviousClip, // the clip before it (only a key leads there)
    FirstClip,    // back to the first clip
    Menu,         // the menu of titles
    ClosingLogo,  // the logo, then the end
    End,          // the program ends on the next tick
};

// Decides what follows the current clip from the settings, the clip's place in the catalogue
// and the state the program is in. Changes nothing.
FollowUp WhatFollows(const program::ProgramState& state, ClipLeaving why);

// Sets the playback state (and the current clip) for what follows; shows the menu or the logo
// when that is what follows. The device is left as it is.
void TakeFollowUp(program::Program& program, FollowUp next);

// The ways a key changes the clip. Both close the open clip first; the next tick opens the new
// one. LeaveClip goes where `next` leads, counted from the clip current once the device is closed
// (closing lets pending events run), and does nothing at all for Stay; GoToClip goes to clip
// number `clip`.
void LeaveClip(program::Program& program, FollowUp next);
void GoToClip(program::Program& program, std::int16_t clip);

} // namespace quorix::playback
