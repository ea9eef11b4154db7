#pragma once

#include "program/Program.h"

#include <cstdint>

namespace quorix {

// The main window's pointer handlers.
void clip_Click(Program& program, std::int16_t index);
void clip_MouseMove(Program& program, std::int16_t index);
void Btn_Click(Program& program, std::int16_t index);
void Btn_MouseMove(Program& program, std::int16_t index);
void sspanel1_MouseMove(Program& program);
void Picture1_MouseMove(Program& program);
void Picture1_Click(Program& program);
void Label2_Click(Program& program);
void Label2_MouseMove(Program& program);

} // namespace quorix
