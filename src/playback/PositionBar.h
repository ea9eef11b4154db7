#pragma once

#include "program/Program.h"

namespace quorix {

// Brings up the position panel with its three buttons at the bottom of the window, the bar at the
// device's position.
void ShowPositionBar(Program& program);

// Over a paused clip, every seventh move of the pointer brings up the position bar; elsewhere a
// move shows the last hovered button's normal picture again.
void Picture1_MouseMove(Program& program);

// The position bar's handlers: restore the last button's picture and seek a paused clip to the
// bar's value unless the program itself is writing it.
void HScroll1_Change(Program& program);

void HScroll1_Scroll(Program& program);

} // namespace quorix
