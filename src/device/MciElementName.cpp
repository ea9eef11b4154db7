#include "device/MciElementName.h"

namespace quorix::device {

std::optional<std::string> MciElementName(const std::string& path) {
    if (path.find_first_of(std::string_view("\"\0", 2)) != std::string::npos) {
        return std::nullopt;
    }
    if (path.find_first_of(" \t") != std::string::npos) {
        return "\"" + path + "\"";
    }
    return path;
}

} // namespace quorix::device
