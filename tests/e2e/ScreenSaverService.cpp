// The session's screen saver service as desktops offer it (org.freedesktop.ScreenSaver), on the
// session bus it is given: hands out a cookie for each Inhibit and writes every call to standard
// output, one line each ("Inhibit 41", "UnInhibit 41"), the moment it comes. A real service drops
// an inhibition by itself when the client's connection closes; only an UnInhibit call shows that
// the client let the screen saver run again itself.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QObject>
#include <cstdio>

class ScreenSaverService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public slots:
    uint Inhibit(const QString& /*application*/, const QString& /*reason*/) {
        const uint cookie = next_++;
        std::printf("Inhibit %u\n", cookie);
        std::fflush(stdout);
        return cookie;
    }

    void UnInhibit(uint cookie) {
        std::printf("UnInhibit %u\n", cookie);
        std::fflush(stdout);
    }

private:
    uint next_ = 41;
};

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    ScreenSaverService service;
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &service,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.freedesktop.ScreenSaver"))) {
        std::fprintf(stderr, "quorix_e2e_screen_saver: cannot serve on the session bus: %s\n",
                     qPrintable(bus.lastError().message()));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}

#include "ScreenSaverService.moc"
