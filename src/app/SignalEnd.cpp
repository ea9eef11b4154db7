#include "app/SignalEnd.h"

#include <QSocketNotifier>
#include <array>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace quorix {
namespace {

constexpr std::array<int, 3> StopSignals = {SIGTERM, SIGINT, SIGHUP};

// What the handler may touch: lock-free atomics only. The pipe's writing end while an object
// catches the signals (else -1), and whether a stop has been asked for since.
std::atomic<int> writeEnd{-1};
std::atomic<bool> asked{false};

void OnStopSignal(int number) {
    const int savedErrno = errno;
    const int descriptor = writeEnd.load();
    if (asked.exchange(true) || descriptor < 0) {
        // Asked before and still running: die of it as if never caught. The signal stays blocked
        // until this handler returns, and then kills the process.
        signal(number, SIG_DFL);
        raise(number);
    } else {
        const auto byte = static_cast<unsigned char>(number);
        if (write(descriptor, &byte, 1) < 0) {
            // The pipe is empty before a first signal, so it cannot be full.
        }
    }
    errno = savedErrno;
}

} // namespace

SignalEnd::SignalEnd(End end) : end_(std::move(end)) {
    if (writeEnd.load() >= 0 || pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    asked.store(false);
    writeEnd.store(pipe_[1]);

    struct sigaction action = {};
    action.sa_handler = &OnStopSignal;
    // Calls of other threads that the signal interrupts go on; and one stop signal at a time.
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int number : StopSignals) {
        sigaddset(&action.sa_mask, number);
    }
    for (std::size_t i = 0; i < StopSignals.size(); ++i) {
        sigaction(StopSignals[i], &action, &previous_[i]);
    }

    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { take(); });
}

SignalEnd::~SignalEnd() {
    if (notifier_ == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < StopSignals.size(); ++i) {
        sigaction(StopSignals[i], &previous_[i], nullptr);
    }
    writeEnd.store(-1);
    notifier_.reset();
    close(pipe_[0]);
    close(pipe_[1]);
}

void SignalEnd::take() {
    unsigned char byte = 0;
    if (read(pipe_[0], &byte, 1) != 1) {
        return; // woken for nothing
    }
    end_(byte);
}

} // namespace quorix
