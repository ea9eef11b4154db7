#include "startup/FirstPlayState.h"

namespace quorix::startup {

void ChooseFirstPlayState(program::ProgramState& state) {
    if (state.Settings.MenuMode == 1) {
        state.PlayState = state.Settings.IntroClip >= 1 ? program::PlayState::IntroPending
                                                        : program::PlayState::Menu;
        return;
    }
    state.CurrentClip = 1;
}

} // namespace quorix::startup
