#include "menu/PointerHandlers.h"

#include "menu/Highlight.h"
#include "menu/StartVideo.h"
#include "ui/Form1.h"

namespace quorix::menu {
namespace {

// Move events over the menu entries before the one that may move the highlight.
constexpr std::int16_t ClipMovesSkipped = 5;

} // namespace

void clip_Click(program::Program& program, std::int16_t index) {
    program.state.CurrentClip = static_cast<std::int16_t>(index + 1);
    StartVideo(program);
}

void clip_MouseMove(program::Program& program, std::int16_t index) {
    // One counter for all entries: only every sixth move event, over whichever entry, can move
    // the highlight, so a pointer merely crossing the menu leaves it alone.
    program::ProgramState& state = program.state;
    if (state.ClipMoveCount < ClipMovesSkipped) {
        ++state.ClipMoveCount;
        return;
    }
    state.ClipMoveCount = 0;
    if (program.form.clip[index].foreColor() != state.Settings.HiliteColor) {
        SetHilite(program, index);
    }
}

void Picture1_Click(program::Program&) {}

void Label2_Click(program::Program&) {}

void Label2_MouseMove(program::Program&) {}

} // namespace quorix::menu
