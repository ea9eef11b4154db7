#pragma once

#include "program/Program.h"

#include <cstdint>

namespace quorix {

// The button last given its hover picture shows its normal picture again.
void ResetLastButton(Program& program);

// The main window's pointer handlers; the video area's is the position bar's (playback/).
void clip_Click(Program& program, std::int16_t index);
void clip_MouseMove(Program& program, std::int16_t index);
void Btn_Click(Program& program, std::int16_t index);
void Btn_MouseMove(Program& program, std::int16_t index);
void sspanel1_MouseMove(Program& program);
void Picture1_Click(Program& program);
void Label2_Click(Program& program);
void Label2_MouseMove(Program& program);

} // namespace quorix
