#pragma once

#include <chrono>
#include <optional>

namespace quorix::platform {

// The service manager that started the program, where one did (a kiosk's systemd unit), told how
// the program is doing. Outside a service every call does nothing.
class ServiceManager {
public:
    virtual ~ServiceManager() = default;
    // The program is up: its first window is on the screen.
    virtual void ready() = 0;
    // The program still answers events; a watching manager ends it when this stops coming.
    virtual void alive() = 0;
    // The program is ending.
    virtual void stopping() = 0;
    // How long a watching manager waits for alive() before it takes the program for hung; none
    // when nobody watches.
    virtual std::optional<std::chrono::microseconds> watchdogTimeout() const = 0;
};

} // namespace quorix::platform
