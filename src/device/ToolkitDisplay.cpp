#include "device/ToolkitDisplay.h"

#include <cstdlib>
#include <string_view>

namespace quorix::device {
namespace {

// The value of the toolkit's option of that name ("-name VALUE" or "--name VALUE").
std::optional<std::string> OptionValue(const std::vector<std::string>& arguments,
                                       std::string_view name) {
    std::optional<std::string> value;
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        std::string_view word = arguments[i];
        if (word.starts_with("--")) {
            word.remove_prefix(1);
        }
        if (word.starts_with('-') && word.substr(1) == name) {
            value = arguments[i + 1];
        }
    }
    return value;
}

} // namespace

std::optional<std::string> ProcessEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

std::string ToolkitX11Display(const std::vector<std::string>& arguments,
                              const EnvironmentLookup& environment) {
    std::string platform = OptionValue(arguments, "platform").value_or("");
    if (platform.empty()) {
        platform = environment("QT_QPA_PLATFORM").value_or("");
    }
    if (platform.empty()) {
        if (environment("WAYLAND_DISPLAY") || environment("XDG_SESSION_TYPE") == "wayland") {
            return {};
        }
    } else if (!platform.starts_with("xcb")) {
        return {};
    }
    return OptionValue(arguments, "display").value_or(environment("DISPLAY").value_or(""));
}

} // namespace quorix::device
