#pragma once

namespace quorix::platform {

// Lets pending window events run once (input, paint, timer ticks) before the caller goes on.
// Handlers may re-enter the program from inside this call.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void processPendingEvents() = 0;
};

} // namespace quorix::platform
