#pragma once

#include "app/FirstTickGate.h"
#include "program/Program.h"

namespace quorix::app {

// Where the main window's events meet the program's handlers. The presenter connects all three;
// the scenario runner activates the window itself and connects the other two.

// Connects the main window's keys and the position bar's events to their handlers.
void ConnectPlaybackHandlers(program::Program& program);

// Connects the main window's pointer events to their handlers.
void ConnectPointerHandlers(program::Program& program);

// Connects the main window's activation to Form_Activate.
void ConnectActivation(program::Program& program);

// Connects the supervisor timer's ticks to Timer1_Timer through the gate that holds a tick coming
// before the window's first activation. After ConnectActivation, so that a held tick runs after
// Form_Activate.
void ConnectSupervisor(program::Program& program, FirstTickGate& firstTick);

} // namespace quorix::app
