#pragma once

#include "platform/MciDevice.h"

namespace quorix::device {

// On Windows the platform's own MCI answers: each command goes to winmm's mciSendStringA with a
// 255-character answer buffer and no notification window. Built on Windows only.
class WinmmMciDevice final : public platform::MciDevice {
public:
    std::optional<platform::MciReply> send(std::string_view command) override;
};

} // namespace quorix::device
