#pragma once

#include "program/Program.h"

namespace quorix::video {

// Shows the pointer again, back to the display count it had before HideMouse.
void ShowMouse(program::Program& program);

// Hides the pointer, leaving the display count at exactly -1 whatever it was.
void HideMouse(program::Program& program);

} // namespace quorix::video
