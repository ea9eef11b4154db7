// The session's screen saver service: a cookie for each Inhibit, every call written out the moment
// it comes ("Inhibit 41", "UnInhibit 41"), which shows the client let go before its connection
// closed.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QObject>
#include <cstdio>

class ScreenSaverService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public slots:
    uint Inhibit(const QString& /*application*/, const QString& /*reason*/) {
        return report("Inhibit", next_++);
    }
    void UnInhibit(uint cookie) { report("UnInhibit", cookie); }

private:
    static uint report(const char* call, uint cookie) {
        std::printf("%s %u\n", call, cookie);
        std::fflush(stdout);
        return cookie;
    }
    uint next_ = 41;
};

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    ScreenSaverService service;
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &service,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.freedesktop.ScreenSaver"))) {
        std::fprintf(stderr, "cannot serve on the session bus: %s\n",
                     qPrintable(bus.lastError().message()));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}

#include "ScreenSaverService.moc"
