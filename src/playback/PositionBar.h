#pragma once

#include "program/Program.h"

#include <cstdint>

namespace quorix::playback {

// Brings up the position panel with its three buttons at the bottom of the window, the bar at the
// device's position.
void ShowPositionBar(program::Program& program);

// Over a paused clip, every seventh move of the pointer brings up the position bar; elsewhere a
// move shows the last hovered button's normal picture again.
void Picture1_MouseMove(program::Program& program);

// The position bar's handlers: restore the last button's picture and seek a paused clip to the
// bar's value unless the program itself is writing it.
void HScroll1_Change(program::Program& program);

void HScroll1_Scroll(program::Program& program);

// The panel's three buttons (0 Left, 1 Enter, 2 Right) act as their keys; the one under the
// pointer shows its hover picture until the pointer moves to another or onto the panel.
void Btn_Click(program::Program& program, std::int16_t index);
void Btn_MouseMove(program::Program& program, std::int16_t index);
void sspanel1_MouseMove(program::Program& program);

} // namespace quorix::playback
