#include "platform/servicemanager/SystemdServiceManager.h"

#include <cstdint>
#include <cstring>
#include <iostream>

#if QUORIX_HAVE_LIBSYSTEMD
#include <systemd/sd-daemon.h>
#endif

namespace quorix::platform {

SystemdServiceManager::SystemdServiceManager() {
#if QUORIX_HAVE_LIBSYSTEMD
    std::uint64_t usec = 0;
    // The variables stay set: every later message needs NOTIFY_SOCKET.
    const int watched = sd_watchdog_enabled(0, &usec);
    if (watched > 0 && usec > 0) {
        watchdog_ = std::chrono::microseconds(usec);
    } else if (watched < 0) {
        std::cerr << "quorix: the service manager's watchdog settings cannot be read: "
                  << std::strerror(-watched) << "\n";
    }
#endif
}

bool SystemdServiceManager::Available() {
    return QUORIX_HAVE_LIBSYSTEMD != 0;
}

void SystemdServiceManager::ready() {
    tell("READY=1");
}

void SystemdServiceManager::alive() {
    tell("WATCHDOG=1");
}

void SystemdServiceManager::stopping() {
    tell("STOPPING=1");
}

std::optional<std::chrono::microseconds> SystemdServiceManager::watchdogTimeout() const {
    return watchdog_;
}

void SystemdServiceManager::tell([[maybe_unused]] const char* message) {
#if QUORIX_HAVE_LIBSYSTEMD
    const int sent = sd_notify(0, message);
    if (sent < 0 && !failureSaid_) {
        failureSaid_ = true;
        std::cerr << "quorix: the service manager cannot be told " << message << ": "
                  << std::strerror(-sent) << "\n";
    }
#endif
}

} // namespace quorix::platform
