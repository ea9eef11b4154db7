#pragma once

#include "program/Program.h"

namespace quorix::menu {

// Lays out the static layers of the menu screen and fills them with the optional pictures of the
// media folder: the logo centred, the frame layer over the whole window, the menu and video area
// at full height or 16:9, the menu background and the closing logo.
void ShowPicbase(program::Program& program);

// The main window became active (first shown, or back from the second window): draws the
// backdrop while the intro or the menu is pending, or before the first clip without a menu.
void Form_Activate(program::Program& program);

} // namespace quorix::menu
