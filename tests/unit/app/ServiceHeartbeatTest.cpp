#include "app/ServiceHeartbeat.h"

#include "platform/servicemanager/SystemdServiceManager.h"

#include <QTest>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quorix::app {
namespace {

using Messages = std::vector<std::string>;

// What came on the socket since the last look, and how many of it were pings.
Messages Received(int socket, std::size_t& pings) {
    Messages messages;
    char buffer[256];
    pings = 0;
    for (ssize_t size; (size = recv(socket, buffer, sizeof buffer, MSG_DONTWAIT)) >= 0;) {
        messages.emplace_back(buffer, static_cast<std::size_t>(size));
        if (messages.back() == "WATCHDOG=1") {
            messages.pop_back();
            ++pings;
        }
    }
    return messages;
}

// On a notification socket of the test's own, set up as systemd sets one up for a service with a
// watchdog of 600 ms: ready once the window has been painted, alive at least twice a period while
// events are handled and never while the event loop is blocked, stopping at the end.
TEST(ServiceHeartbeat, ReadyAfterThePaintAliveOnlyFromTheEventLoop) {
    if (!platform::SystemdServiceManager::Available()) {
        GTEST_SKIP() << "built without libsystemd";
    }
    const std::string name = "quorix-notify-" + std::to_string(getpid());
    const int socket = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{AF_UNIX, {}};
    name.copy(address.sun_path + 1, name.size()); // abstract: no file to clean up
    ASSERT_EQ(bind(socket, reinterpret_cast<sockaddr*>(&address),
                   static_cast<socklen_t>(sizeof(sa_family_t) + 1 + name.size())),
              0);
    setenv("NOTIFY_SOCKET", ("@" + name).c_str(), 1);
    setenv("WATCHDOG_USEC", "600000", 1);
    setenv("WATCHDOG_PID", std::to_string(getpid()).c_str(), 1);
    platform::SystemdServiceManager manager;
    QWidget window;
    QWidget cover(&window); // as the main window's controls cover it
    cover.setAutoFillBackground(true);
    cover.resize(window.size());
    const ServiceHeartbeat heartbeat(manager, window);

    std::size_t pings = 0;
    QTest::qWait(600);
    EXPECT_EQ(Received(socket, pings), Messages{});
    EXPECT_GE(pings, 2u);
    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Received(socket, pings) == Messages{"READY=1"}; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(700)); // a hung event loop
    Received(socket, pings);
    EXPECT_EQ(pings, 0u);
    QTest::qWait(600);
    EXPECT_EQ(Received(socket, pings), Messages{}) << "ready told twice";
    EXPECT_GE(pings, 2u);
    manager.stopping();
    EXPECT_EQ(Received(socket, pings), Messages{"STOPPING=1"});
    close(socket);
}

} // namespace
} // namespace quorix::app
