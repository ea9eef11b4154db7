#pragma once

#include "program/Program.h"

namespace quorix {

// Brings up the position panel with its three buttons at the bottom of the window, the bar at the
// device's position.
void ShowPositionBar(Program& program);

// The position bar's handlers: restore the last button's picture and seek a paused clip to the
// bar's value unless the program itself is writing it.
void HScroll1_Change(Program& program);
void HScroll1_Scroll(Program& program);

} // namespace quorix
