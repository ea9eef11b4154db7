#include "app/FirstTickGate.h"

namespace quorix::app {

bool FirstTickGate::passTick(Clock::time_point now) {
    if (!open_ && (!latest_ || now < *latest_)) {
        held_ = true;
        return false;
    }
    open_ = true;
    held_ = false;
    return true;
}

bool FirstTickGate::activated() {
    open_ = true;
    const bool due = held_;
    held_ = false;
    return due;
}

} // namespace quorix::app
