#pragma once

#include "program/Program.h"

namespace quorix::menu {

// Builds (on the first call), lays out and shows the menu of clip titles, and highlights the
// first entry or, later, the clip started last.
void ShowMenu(program::Program& program);

// Takes the titles and the background away; pending events run before it returns.
void HideMenu(program::Program& program);

} // namespace quorix::menu
