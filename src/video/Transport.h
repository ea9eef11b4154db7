#pragma once

#include "program/Program.h"

#include <cstdint>

namespace quorix::video {

// Pauses a playing clip or resumes a halted one.
void TogglePause(program::Program& program);

// Moves a paused clip to a frame; does nothing in any other state. The seek's return code, 0
// when nothing was sent.
std::int32_t SeekVideo(program::Program& program, std::int32_t frame);

// Closes the device; Picture1 is hidden while it closes.
void CloseVideo(program::Program& program);

} // namespace quorix::video
