// The session's screen saver service (org.freedesktop.ScreenSaver) on the session bus it is
// given: a cookie for each Inhibit, and every call written to standard output the moment it
// comes ("Inhibit 41", "UnInhibit 41"). A real service drops an inhibition by itself when the
// client's connection closes; only an UnInhibit call shows that the client let it go itself.

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
