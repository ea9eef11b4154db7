#pragma once

#include <cstdint>
#include <string_view>

class QWidget;

namespace quorix::platform {

// What the window system does for the program's windows beyond their own properties: native
// handles, the window-update lock, immediate redraws, the keyboard focus and bringing a
// top-level window to the front by its title.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // The window's native handle as the 32-bit number that media commands carry.
    virtual std::int32_t windowHandle(QWidget& window) = 0;

    // Stops all drawing in the window and its children until unlockUpdates. One window at a
    // time: false, and nothing changes, while another window holds the lock.
    virtual bool lockUpdates(QWidget& window) = 0;
    // Lets the locked window draw again and brings it up to date; nothing when none is locked.
    virtual void unlockUpdates() = 0;

    // Redraws the window and its children now, before anything else runs.
    virtual void refreshNow(QWidget& window) = 0;
    // Gives the window the keyboard focus.
    virtual void setFocus(QWidget& window) = 0;

    // Brings the program's top-level window with this title (exactly, else the first whose
    // title begins with it) to the front and makes it the active window. False when there is
    // none.
    virtual bool activateWindowTitled(std::string_view title) = 0;
};

} // namespace quorix::platform
