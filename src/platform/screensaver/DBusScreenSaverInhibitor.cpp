#include "platform/screensaver/DBusScreenSaverInhibitor.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingReply>
#include <QVariant>
#include <QtGlobal>

namespace quorix::platform {
namespace {

// A desktop answers at once; a service that hangs must not hold up the end of the presentation.
constexpr int CallTimeoutMs = 2000;

QDBusMessage ScreenSaverCall(const char* method) {
    return QDBusMessage::createMethodCall(DBusScreenSaverInhibitor::ServiceName,
                                          DBusScreenSaverInhibitor::ObjectPath,
                                          DBusScreenSaverInhibitor::InterfaceName, method);
}

} // namespace

DBusScreenSaverInhibitor::DBusScreenSaverInhibitor()
    : DBusScreenSaverInhibitor(QDBusConnection::sessionBus()) {}

DBusScreenSaverInhibitor::DBusScreenSaverInhibitor(QDBusConnection bus) : bus_(std::move(bus)) {}

DBusScreenSaverInhibitor::~DBusScreenSaverInhibitor() {
    release();
}

bool DBusScreenSaverInhibitor::inhibit() {
    if (cookie_ || asking_) {
        return true;
    }
    if (!bus_.isConnected()) {
        return false;
    }
    // Asked first, so that calling the service never starts one that is not running.
    const QDBusConnectionInterface* names = bus_.interface();
    if (names == nullptr || !names->isServiceRegistered(ServiceName).value()) {
        return false;
    }
    QDBusMessage call = ScreenSaverCall("Inhibit");
    call << QStringLiteral("Quorix") << QStringLiteral("Presenting video clips");
    asking_ = std::make_unique<QDBusPendingCallWatcher>(bus_.asyncCall(call, CallTimeoutMs));
    QObject::connect(asking_.get(), &QDBusPendingCallWatcher::finished, asking_.get(),
                     [this](QDBusPendingCallWatcher* watcher) { answered(*watcher); });
    return true;
}

void DBusScreenSaverInhibitor::answered(const QDBusPendingCall& call) {
    const QDBusPendingReply<uint> reply(call);
    // The watcher goes once its signal has been handled.
    asking_.release()->deleteLater();
    if (reply.isError()) {
        qWarning("quorix: the session's screen saver service did not hold off the screen "
                 "saver: %s",
                 qPrintable(reply.error().message()));
        return;
    }
    cookie_ = reply.value();
}

void DBusScreenSaverInhibitor::release() {
    asking_.reset();
    if (!cookie_) {
        return;
    }
    QDBusMessage call = ScreenSaverCall("UnInhibit");
    call << static_cast<uint>(*cookie_);
    cookie_.reset();
    // Waited for, so that the request has left before the program ends. A refusal changes
    // nothing: the service drops the inhibition anyway when this connection closes.
    (void)bus_.call(call, QDBus::Block, CallTimeoutMs);
}

} // namespace quorix::platform
