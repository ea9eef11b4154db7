#pragma once

#include "platform/ScreenSaverInhibitor.h"

#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

namespace quorix::platform {

// Holds off the screen saver through the session's standard D-Bus service
// org.freedesktop.ScreenSaver (Inhibit and UnInhibit), which desktops that blank the screen
// provide and which also keeps the display's power saving off. The service drops an inhibition
// by itself when the connection that asked for it closes, so it ends with the process even when
// release() is never reached.
class DBusScreenSaverInhibitor final : public ScreenSaverInhibitor {
public:
    static constexpr const char* ServiceName = "org.freedesktop.ScreenSaver";
    static constexpr const char* ObjectPath = "/org/freedesktop/ScreenSaver";
    static constexpr const char* InterfaceName = "org.freedesktop.ScreenSaver";

    // The session bus of the desktop the program runs on.
    DBusScreenSaverInhibitor();
    // A given bus (tests use a private one).
    explicit DBusScreenSaverInhibitor(QDBusConnection bus);
    ~DBusScreenSaverInhibitor() override;

    DBusScreenSaverInhibitor(const DBusScreenSaverInhibitor&) = delete;
    DBusScreenSaverInhibitor& operator=(const DBusScreenSaverInhibitor&) = delete;

    // False when there is no session bus or no screen saver service on it. The service is asked
    // without waiting for its answer (a service that hangs must not hold up the window); a
    // refusal that comes later is written to the log.
    bool inhibit() override;
    // A request still unanswered is dropped; the service lets go when the connection closes.
    void release() override;
    // The service has answered with an inhibition that is held.
    bool held() const { return cookie_.has_value(); }

private:
    void answered(const QDBusPendingCall& reply);

    QDBusConnection bus_;
    std::unique_ptr<QDBusPendingCallWatcher> asking_; // while the answer to Inhibit is due
    std::optional<std::uint32_t> cookie_;             // what Inhibit answered, while held
};

} // namespace quorix::platform
