#pragma once

#include "startup/Program.h"

namespace quorix {

// The position bar's handlers: restore the last button's picture and seek a paused clip to the
// bar's value unless the program itself is writing it.
void HScroll1_Change(Program& program);
void HScroll1_Scroll(Program& program);

} // namespace quorix
