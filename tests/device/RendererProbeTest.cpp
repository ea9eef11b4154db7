// The renderer probe on the X server the test runs on (an Xvfb: Mesa's software renderer only),
// and the media device's set-up that starts it.
#include "device/RendererProbe.h"

#include "device/MpvSetUp.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <sys/wait.h>

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

// Whether this process has a child, running or not yet collected (looked at, not collected).
bool HasChild() {
    siginfo_t info{};
    return waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == 0 || errno != ECHILD;
}

EnvironmentLookup Environment(std::map<std::string, std::string> variables) {
    return [variables](const char* name) -> std::optional<std::string> {
        const auto found = variables.find(name);
        return found != variables.end() ? std::optional(found->second) : std::nullopt;
    };
}

TEST(RendererProbeTest, TheSetUpProbesOnlyForANativeWindowAndLeavesNoChildBehind) {
    const std::string display = std::getenv("DISPLAY");
    char program[] = "test";
    char* argv[] = {program, nullptr};
    ASSERT_FALSE(HasChild());
    // A machine with a graphics card (its render node), and one without, on which the renderer
    // can only be a software one.
    QTemporaryDir withCard;
    QTemporaryDir withoutCard;
    const std::filesystem::path devices = withCard.path().toStdString();
    std::filesystem::create_directory(devices / "dri");
    std::ofstream(devices / "dri" / "renderD128").put('\n');
    const MpvSetUp bare(*RequestNamed("native"), 1, argv, Environment({{"DISPLAY", display}}),
                        withoutCard.path().toStdString());
    EXPECT_FALSE(HasChild());
    // Under a compositor whose session names an X display too (cage with XWayland), the toolkit
    // draws on Wayland: a connection to that display would start XWayland for nothing.
    for (const auto& [request, variables] :
         std::initializer_list<std::pair<DeviceRequest, std::map<std::string, std::string>>>{
             {{}, {{"DISPLAY", display}, {"WAYLAND_DISPLAY", "wayland-0"}}},
             {{}, {{"DISPLAY", display}, {"QT_QPA_PLATFORM", "offscreen"}}},
             {*RequestNamed("software"), {{"DISPLAY", display}}},
             {*RequestNamed("x11"), {{"DISPLAY", display}}},
             {{}, {{"DISPLAY", display}, {ForcedDrawingVariable, "gpu"}}}}) {
        MpvSetUp setUp(request, 1, argv, Environment(variables), devices);
        EXPECT_FALSE(HasChild()) << variables.size();
    }

    // The probe's child is collected once it has answered, and when the toolkit turns out to draw
    // elsewhere than was told before it started.
    MpvSetUp native(*RequestNamed("native"), 1, argv, Environment({{"DISPLAY", display}}), devices);
    MpvSetUp elsewhere({}, 1, argv, Environment({{"DISPLAY", display}, {"QT_QPA_PLATFORM", "xcb"}}),
                       devices);
    EXPECT_TRUE(HasChild());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    QGuiApplication application(argc, argv);
    EXPECT_EQ(elsewhere.settings().output, VideoOutput::Software);
    const MpvSettings settings = native.settings();
    ASSERT_EQ(settings.output, VideoOutput::Native);
    EXPECT_EQ(settings.nativeDrawing(), NativeDrawing::Images);
    EXPECT_FALSE(HasChild());
}

} // namespace
} // namespace quorix::device
