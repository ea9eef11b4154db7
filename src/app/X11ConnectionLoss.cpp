#include "app/X11ConnectionLoss.h"

#include <QGuiApplication>
#include <cerrno>
#include <ctime>
#include <unistd.h>

#if QUORIX_HAVE_XLIB
#include <X11/Xlib.h>
#include <xcb/xcb.h>
#endif

namespace quorix::app {
namespace {

// Xlib's I/O error handler and the toolkit's message handler are plain functions without a
// context argument: they find the object through this, for as long as it lives.
std::atomic<X11ConnectionLoss*> active{nullptr};

} // namespace

X11ConnectionLoss::X11ConnectionLoss(xcb_connection_t* windowConnection)
    : windowConnection_(windowConnection) {
    X11ConnectionLoss* none = nullptr;
    if (!active.compare_exchange_strong(none, this)) {
        return; // another one holds the hooks already
    }
#if QUORIX_HAVE_XLIB
    // Process-wide, so it also covers the connections that libmpv opens for its video output.
    previousXlibHandler_ = XSetIOErrorHandler(&X11ConnectionLoss::OnXlibInputOutputError);
    if (windowConnection_ != nullptr) {
        previousMessageHandler_ = qInstallMessageHandler(&X11ConnectionLoss::OnToolkitMessage);
    }
#endif
}

X11ConnectionLoss::~X11ConnectionLoss() {
    if (active.load() != this) {
        return;
    }
#if QUORIX_HAVE_XLIB
    XSetIOErrorHandler(previousXlibHandler_);
    if (windowConnection_ != nullptr) {
        qInstallMessageHandler(previousMessageHandler_);
    }
#endif
    active.store(nullptr);
}

xcb_connection_t* X11ConnectionLoss::ApplicationConnection() {
#if QT_CONFIG(xcb)
    if (qGuiApp == nullptr) {
        return nullptr;
    }
    if (const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        return x11->connection();
    }
#endif
    return nullptr;
}

int X11ConnectionLoss::OnXlibInputOutputError(_XDisplay* /*display*/) {
    // Returning would let Xlib call exit() from this thread.
    X11ConnectionLoss* self = active.load();
    if (self == nullptr) {
        _exit(1); // given back meanwhile: the process is on its way out anyway
    }
    self->end();
}

void X11ConnectionLoss::OnToolkitMessage(QtMsgType type, const QMessageLogContext& context,
                                         const QString& text) {
    X11ConnectionLoss* self = active.load();
    if (self == nullptr) {
        return;
    }
    if (self->previousMessageHandler_ != nullptr) {
        self->previousMessageHandler_(type, context, text);
    }
#if QUORIX_HAVE_XLIB
    // The toolkit warns that its connection broke right before it calls exit() itself: this is
    // the last moment to take the end over. The connection's state, not the words, tells.
    if (xcb_connection_has_error(self->windowConnection_) != 0) {
        self->end();
    }
#endif
}

void X11ConnectionLoss::end() {
    if (!ending_.test_and_set()) {
        // Only calls that are safe whatever other threads hold: no allocation, no stdio.
        static constexpr char message[] = "quorix: the connection to the X server was lost\n";
        if (write(STDERR_FILENO, message, sizeof message - 1) < 0) {
            // Nobody to tell.
        }
        _exit(1);
    }
    // Another thread is ending the process; should it not get there within a second (its write
    // blocked on a full pipe), this one ends it.
    timespec left{1, 0};
    while (nanosleep(&left, &left) == -1 && errno == EINTR) {
    }
    _exit(1);
}

} // namespace quorix::app
