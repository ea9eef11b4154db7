#pragma once

#include "platform/EventPump.h"

namespace quorix::ui {

// Lets every pending event run once (input, paint, timer ticks, posted events), then returns.
class QtEventPump final : public platform::EventPump {
public:
    void processPendingEvents() override;
};

} // namespace quorix::ui
