#pragma once

#include "platform/ScreenSaverInhibitor.h"

#include <functional>

namespace quorix::platform {

// A screen saver inhibitor for tests that holds it off when available, and runs an action on
// every release() for tests that watch a process that ends right after.
class RecordingScreenSaverInhibitor final : public ScreenSaverInhibitor {
public:
    explicit RecordingScreenSaverInhibitor(bool available = true) : available_(available) {}

    bool inhibit() override { return held_ = held_ || available_; }
    void release() override {
        held_ = false;
        if (onRelease_) {
            onRelease_();
        }
    }

    bool held() const { return held_; }
    void onRelease(std::function<void()> action) { onRelease_ = std::move(action); }

private:
    bool available_;
    bool held_ = false;
    std::function<void()> onRelease_;
};

} // namespace quorix::platform
