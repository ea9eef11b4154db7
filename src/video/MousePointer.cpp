#include "video/MousePointer.h"

namespace quorix::video {

void ShowMouse(program::Program& program) {
    program::ProgramState& state = program.state;
    platform::PointerDisplayCounter& pointer = program.services.pointer;
    // Back up to the count HideMouse found; at least one request, so each further ShowMouse
    // without a HideMouse in between raises the count by one more.
    int count = 0;
    do {
        count = pointer.showCursor(true);
    } while (state.CursorCount > count);
    state.CursorHidden = 0;
}

void HideMouse(program::Program& program) {
    program::ProgramState& state = program.state;
    platform::PointerDisplayCounter& pointer = program.services.pointer;
    int count = pointer.showCursor(false);
    if (count >= 0) {
        // Still visible: remember the count before the request, then hide down to -1.
        state.CursorCount = count + 1;
        while (count > -1) {
            count = pointer.showCursor(false);
        }
    } else {
        // It was hidden already: bring a deeper count back up to -1.
        state.CursorCount = 0;
        while (count < -1) {
            count = pointer.showCursor(true);
        }
    }
    state.CursorHidden = -1;
}

} // namespace quorix::video
