#pragma once

#include "program/Program.h"

namespace quorix::playback {

// One tick of the supervisor: looks at PlayState and takes at most one step. The timer that
// calls it does not call it again while it runs.
void Timer1_Timer(program::Program& program);

} // namespace quorix::playback
