#pragma once

#include "program/Program.h"

#include <cstdint>

namespace quorix::menu {

// Moves the highlight to menu entry id.
void SetHilite(Program& program, std::int16_t id);

} // namespace quorix::menu
