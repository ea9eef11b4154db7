// The renderer probe on the X server the test runs on (an Xvfb: Mesa's software renderer only).
#include "device/RendererProbe.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

namespace quorix::device {
namespace {

std::chrono::steady_clock::time_point In(int seconds) {
    return std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
}

TEST(RendererProbeTest, FindsTheSoftwareRendererOfTheDisplayOrNothingWithoutOne) {
    const char* display = std::getenv("DISPLAY");
    ASSERT_NE(display, nullptr);
    RendererProbe probe(display);
    const std::optional<GraphicsRenderer> found = probe.result(In(10));
    ASSERT_TRUE(found.has_value());
    EXPECT_TRUE(IsSoftwareRenderer(*found)) << found->renderer;
    EXPECT_FALSE(found->vendor.empty());
    // Asked again, the same answer at once.
    EXPECT_EQ(probe.result(In(0)).value_or(GraphicsRenderer{}).renderer, found->renderer);

    std::ostringstream trace;
    EXPECT_EQ(DecideNativeDrawing(std::nullopt, probe, true, trace), NativeDrawing::Images);
    EXPECT_NE(trace.str().find("video output x11: the OpenGL renderer '" + found->renderer),
              std::string::npos)
        << trace.str();

    // Nothing is found without a display.
    RendererProbe missing(":9876");
    EXPECT_FALSE(missing.result(In(10)).has_value());
    RendererProbe none("");
    EXPECT_FALSE(none.result(In(10)).has_value());

    std::ostringstream told;
    EXPECT_EQ(DecideNativeDrawing(std::string("fast"), none, false, told), NativeDrawing::Images);
    EXPECT_NE(told.str().find("QUORIX_VIDEO_OUTPUT='fast'"), std::string::npos) << told.str();
}

} // namespace
} // namespace quorix::device
