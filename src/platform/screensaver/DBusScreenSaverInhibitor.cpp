#include "platform/screensaver/DBusScreenSaverInhibitor.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QVariant>

namespace quorix::platform {
namespace {

// A desktop answers at once; a service that hangs must not hold up the presentation, nor its end.
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
    if (cookie_) {
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
    const QDBusMessage reply = bus_.call(call, QDBus::Block, CallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1 ||
        reply.arguments().front().metaType().id() != QMetaType::UInt) {
        return false;
    }
    cookie_ = reply.arguments().front().toUInt();
    return true;
}

void DBusScreenSaverInhibitor::release() {
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
