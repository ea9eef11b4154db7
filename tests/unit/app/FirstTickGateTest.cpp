#include "app/FirstTickGate.h"

#include <gtest/gtest.h>

namespace quorix::app {
namespace {

using namespace std::chrono_literals;

TEST(FirstTickGate, TicksWaitForTheWindowAndItsFirstActivationOrTheDesignedTime) {
    const FirstTickGate::Clock::time_point start{};
    FirstTickGate held(1000ms);
    held.shown(start);
    EXPECT_FALSE(held.passTick(start + 50ms));
    EXPECT_FALSE(held.passTick(start + 100ms));
    EXPECT_TRUE(held.activated()); // the held ticks run as one
    EXPECT_TRUE(held.passTick(start + 150ms));
    EXPECT_FALSE(held.activated()); // a later activation brings no tick of its own

    FirstTickGate early(1000ms);
    EXPECT_FALSE(early.activated());
    EXPECT_TRUE(early.passTick(start + 100ms));

    // However late the window comes, ticks wait for it.
    FirstTickGate never(1000ms);
    EXPECT_FALSE(never.passTick(start + 3000ms));
    never.shown(start + 3000ms);
    EXPECT_FALSE(never.passTick(start + 3900ms));
    EXPECT_TRUE(never.passTick(start + 4000ms));
    EXPECT_TRUE(never.passTick(start + 4100ms));
    EXPECT_FALSE(never.activated()); // the held tick was overtaken by the one that ran
}

} // namespace
} // namespace quorix::app
