#include "startup/FirstPlayState.h"

namespace quorix {

void ChooseFirstPlayState(ProgramState& state) {
    if (state.Settings.MenuMode == 1) {
        state.PlayState = state.Settings.IntroClip >= 1 ? -3 : -2;
        return;
    }
    state.CurrentClip = 1;
}

} // namespace quorix
