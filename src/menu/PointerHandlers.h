#pragma once

#include "program/Program.h"

#include <cstdint>

namespace quorix::menu {

// The main window's pointer handlers over the menu; the video area's and the position panel's
// are the position bar's (playback/).
void clip_Click(program::Program& program, std::int16_t index);
void clip_MouseMove(program::Program& program, std::int16_t index);
void Picture1_Click(program::Program& program);
void Label2_Click(program::Program& program);
void Label2_MouseMove(program::Program& program);

} // namespace quorix::menu
