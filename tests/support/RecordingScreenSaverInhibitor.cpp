#include "RecordingScreenSaverInhibitor.h"

namespace quorix::platform {

bool RecordingScreenSaverInhibitor::inhibit() {
    held_ = held_ || available_;
    return held_;
}

void RecordingScreenSaverInhibitor::release() {
    held_ = false;
    if (onRelease_) {
        onRelease_();
    }
}

} // namespace quorix::platform
