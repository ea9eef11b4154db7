#pragma once

namespace quorix::platform {

// The supervisor's timer. Its ticks are delivered to the program's tick handler by whoever
// wires the program together.
class SupervisorTimer {
public:
    virtual ~SupervisorTimer() = default;
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
};

} // namespace quorix::platform
