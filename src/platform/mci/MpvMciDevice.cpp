#include "platform/mci/MpvMciDevice.h"

namespace quorix::platform::mci {

MpvMciDevice::MpvMciDevice(const MpvSettings& settings, const PathResolver& paths)
    : engine_(settings), device_(engine_, paths) {}

std::optional<MciReply> MpvMciDevice::send(std::string_view command) {
    return device_.send(command);
}

} // namespace quorix::platform::mci
