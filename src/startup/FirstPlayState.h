#pragma once

#include "program/ProgramState.h"

namespace quorix::startup {

// Chooses where playback begins once the catalogue holds a clip: in menu mode the intro (-3) or
// the menu (-2); otherwise clip 1 is loaded on the first tick.
void ChooseFirstPlayState(program::ProgramState& state);

} // namespace quorix::startup
