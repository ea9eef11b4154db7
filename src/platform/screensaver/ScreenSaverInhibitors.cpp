#include "platform/screensaver/ScreenSaverInhibitors.h"

namespace quorix::platform {

bool ScreenSaverInhibitors::inhibit() {
    bool held = false;
    for (ScreenSaverInhibitor* way : ways_) {
        // Every way is asked, not just up to the first that works: a desktop's service may
        // leave the X server's own screen saver running.
        held = way->inhibit() || held;
    }
    return held;
}

void ScreenSaverInhibitors::release() {
    for (auto way = ways_.rbegin(); way != ways_.rend(); ++way) {
        (*way)->release();
    }
}

} // namespace quorix::platform
