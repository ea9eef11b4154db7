#pragma once

#include "program/Program.h"

#include <cstdint>

namespace quorix::playback {

// The main window's keyboard handler: virtual-key code and modifier mask (1 Shift, 2 Ctrl,
// 4 Alt).
void Form_KeyDown(program::Program& program, std::int16_t keyCode, std::int16_t shift);

} // namespace quorix::playback
