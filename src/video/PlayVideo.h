#pragma once

#include "program/Program.h"

#include <cstdint>

namespace quorix::video {

// Puts the open clip into Picture1 with the overscan margin and starts it; on success the state
// becomes playing (1) and the pointer is hidden. 0, or -1 when "play video" was reported failed.
std::int32_t PlayVideo(program::Program& program);

} // namespace quorix::video
