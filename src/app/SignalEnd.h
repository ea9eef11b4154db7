#pragma once

#include <chrono>
#include <csignal>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace quorix::app {

// Ends the program in good order when the system asks it to stop: SIGTERM (a service manager
// stopping it), SIGINT (Ctrl+C in its terminal) and SIGHUP (its terminal or session closed).
// Left to themselves, these kill the process on the spot, with the media device still open and
// the screen saver still held off.
//
// A signal handler can do next to nothing safely, so it only writes the signal's number into a
// pipe. The thread that made this object reads the pipe like any other event source, so also
// inside a modal box or any other nested event loop, and calls the given end there.
//
// Stop signals often come in twos (a service manager sending SIGHUP after SIGTERM, a closing
// terminal and its shell both hanging up): more of them while the end is under way change
// nothing. But one that comes when the end has had its time and the program still runs (its
// window thread is stuck) kills the process at once, as it would without this object.
//
// One at a time: signal handlers belong to the process.
class SignalEnd {
public:
    using End = std::function<void(int signal)>;

    // end: called once, with the first signal's number. patience: how long after the first
    // signal further ones are let pass.
    explicit SignalEnd(End end, std::chrono::milliseconds patience = std::chrono::seconds(1));
    ~SignalEnd();

    SignalEnd(const SignalEnd&) = delete;
    SignalEnd& operator=(const SignalEnd&) = delete;

    // False when the signals could not be taken over (no pipe, or another object has them): they
    // then kill the program as before.
    bool catching() const { return notifier_ != nullptr; }

private:
    void take();

    End end_;
    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction previous_[3] = {};
};

} // namespace quorix::app
