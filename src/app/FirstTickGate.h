#pragma once

#include <chrono>
#include <optional>

namespace quorix::app {

// Keeps the supervisor's first tick until the main window has been shown and activated for the
// first time. Start-up leaves the first tick to find the activation done: the backdrop drawn and
// the window at its full size. The timer runs from the end of loading, but what comes between
// that and showing the window (the media device, the session's services) may take longer than a
// tick: a tick that comes too early is held, and one held tick is due as soon as the window is
// activated. A window that is never activated (a window manager that gives it no focus) does not
// stop the presenter: from a designed tick's time after the window was shown, ticks pass all the
// same.
class FirstTickGate {
public:
    using Clock = std::chrono::steady_clock;

    // patience: how long after showing the window its activation is waited for.
    explicit FirstTickGate(Clock::duration patience) : patience_(patience) {}

    // The main window was shown at now.
    void shown(Clock::time_point now) { latest_ = now + patience_; }
    // A tick of the timer at now: true when it runs now, false when it is held.
    bool passTick(Clock::time_point now);
    // The main window was activated: true when a held tick must run now.
    bool activated();

private:
    Clock::duration patience_;
    std::optional<Clock::time_point> latest_; // once the window has been shown
    bool open_ = false;
    bool held_ = false;
};

} // namespace quorix::app
