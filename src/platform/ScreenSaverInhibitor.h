#pragma once

namespace quorix::platform {

// Keeps the screen on while the presentation runs: holds off the desktop's screen saver and the
// display's power saving, and lets them run again at the end.
class ScreenSaverInhibitor {
public:
    virtual ~ScreenSaverInhibitor() = default;
    // Holds them off; true when they are held off, or asked to be where the answer comes later.
    // Asking again while held changes nothing.
    virtual bool inhibit() = 0;
    // Lets them run again; nothing happens when they are not held off.
    virtual void release() = 0;
};

} // namespace quorix::platform
