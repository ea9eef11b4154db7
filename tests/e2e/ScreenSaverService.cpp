// The session's screen saver service: a cookie for each Inhibit, every call written out the moment
// it comes ("Inhibit 41", "UnInhibit 41"), which shows the client let go before its connection
// closed. With "--hang" it never answers Inhibit.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QObject>
#include <cstdio>
#include <cstring>

class ScreenSaverService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    explicit ScreenSaverService(bool hang) : hang_(hang) {}

public slots:
    uint Inhibit(const QString& /*application*/, const QString& /*reason*/) {
        setDelayedReply(hang_);
        return report("Inhibit", next_++);
    }
    void UnInhibit(uint cookie) { report("UnInhibit", cookie); }

private:
    static uint report(const char* call, uint cookie) {
        std::printf("%s %u\n", call, cookie);
        std::fflush(stdout);
        return cookie;
    }
    bool hang_;
    uint next_ = 41;
};

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    ScreenSaverService service(argc == 2 && std::strcmp(argv[1], "--hang") == 0);
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
