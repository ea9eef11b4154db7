#include "device/VideoOutput.h"

#include <QGuiApplication>

namespace quorix::device {

VideoOutput videoOutputForPlatform() {
    const QString platform = QGuiApplication::platformName();
    // Only these let a foreign library draw into a window of ours; elsewhere (Wayland, the
    // offscreen platform) the picture is rendered in software and painted by Qt.
    if (platform == QLatin1String("xcb") || platform == QLatin1String("windows")) {
        return VideoOutput::Native;
    }
    return VideoOutput::Software;
}

} // namespace quorix::device
