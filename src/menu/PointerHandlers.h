#pragma once

#include "program/Program.h"

#include <cstdint>

namespace quorix::menu {

// The main window's pointer handlers over the menu; the video area's and the position panel's
// are the position bar's (playback/).
void clip_Click(Program& program, std::int16_t index);
void clip_MouseMove(Program& program, std::int16_t index);
void Picture1_Click(Program& program);
void Label2_Click(Program& program);
void Label2_MouseMove(Program& program);

} // namespace quorix::menu
