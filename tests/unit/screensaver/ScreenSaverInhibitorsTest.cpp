#include "platform/screensaver/ScreenSaverInhibitors.h"

#include "RecordingScreenSaverInhibitor.h"
#include "platform/screensaver/DBusScreenSaverInhibitor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <set>

namespace quorix::platform {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(ScreenSaverInhibitors, EveryWayIsAskedOneIsEnoughAndReleaseGoesBackwards) {
    std::vector<std::string> order;
    RecordingScreenSaverInhibitor session(/*available=*/true);
    RecordingScreenSaverInhibitor server(/*available=*/true);
    session.onRelease([&] { order.emplace_back("session"); });
    server.onRelease([&] { order.emplace_back("server"); });
    ScreenSaverInhibitors both({&session, &server});
    EXPECT_TRUE(both.inhibit());
    EXPECT_TRUE(session.held());
    EXPECT_TRUE(server.held());
    both.release();
    EXPECT_THAT(order, ElementsAre("server", "session"));

    RecordingScreenSaverInhibitor absent(/*available=*/false);
    EXPECT_TRUE(ScreenSaverInhibitors({&absent, &server}).inhibit());
    EXPECT_TRUE(ScreenSaverInhibitors({&server, &absent}).inhibit());
    EXPECT_FALSE(ScreenSaverInhibitors({&absent, &absent}).inhibit());
    EXPECT_FALSE(ScreenSaverInhibitors({}).inhibit());
}

// Lets events run until condition holds, for at most the time given; whether it held.
bool EventsUntil(const std::function<bool()>& condition, int milliseconds = 2000) {
    const QDeadlineTimer deadline(milliseconds);
    while (!condition() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return condition();
}

// The session's screen saver service as desktops offer it: hands out cookies for Inhibit, takes
// them back on UnInhibit, and remembers every call, or refuses. Lives in a thread of its own.
class FakeScreenSaver : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    explicit FakeScreenSaver(bool refuse) : refuse_(refuse) {}
    std::set<uint> active() const {
        std::lock_guard lock(mutex_);
        return active_;
    }
    std::vector<std::string> calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }

public slots:
    uint Inhibit(const QString& application, const QString& reason) {
        std::lock_guard lock(mutex_);
        calls_.push_back("Inhibit " + application.toStdString() + ": " + reason.toStdString());
        if (refuse_) {
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("not now"));
            return 0;
        }
        active_.insert(next_);
        return next_++;
    }
    void UnInhibit(uint cookie) {
        std::lock_guard lock(mutex_);
        calls_.push_back("UnInhibit " + std::to_string(cookie));
        active_.erase(cookie);
    }

private:
    const bool refuse_;
    mutable std::mutex mutex_;
    uint next_ = 41;
    std::set<uint> active_;
    std::vector<std::string> calls_;
};

// A private session bus of the tests' own, with the screen saver service on it when a test offers
// one. Nothing of the machine's own session is touched.
class DBusScreenSaverInhibitorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        daemon_ = new QProcess;
        daemon_->start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        if (daemon_->waitForStarted(5000) && daemon_->waitForReadyRead(5000)) {
            address_ = QString::fromUtf8(daemon_->readLine()).trimmed();
        }
    }
    static void TearDownTestSuite() { delete daemon_; } // which kills the bus and waits for it
    void SetUp() override {
        if (address_.isEmpty()) {
            GTEST_SKIP() << "no dbus-daemon to run a private bus (Debian package dbus-daemon)";
        }
    }
    void TearDown() override {
        for (const QString& name : connections_) {
            QDBusConnection::disconnectFromBus(name);
        }
        thread_.quit();
        thread_.wait();
    }

    QDBusConnection connect() {
        connections_.push_back(QString::number(connections_.size()));
        return QDBusConnection::connectToBus(address_, connections_.back());
    }
    FakeScreenSaver& offerService(bool refuse = false) {
        service_ = std::make_unique<FakeScreenSaver>(refuse);
        thread_.start();
        service_->moveToThread(&thread_);
        QDBusConnection bus = connect();
        EXPECT_TRUE(bus.registerService(DBusScreenSaverInhibitor::ServiceName));
        EXPECT_TRUE(bus.registerObject(DBusScreenSaverInhibitor::ObjectPath, service_.get(),
                                       QDBusConnection::ExportAllSlots));
        return *service_;
    }

    static inline QProcess* daemon_ = nullptr;
    static inline QString address_;
    QThread thread_;
    std::unique_ptr<FakeScreenSaver> service_;
    std::vector<QString> connections_;
};

TEST_F(DBusScreenSaverInhibitorTest, HoldsOnceAndReleasesOnce) {
    FakeScreenSaver& service = offerService();
    DBusScreenSaverInhibitor inhibitor(connect());
    ASSERT_TRUE(inhibitor.inhibit());
    EXPECT_TRUE(inhibitor.inhibit());
    ASSERT_TRUE(EventsUntil([&] { return inhibitor.held(); }));
    EXPECT_THAT(service.active(), ElementsAre(41U));
    inhibitor.release();
    EXPECT_THAT(service.active(), IsEmpty());
    inhibitor.release();
    EXPECT_THAT(service.calls(),
                ElementsAre("Inhibit Quorix: Presenting video clips", "UnInhibit 41"));

    // Held again with a new cookie; the end of the inhibitor releases it.
    {
        DBusScreenSaverInhibitor again(connect());
        ASSERT_TRUE(again.inhibit());
        ASSERT_TRUE(EventsUntil([&] { return again.held(); }));
        EXPECT_THAT(service.active(), ElementsAre(42U));
    }
    EXPECT_THAT(service.active(), IsEmpty());
}

TEST_F(DBusScreenSaverInhibitorTest, NoBusNoServiceOrARefusalHoldsNothing) {
    connections_.push_back(QStringLiteral("nowhere"));
    DBusScreenSaverInhibitor noBus(
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "nowhere"));
    EXPECT_FALSE(noBus.inhibit());
    DBusScreenSaverInhibitor alone(connect());
    EXPECT_FALSE(alone.inhibit());

    FakeScreenSaver& service = offerService(/*refuse=*/true);
    DBusScreenSaverInhibitor refused(connect());
    EXPECT_TRUE(refused.inhibit()); // asked
    ASSERT_TRUE(EventsUntil([&] { return !service.calls().empty(); }));
    EXPECT_FALSE(EventsUntil([&] { return refused.held(); }, 200));
    refused.release();
    EXPECT_THAT(service.calls(), ElementsAre("Inhibit Quorix: Presenting video clips"));
}

} // namespace
} // namespace quorix::platform

#include "ScreenSaverInhibitorsTest.moc"
