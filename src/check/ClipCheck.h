#pragma once

#include "platform/MciDevice.h"
#include "platform/PathResolver.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorix::check {

// What became of one catalogue entry's clip.
struct ClipCheck {
    std::string hostPath;               // where the file name leads on this machine
    std::optional<std::int32_t> length; // in frames, when the device could measure it
    std::vector<std::string> problems;  // one line each
};

// The longest clip whose every frame the position bar can reach: its range is 16-bit.
inline constexpr std::int32_t LongestClipForBar = 32767;

// Looks for the file of catalogue entry `index` (0-based) and has the device open and measure it
// the way the presenter does, under the alias "check": "open <path> alias check", "set check time
// format frames", "status check length", "close check". A file that is not there is not sent to
// the device, nor is a name holding a NUL. Problems: such a name, a name holding characters that
// are no readable text, a missing file (and the first missing folder on its way), an open the
// device refuses (with its MCI code and name), a length it cannot give, a clip longer than the
// position bar reaches. Names are shown decoded, with control characters written out.
ClipCheck CheckClip(platform::MciDevice& device, const platform::PathResolver& paths,
                    const std::string& mediaPath, int index, const std::string& title,
                    const std::string& file);

} // namespace quorix::check
