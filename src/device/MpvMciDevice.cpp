#include "device/MpvMciDevice.h"

namespace quorix::device {

MpvMciDevice::MpvMciDevice(const MpvSettings& settings, const platform::PathResolver& paths)
    : engine_(settings), device_(engine_, paths) {}

std::optional<platform::MciReply> MpvMciDevice::send(std::string_view command) {
    return device_.send(command);
}

} // namespace quorix::device
