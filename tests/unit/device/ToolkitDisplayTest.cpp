#include "device/ToolkitDisplay.h"

#include <gtest/gtest.h>
#include <map>

namespace quorix::device {
namespace {

std::string DisplayFor(std::map<std::string, std::string> variables,
                       const std::vector<std::string>& arguments = {}) {
    return ToolkitX11Display(arguments, [&variables](const char* name) {
        const auto found = variables.find(name);
        return found != variables.end() ? std::optional(found->second) : std::nullopt;
    });
}

TEST(ToolkitDisplayTest, AnXDisplayOnlyWhereTheToolkitWillDrawOnX11) {
    EXPECT_EQ(DisplayFor({{"DISPLAY", ":1"}}), ":1");
    EXPECT_EQ(DisplayFor({}), "");
    // A Wayland session's compositor comes first (under cage DISPLAY names its XWayland, which
    // a connection would start for nothing).
    EXPECT_EQ(DisplayFor({{"DISPLAY", ":1"}, {"WAYLAND_DISPLAY", "wayland-0"}}), "");
    EXPECT_EQ(DisplayFor({{"DISPLAY", ":1"}, {"XDG_SESSION_TYPE", "wayland"}}), "");
    EXPECT_EQ(DisplayFor({{"DISPLAY", ":1"}, {"XDG_SESSION_TYPE", "x11"}}), ":1");
    // A platform named: the first of a list, whatever the session.
    EXPECT_EQ(DisplayFor({{"DISPLAY", ":1"}, {"WAYLAND_DISPLAY", "w"}, {"QT_QPA_PLATFORM", "xcb"}}),
              ":1");
    EXPECT_EQ(DisplayFor({{"DISPLAY", ":1"}, {"QT_QPA_PLATFORM", "wayland;xcb"}}), "");
    EXPECT_EQ(DisplayFor({{"DISPLAY", ":1"}, {"QT_QPA_PLATFORM", "offscreen"}}), "");
    // The toolkit's own options come before the environment.
    EXPECT_EQ(DisplayFor({{"DISPLAY", ":1"}, {"QT_QPA_PLATFORM", "wayland"}},
                         {"folder", "-platform", "xcb", "-display", ":7"}),
              ":7");
    EXPECT_EQ(DisplayFor({{"DISPLAY", ":1"}}, {"--platform", "offscreen"}), "");
    EXPECT_EQ(DisplayFor({{"DISPLAY", ":1"}}, {"--display", ":2"}), ":2");
    // An option without its value is none.
    EXPECT_EQ(DisplayFor({{"DISPLAY", ":1"}}, {"-display"}), ":1");
}

} // namespace
} // namespace quorix::device
