#include "platform/screensaver/ScreenSaverInhibitors.h"

#include "RecordingScreenSaverInhibitor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quorix::platform {
namespace {

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
    EXPECT_THAT(order, ::testing::ElementsAre("server", "session"));
    EXPECT_FALSE(session.held());
    EXPECT_FALSE(server.held());

    RecordingScreenSaverInhibitor absent(/*available=*/false);
    RecordingScreenSaverInhibitor none(/*available=*/false);
    EXPECT_TRUE(ScreenSaverInhibitors({&absent, &server}).inhibit());
    EXPECT_TRUE(ScreenSaverInhibitors({&server, &absent}).inhibit());
    EXPECT_FALSE(ScreenSaverInhibitors({&absent, &none}).inhibit());
    EXPECT_FALSE(ScreenSaverInhibitors({}).inhibit());
}

} // namespace
} // namespace quorix::platform
