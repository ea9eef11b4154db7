#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorix::device {

// Reads one environment variable: no value when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

// The process's own environment.
std::optional<std::string> ProcessEnvironment(const char* name);

// The X display the toolkit will draw on, told before it starts; empty when it will draw
// elsewhere. arguments are the command line after the program name, where the toolkit's own
// options ("-platform NAME", "-display NAME") stand. The toolkit takes the platform from its
// option, else from QT_QPA_PLATFORM (the first of a list: it tries them in turn), else a
// Wayland session's compositor (WAYLAND_DISPLAY, XDG_SESSION_TYPE=wayland) before an X server.
std::string ToolkitX11Display(const std::vector<std::string>& arguments,
                              const EnvironmentLookup& environment);

} // namespace quorix::device
