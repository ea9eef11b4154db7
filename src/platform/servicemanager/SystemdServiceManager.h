#pragma once

#include "platform/ServiceManager.h"

namespace quorix::platform {

// systemd's notification protocol, through libsystemd (sd_notify): READY=1, WATCHDOG=1 and
// STOPPING=1 go to the socket in NOTIFY_SOCKET, and the watchdog's time comes from WATCHDOG_USEC
// (when WATCHDOG_PID, if set, is this process). Without NOTIFY_SOCKET nothing is sent. A message
// the manager could not be sent is said once on standard error: a watchdog that never hears from
// the program ends it, and the journal should tell why. Built without libsystemd, it sends
// nothing and watches nothing.
class SystemdServiceManager final : public ServiceManager {
public:
    SystemdServiceManager();

    void ready() override;
    void alive() override;
    void stopping() override;
    std::optional<std::chrono::microseconds> watchdogTimeout() const override;

    // Whether the program was built with libsystemd, so that it can tell a manager anything.
    static bool Available();

private:
    void tell(const char* message);

    std::optional<std::chrono::microseconds> watchdog_;
    [[maybe_unused]] bool failureSaid_ = false;
};

} // namespace quorix::platform
