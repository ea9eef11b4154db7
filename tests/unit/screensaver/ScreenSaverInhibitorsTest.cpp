#include "platform/screensaver/ScreenSaverInhibitors.h"

#include "RecordingScreenSaverInhibitor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quorix::platform {
namespace {

using ::testing::ElementsAre;

TEST(ScreenSaverInhibitors, EveryWayIsAskedAndOneIsEnough) {
    RecordingScreenSaverInhibitor session(/*available=*/true);
    RecordingScreenSaverInhibitor server(/*available=*/true);
    ScreenSaverInhibitors both({&session, &server});
    EXPECT_TRUE(both.inhibit());
    EXPECT_TRUE(session.held());
    EXPECT_TRUE(server.held());

    RecordingScreenSaverInhibitor absent(/*available=*/false);
    RecordingScreenSaverInhibitor present(/*available=*/true);
    EXPECT_TRUE(ScreenSaverInhibitors({&absent, &present}).inhibit());
    EXPECT_TRUE(ScreenSaverInhibitors({&present, &absent}).inhibit());

    RecordingScreenSaverInhibitor none(/*available=*/false);
    EXPECT_FALSE(ScreenSaverInhibitors({&absent, &none}).inhibit());
    EXPECT_FALSE(ScreenSaverInhibitors({}).inhibit());
}

TEST(ScreenSaverInhibitors, ReleaseGoesBackwards) {
    std::vector<std::string> order;
    RecordingScreenSaverInhibitor first;
    RecordingScreenSaverInhibitor second;
    first.onRelease([&] { order.emplace_back("first"); });
    second.onRelease([&] { order.emplace_back("second"); });
    ScreenSaverInhibitors both({&first, &second});
    ASSERT_TRUE(both.inhibit());
    both.release();
    EXPECT_THAT(order, ElementsAre("second", "first"));
    EXPECT_FALSE(first.held());
    EXPECT_FALSE(second.held());
}

} // namespace
} // namespace quorix::platform
