#pragma once

#include <QRect>
#include <chrono>

class QWidget;
struct mpv_handle;

namespace quorix::device {

// Where a libmpv core shows its pictures: one class for each way of showing them (see
// MakeVideoSurface). A core keeps its surface for its whole life. The surface's widget lies in
// a hidden holder of the core's while no window has been given, and may go with a window that
// held it.
class VideoSurface {
public:
    virtual ~VideoSurface() = default;

    // The widget that shows the picture; null when there is none, or when it went with a window.
    virtual QWidget* widget() const = 0;
    // Before libmpv starts: tells the core where and how to draw. False when it refuses.
    virtual bool configure(mpv_handle* core) = 0;
    // After libmpv has started: connects to it. False when that fails.
    virtual bool attach(mpv_handle* /*core*/) { return true; }
    // Before the core is destroyed: stops taking its pictures.
    virtual void detach() {}
    // Waits (at most until deadline) until the frame the core shows is also the widget's
    // picture. A surface that the core draws into itself has nothing to wait for.
    virtual bool waitUntilDrawn(std::chrono::steady_clock::time_point /*deadline*/) { return true; }
    // Whether the widget's picture has the widget's own size (it may still show one drawn at
    // another). A surface that the core draws into itself always fits.
    virtual bool pictureFits() { return true; }
    // Forgets the picture: until the next one the widget shows black.
    virtual void clear() {}
    // The widget has just left host, where it covered area (in host's coordinates).
    virtual void left(QWidget& /*host*/, QRect /*area*/) {}
};

} // namespace quorix::device
