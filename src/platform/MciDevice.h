#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorix::platform {

// What a media device returns for one command string: the MCI return code (0 = done) and the
// answer text.
struct MciReply {
    std::int32_t code = 0;
    std::string answer;
};

// A media control device driven by MCI command strings.
class MciDevice {
public:
    virtual ~MciDevice() = default;
    // Carries out one command. No value means the send itself failed (the device could not be
    // reached), which is not the same as the device refusing the command with a code.
    virtual std::optional<MciReply> send(std::string_view command) = 0;
};

} // namespace quorix::platform
