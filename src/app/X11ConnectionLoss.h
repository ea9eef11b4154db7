#pragma once

#include <QtGlobal>
#include <atomic>

struct _XDisplay;
struct xcb_connection_t;

namespace quorix::app {

// The end of the program when the X server goes away under it (the display unplugged, the server
// restarted, the session ended). Every thread that talks to the server learns of it at about the
// same moment: the window thread through the toolkit, which then calls exit(), and the video
// output's thread through Xlib, whose default handler calls exit() as well. Two exit() calls at
// once run the static destructors twice over, under threads that still use what they destroy,
// and the process crashes.
//
// While an object of this class lives, every such thread is led into one end instead: the first
// writes one line to standard error and ends the process at once with status 1; any other waits
// for that. Nothing else is cleaned up, because nothing else can be safely: the media device
// would wait for the very video thread that is stuck here, and the other threads may hold any
// lock. What matters goes by itself: the session's screen saver service drops the hold when the
// process's bus connection closes, and the X server's own went with the server.
//
// One at a time: it takes over process-wide hooks (Xlib's I/O error handler, the toolkit's
// message handler) and gives them back when destroyed.
class X11ConnectionLoss {
public:
    // windowConnection: the toolkit's connection to the X server, or null when the program does
    // not run on X11 (the video output may still use X through Xlib).
    explicit X11ConnectionLoss(xcb_connection_t* windowConnection);
    ~X11ConnectionLoss();

    X11ConnectionLoss(const X11ConnectionLoss&) = delete;
    X11ConnectionLoss& operator=(const X11ConnectionLoss&) = delete;

    // The toolkit's connection to the X server when it runs on X11; else null.
    static xcb_connection_t* ApplicationConnection();

private:
    static int OnXlibInputOutputError(_XDisplay* display);
    static void OnToolkitMessage(QtMsgType type, const QMessageLogContext& context,
                                 const QString& text);
    [[noreturn]] void end();

    xcb_connection_t* const windowConnection_;
    std::atomic_flag ending_;
    int (*previousXlibHandler_)(_XDisplay*) = nullptr;
    QtMessageHandler previousMessageHandler_ = nullptr;
};

} // namespace quorix::app
