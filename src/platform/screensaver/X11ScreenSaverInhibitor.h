#pragma once

#include "platform/ScreenSaverInhibitor.h"

struct _XDisplay;

namespace quorix::platform {

// Holds off the X server's own screen saver and its display power saving (DPMS) through the
// screen saver extension's suspend request (version 1.1 and later). That is what keeps the screen
// on under a bare X server, as in a kiosk without a desktop. The server lifts the suspension by
// itself when this client's connection closes.
class X11ScreenSaverInhibitor final : public ScreenSaverInhibitor {
public:
    // The X connection to use; null when the program does not run on X11.
    explicit X11ScreenSaverInhibitor(_XDisplay* display) : display_(display) {}
    ~X11ScreenSaverInhibitor() override;

    X11ScreenSaverInhibitor(const X11ScreenSaverInhibitor&) = delete;
    X11ScreenSaverInhibitor& operator=(const X11ScreenSaverInhibitor&) = delete;

    // The X connection of the Qt application, when it runs on X11; else null.
    static _XDisplay* ApplicationDisplay();

    // False without an X connection or without the extension.
    bool inhibit() override;
    void release() override;

private:
    _XDisplay* display_;
    bool held_ = false;
};

} // namespace quorix::platform
