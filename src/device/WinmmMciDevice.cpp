#include "device/WinmmMciDevice.h"

#include <array>
#include <string>
// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

namespace quorix::device {

std::optional<platform::MciReply> WinmmMciDevice::send(std::string_view command) {
    const std::string text(command);
    std::array<char, 256> answer{};
    const MCIERROR code = mciSendStringA(text.c_str(), answer.data(), 255, nullptr);
    answer.back() = '\0';
    return platform::MciReply{static_cast<std::int32_t>(code), std::string(answer.data())};
}

} // namespace quorix::device
