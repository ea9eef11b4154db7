#include "platform/screensaver/X11ScreenSaverInhibitor.h"

#include <QGuiApplication>

// Xlib's macros (None, Bool, Status ...) are kept away from every other header.
#if QUORIX_HAVE_XSS
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#endif

namespace quorix::platform {

X11ScreenSaverInhibitor::~X11ScreenSaverInhibitor() {
    release();
}

_XDisplay* X11ScreenSaverInhibitor::ApplicationDisplay() {
#if QT_CONFIG(xcb)
    if (qGuiApp == nullptr) {
        return nullptr;
    }
    if (const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        return x11->display();
    }
#endif
    return nullptr;
}

#if QUORIX_HAVE_XSS

bool X11ScreenSaverInhibitor::inhibit() {
    if (held_) {
        return true;
    }
    if (display_ == nullptr) {
        return false;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XScreenSaverQueryExtension(display_, &eventBase, &errorBase) ||
        !XScreenSaverQueryVersion(display_, &major, &minor) || major < 1 ||
        (major == 1 && minor < 1)) {
        return false;
    }
    XScreenSaverSuspend(display_, True);
    XFlush(display_);
    held_ = true;
    return true;
}

void X11ScreenSaverInhibitor::release() {
    if (!held_) {
        return;
    }
    held_ = false;
    XScreenSaverSuspend(display_, False);
    XFlush(display_);
}

#else

// Built without the extension's library: the X server's screen saver cannot be held off.
bool X11ScreenSaverInhibitor::inhibit() {
    return false;
}

void X11ScreenSaverInhibitor::release() {}

#endif

} // namespace quorix::platform
