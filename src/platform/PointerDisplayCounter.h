#pragma once

namespace quorix::platform {

// The pointer's display count: each request moves it by one and returns the new count; the
// pointer is visible while the count is 0 or more. Starts at 0.
class PointerDisplayCounter {
public:
    virtual ~PointerDisplayCounter() = default;
    virtual int showCursor(bool show) = 0;
};

} // namespace quorix::platform
