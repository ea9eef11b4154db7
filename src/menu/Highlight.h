#pragma once

#include "program/Program.h"

#include <cstdint>

namespace quorix::menu {

// Moves the highlight to menu entry id.
void SetHilite(program::Program& program, std::int16_t id);

} // namespace quorix::menu
