#pragma once

#include "platform/PointerDisplayCounter.h"
#include "ui/OverrideCursor.h"

namespace quorix::ui {

// The pointer's display count on Qt. While the count is below 0 the pointer is blank over every
// window of the program, the native video surface included, whatever the screen's pointer says.
class QtPointerDisplayCounter final : public platform::PointerDisplayCounter {
public:
    explicit QtPointerDisplayCounter(OverrideCursor& cursor) : cursor_(cursor) {}

    int showCursor(bool show) override;
    int count() const { return count_; }

private:
    OverrideCursor& cursor_;
    int count_ = 0;
};

} // namespace quorix::ui
