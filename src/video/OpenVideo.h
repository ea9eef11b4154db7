#pragma once

#include "program/Program.h"

#include <cstdint>

namespace quorix::video {

// Opens the current clip's file as the device "video", switches it to frames, reads its start
// and length and sets the position bar's range to that span. 0 when the clip is open and its
// span known; -1 when it is not (a message or the second window has been shown).
std::int32_t OpenVideo(program::Program& program);

} // namespace quorix::video
