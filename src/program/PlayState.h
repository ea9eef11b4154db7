#pragma once

#include <cstdint>

namespace quorix::program {

// The playback state word: what the supervisor's next tick does. The numbers are part of the
// design (transcripts show them, and the order is compared: every state below Load is one in
// which no clip is loading), so they are fixed here.
enum class PlayState : std::int16_t {
    IntroPending = -3, // the next tick takes the intro clip
    Menu = -2,         // the menu is up, or comes up on the next tick
    Paused = -1,       // a clip is open and paused
    Load = 0,          // the next tick opens and starts CurrentClip
    Playing = 1,       // a clip plays; each tick asks whether it has stopped
    ClosingLogo = 2,   // the logo is up; the next tick stretches the tick for it
    Exit = 3,          // the next tick ends the program
};

// The number of a state, as transcripts and traces print it.
constexpr std::int16_t StateNumber(PlayState state) {
    return static_cast<std::int16_t>(state);
}

} // namespace quorix::program
