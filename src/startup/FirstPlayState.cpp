#include "startup/FirstPlayState.h"

namespace quorix::startup {

void ChooseFirstPlayState(ProgramState& state) {
    if (state.Settings.MenuMode == 1) {
        state.PlayState = state.Settings.IntroClip >= 1 ? PlayState::IntroPending : PlayState::Menu;
        return;
    }
    state.CurrentClip = 1;
}

} // namespace quorix::startup
