#pragma once

#include "app/FirstTickGate.h"
#include "program/Program.h"

namespace quorix {

// Where the main window's events meet the program's handlers. The presenter connects all three;
// the scenario runner activates the window itself and connects the other two.

// Connects the main window's keys and the position bar's events to their handlers.
void ConnectPlaybackHandlers(Program& program);

// Connects the main window's pointer events to their handlers.
void ConnectPointerHandlers(Program& program);

// Connects the main window's activation to Form_Activate.
void ConnectActivation(Program& program);

// Connects the supervisor timer's ticks to Timer1_Timer through the gate that holds a tick coming
// before the window's first activation. After ConnectActivation, so that a held tick runs after
// Form_Activate.
void ConnectSupervisor(Program& program, FirstTickGate& firstTick);

} // namespace quorix
