#pragma once

#include "startup/Program.h"

namespace quorix {

// One tick of the supervisor: looks at PlayState and takes at most one step.
void Timer1_Timer(Program& program);

} // namespace quorix
