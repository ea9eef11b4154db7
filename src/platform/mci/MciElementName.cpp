#include "platform/mci/MciElementName.h"

namespace quorix::platform::mci {

std::optional<std::string> MciElementName(const std::string& path) {
    if (path.find_first_of(std::string_view("\"\0", 2)) != std::string::npos) {
        return std::nullopt;
    }
    if (path.find_first_of(" \t") != std::string::npos) {
        return "\"" + path + "\"";
    }
    return path;
}

} // namespace quorix::platform::mci
