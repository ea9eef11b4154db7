#include "RecordingScreenSaverInhibitor.h"

namespace quorix::platform {

bool RecordingScreenSaverInhibitor::inhibit() {
    calls_.emplace_back("inhibit");
    held_ = held_ || available_;
    return held_;
}

void RecordingScreenSaverInhibitor::release() {
    calls_.emplace_back("release");
    held_ = false;
    if (onRelease_) {
        onRelease_();
    }
}

} // namespace quorix::platform
