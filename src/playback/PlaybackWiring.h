#pragma once

#include "program/Program.h"

namespace quorix {

// Connects the main window's keys and the position bar's events to their handlers.
void ConnectPlaybackHandlers(Program& program);

} // namespace quorix
