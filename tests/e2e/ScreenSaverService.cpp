// The session's screen saver service: a cookie for each Inhibit, every call written out the moment
// it comes ("Inhibit 41", "UnInhibit 41"), which shows the client let go before its connection
// closed. With "--answer-after MS" it answers Inhibit that much later, with "--answer-after -1"
// never, as a service that hangs.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusMessage>
#include <QObject>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

class ScreenSaverService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    explicit ScreenSaverService(int answerAfter) : answerAfter_(answerAfter) {}

public slots:
    uint Inhibit(const QString& /*application*/, const QString& /*reason*/) {
        const uint cookie = report("Inhibit", next_++);
        if (answerAfter_ != 0) {
            setDelayedReply(true);
            if (answerAfter_ > 0) {
                QTimer::singleShot(answerAfter_, this,
                                   [bus = connection(), reply = message().createReply(cookie)] {
                                       bus.send(reply);
                                   });
            }
        }
        return cookie;
    }
    void UnInhibit(uint cookie) { report("UnInhibit", cookie); }

private:
    static uint report(const char* call, uint cookie) {
        std::printf("%s %u\n", call, cookie);
        std::fflush(stdout);
        return cookie;
    }
    int answerAfter_;
    uint next_ = 41;
};

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const int answerAfter =
        argc == 3 && std::strcmp(argv[1], "--answer-after") == 0 ? std::atoi(argv[2]) : 0;
    QDBusConnection bus = QDBusConnection::sessionBus();
    ScreenSaverService service(answerAfter);
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
