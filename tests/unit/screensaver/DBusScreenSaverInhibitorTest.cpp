#include "platform/screensaver/DBusScreenSaverInhibitor.h"

#include "FakeScreenSaver.h"

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>

namespace quorix::platform {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing_support::FakeScreenSaver;

// A private session bus for the tests, with the screen saver service on it when a test offers
// one. Nothing of the machine's own session is touched.
class DBusScreenSaverInhibitorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QStandardPaths::findExecutable("dbus-daemon").isEmpty()) {
            return;
        }
        daemon_ = new QProcess;
        daemon_->start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        if (daemon_->waitForStarted(5000) && daemon_->waitForReadyRead(5000)) {
            address_ = QString::fromUtf8(daemon_->readLine()).trimmed();
        }
    }

    static void TearDownTestSuite() {
        if (daemon_ != nullptr) {
            daemon_->kill();
            daemon_->waitForFinished(5000);
            delete daemon_;
            daemon_ = nullptr;
        }
    }

    void SetUp() override {
        if (address_.isEmpty()) {
            GTEST_SKIP() << "no dbus-daemon to run a private bus (Debian package dbus-daemon)";
        }
    }

    void TearDown() override {
        if (service_) {
            QDBusConnection::disconnectFromBus(serviceName_);
            thread_.quit();
            thread_.wait();
        }
        for (const QString& name : clients_) {
            QDBusConnection::disconnectFromBus(name);
        }
    }

    // A new connection of the program's side to the private bus.
    QDBusConnection client() {
        clients_.push_back(QStringLiteral("client-%1").arg(++connections_));
        return QDBusConnection::connectToBus(address_, clients_.back());
    }

    // Puts the screen saver service on the bus.
    FakeScreenSaver& offerService(bool refuse = false) {
        service_ = std::make_unique<FakeScreenSaver>(refuse);
        thread_.start();
        service_->moveToThread(&thread_);
        serviceName_ = QStringLiteral("service-%1").arg(++connections_);
        QDBusConnection bus = QDBusConnection::connectToBus(address_, serviceName_);
        EXPECT_TRUE(bus.registerService(DBusScreenSaverInhibitor::ServiceName));
        EXPECT_TRUE(bus.registerObject(DBusScreenSaverInhibitor::ObjectPath, service_.get(),
                                       QDBusConnection::ExportAllSlots));
        return *service_;
    }

    static inline QProcess* daemon_ = nullptr;
    static inline QString address_;
    static inline int connections_ = 0;

    QThread thread_;
    std::unique_ptr<FakeScreenSaver> service_;
    QString serviceName_;
    std::vector<QString> clients_;
};

TEST_F(DBusScreenSaverInhibitorTest, HoldsOnceAndReleasesOnce) {
    FakeScreenSaver& service = offerService();
    DBusScreenSaverInhibitor inhibitor(client());

    ASSERT_TRUE(inhibitor.inhibit());
    EXPECT_THAT(service.active(), ElementsAre(41U));
    EXPECT_TRUE(inhibitor.inhibit());
    EXPECT_THAT(service.active(), ElementsAre(41U));

    inhibitor.release();
    EXPECT_THAT(service.active(), IsEmpty());
    inhibitor.release();
    EXPECT_THAT(service.calls(),
                ElementsAre("Inhibit Quorix: Presenting video clips", "UnInhibit 41"));

    // Held again after a release, with a new cookie; the end of the inhibitor releases it.
    {
        DBusScreenSaverInhibitor again(client());
        ASSERT_TRUE(again.inhibit());
        EXPECT_THAT(service.active(), ElementsAre(42U));
    }
    EXPECT_THAT(service.active(), IsEmpty());
}

TEST_F(DBusScreenSaverInhibitorTest, NoBusNoServiceOrARefusalHoldsNothing) {
    clients_.push_back(QStringLiteral("nowhere"));
    DBusScreenSaverInhibitor noBus(
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "nowhere"));
    EXPECT_FALSE(noBus.inhibit());
    DBusScreenSaverInhibitor alone(client());
    EXPECT_FALSE(alone.inhibit());

    FakeScreenSaver& service = offerService(/*refuse=*/true);
    DBusScreenSaverInhibitor refused(client());
    EXPECT_FALSE(refused.inhibit());
    refused.release();
    EXPECT_THAT(service.calls(), ElementsAre("Inhibit Quorix: Presenting video clips"));
}

} // namespace
} // namespace quorix::platform
