#pragma once

#include "platform/ServiceManager.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace quorix::app {

// Keeps the service manager informed while the program runs: ready once the main window has
// first been painted on the screen, and alive three times per watchdog period from the thread's
// event loop (nested loops of modal windows included), so that the pings stop exactly when
// events stop being handled: a hung program is then ended and started again.
class ServiceHeartbeat : public QObject {
    Q_OBJECT

public:
    // Beats from now on; made before the first event loop runs, so that a message box shown
    // during start-up keeps the watchdog fed.
    ServiceHeartbeat(platform::ServiceManager& manager, QWidget& mainWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    platform::ServiceManager& manager_;
    QPointer<QWidget> window_;
    QTimer beat_;
};

} // namespace quorix::app
