#pragma once

#include "program/Program.h"

namespace quorix::menu {

// Starts clip CurrentClip, chosen in the menu: the next tick opens it. Hides the menu.
void StartVideo(program::Program& program);

} // namespace quorix::menu
