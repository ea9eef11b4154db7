#include "app/FirstTickGate.h"

#include <gtest/gtest.h>

namespace quorix {
namespace {

using namespace std::chrono_literals;
using Clock = FirstTickGate::Clock;

TEST(FirstTickGate, TicksBeforeTheFirstActivationAreHeldAndOneRunsOnIt) {
    const Clock::time_point start{};
    FirstTickGate gate(start + 1000ms);
    EXPECT_FALSE(gate.passTick(start + 50ms));
    EXPECT_FALSE(gate.passTick(start + 100ms));
    EXPECT_TRUE(gate.activated()); // the held ticks run as one
    EXPECT_TRUE(gate.passTick(start + 150ms));
    EXPECT_FALSE(gate.activated()); // a later activation brings no tick of its own

    FirstTickGate late(start + 1000ms);
    EXPECT_FALSE(late.activated());
    EXPECT_TRUE(late.passTick(start + 100ms));
}

TEST(FirstTickGate, AWindowNeverActivatedStillGetsTicksFromTheDesignedTimeOn) {
    const Clock::time_point start{};
    FirstTickGate gate(start + 1000ms);
    EXPECT_FALSE(gate.passTick(start + 900ms));
    EXPECT_TRUE(gate.passTick(start + 1000ms));
    EXPECT_TRUE(gate.passTick(start + 1100ms));
    EXPECT_FALSE(gate.activated()); // the held tick was overtaken by the one that ran
}

} // namespace
} // namespace quorix
