#include "menu/StartVideo.h"

#include "menu/ClipMenu.h"

namespace quorix::menu {

void StartVideo(program::Program& program) {
    // Set before the menu is hidden: a tick that runs while HideMenu lets events through already
    // finds the clip to load.
    program.state.PlayState = program::PlayState::Load;
    HideMenu(program);
}

} // namespace quorix::menu
