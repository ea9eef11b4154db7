#include "app/SignalEnd.h"

#include <QSocketNotifier>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace quorix::app {
namespace {

constexpr std::array<int, 3> StopSignals = {SIGTERM, SIGINT, SIGHUP};

// What the handler may touch: lock-free atomics only, set while an object catches the signals.
// The pipe's writing end (else -1), the patience in nanoseconds, and when the first stop signal
// came (monotonic nanoseconds; 0 while none has).
std::atomic<int> writeEnd{-1};
std::atomic<std::int64_t> patience{0};
std::atomic<std::int64_t> firstAskedAt{0};
static_assert(std::atomic<int>::is_always_lock_free &&
              std::atomic<std::int64_t>::is_always_lock_free);

std::int64_t Now() {
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now); // safe in a signal handler
    // Never 0, which stands for "not asked".
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec + 1;
}

void OnStopSignal(int number) {
    const int savedErrno = errno;
    const std::int64_t now = Now();
    std::int64_t first = 0;
    const int descriptor = writeEnd.load();
    if (descriptor >= 0 && firstAskedAt.compare_exchange_strong(first, now)) {
        const auto byte = static_cast<unsigned char>(number);
        if (write(descriptor, &byte, 1) < 0) {
            // Cannot happen: the pipe is empty until this first write.
        }
    } else if (descriptor < 0 || now - first > patience.load()) {
        // The end had its time and the program still runs: die of the signal as if it had never
        // been caught. It stays blocked until this handler returns, and then kills the process.
        signal(number, SIG_DFL);
        raise(number);
    }
    errno = savedErrno;
}

} // namespace

SignalEnd::SignalEnd(End end, std::chrono::milliseconds patienceAfterFirst) : end_(std::move(end)) {
    if (writeEnd.load() >= 0 || pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    patience.store(std::chrono::nanoseconds(patienceAfterFirst).count());
    firstAskedAt.store(0);
    writeEnd.store(pipe_[1]);

    struct sigaction action = {};
    action.sa_handler = &OnStopSignal;
    // Calls of other threads that a signal interrupts go on; and one stop signal at a time.
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

} // namespace quorix::app
