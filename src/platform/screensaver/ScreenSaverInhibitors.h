#pragma once

#include "platform/ScreenSaverInhibitor.h"

#include <vector>

namespace quorix::platform {

// Several ways of holding off the screen saver, asked together: a desktop session and a bare X
// server each honour their own, and which are present is only known at run time.
class ScreenSaverInhibitors final : public ScreenSaverInhibitor {
public:
    explicit ScreenSaverInhibitors(std::vector<ScreenSaverInhibitor*> ways)
        : ways_(std::move(ways)) {}

    // Asks every way; true when at least one holds the screen saver off.
    bool inhibit() override;
    // Releases every way, in the reverse order.
    void release() override;

private:
    std::vector<ScreenSaverInhibitor*> ways_;
};

} // namespace quorix::platform
