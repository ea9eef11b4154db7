#include "app/ServiceHeartbeat.h"

#include <QEvent>
#include <QWindow>
#include <algorithm>
#include <chrono>

namespace quorix::app {

ServiceHeartbeat::ServiceHeartbeat(platform::ServiceManager& manager, QWidget& mainWindow)
    : manager_(manager), window_(&mainWindow) {
    mainWindow.installEventFilter(this);
    if (const auto timeout = manager.watchdogTimeout()) {
        // Three beats a period: one late beat still leaves two inside it.
        const auto interval = std::chrono::duration_cast<std::chrono::milliseconds>(*timeout / 3);
        beat_.setInterval(std::max(interval, std::chrono::milliseconds(1)));
        connect(&beat_, &QTimer::timeout, this, [this] { manager_.alive(); });
        beat_.start();
    }
}

bool ServiceHeartbeat::eventFilter(QObject* watched, QEvent* event) {
    // The main window's own paint events say nothing: its controls cover it. Its native window
    // exists once it is shown, and is painted and put on the screen while its first exposure is
    // handled.
    QWindow* native = window_ != nullptr ? window_->windowHandle() : nullptr;
    if (watched == window_ && event->type() == QEvent::Show && native != nullptr) {
        window_->removeEventFilter(this);
        native->installEventFilter(this);
    } else if (watched == native && event->type() == QEvent::Expose && native->isExposed()) {
        native->removeEventFilter(this);
        // Told once the exposure has been handled, not when it is about to be.
        QMetaObject::invokeMethod(
            this, [this] { manager_.ready(); }, Qt::QueuedConnection);
    }
    return false;
}

} // namespace quorix::app
