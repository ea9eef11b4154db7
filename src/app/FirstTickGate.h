#pragma once

#include <chrono>

namespace quorix {

// Keeps the supervisor's first tick until the main window has been activated for the first time.
// Start-up leaves the first tick to find the activation done: the backdrop drawn and the video
// area shown. The once-a-second tick always came later than that; a short tick from the settings
// can come first on a busy machine, and a clip would then open into an area nobody shows. A tick
// that comes too early is held, and one held tick is due as soon as the window is activated.
// A window that is never activated (a window manager that gives it no focus) does not stop the
// presenter: from the time the designed tick would have come, ticks pass all the same.
class FirstTickGate {
public:
    using Clock = std::chrono::steady_clock;

    // latest: when the first tick would have come with the designed interval.
    explicit FirstTickGate(Clock::time_point latest) : latest_(latest) {}

    // A tick of the timer at now: true when it runs now, false when it is held.
    bool passTick(Clock::time_point now);
    // The main window was activated: true when a held tick must run now.
    bool activated();

private:
    Clock::time_point latest_;
    bool open_ = false;
    bool held_ = false;
};

} // namespace quorix
