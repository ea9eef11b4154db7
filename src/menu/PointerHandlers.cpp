#include "menu/PointerHandlers.h"

#include "menu/Highlight.h"
#include "menu/StartVideo.h"
#include "playback/KeyboardCommands.h"
#include "ui/Form1.h"
#include "ui/VirtualKeys.h"

namespace quorix {
namespace {

// Move events over the menu entries before the one that may move the highlight.
constexpr std::int16_t ClipMovesSkipped = 5;

// Btn(i + 3) holds the hover picture and Btn(i + 6) the normal picture of button i.
constexpr int HoverOffset = 3;
constexpr int NormalOffset = 6;
constexpr int ButtonCount = 3;

} // namespace

void ResetLastButton(Program& program) {
    ControlArray<PictureControl>& buttons = program.form.Btn;
    const int last = program.state.LastButton;
    buttons[last].setPicture(buttons[last + NormalOffset].picture());
}

void clip_Click(Program& program, std::int16_t index) {
    program.state.CurrentClip = static_cast<std::int16_t>(index + 1);
    StartVideo(program);
}

void clip_MouseMove(Program& program, std::int16_t index) {
    // One counter for all entries: only every sixth move event, over whichever entry, can move
    // the highlight, so a pointer merely crossing the menu leaves it alone.
    ProgramState& state = program.state;
    if (state.ClipMoveCount < ClipMovesSkipped) {
        ++state.ClipMoveCount;
        return;
    }
    state.ClipMoveCount = 0;
    if (program.form.clip[index].foreColor() != state.Settings.HiliteColor) {
        SetHilite(program, index);
    }
}

void Btn_Click(Program& program, std::int16_t index) {
    switch (index) {
    case 0:
        Form_KeyDown(program, vk::Left, 0);
        break;
    case 1:
        Form_KeyDown(program, vk::Enter, 0);
        break;
    case 2:
        Form_KeyDown(program, vk::Right, 0);
        break;
    default:
        break;
    }
}

void Btn_MouseMove(Program& program, std::int16_t index) {
    // Only the three buttons are ever shown; the picture store behind them raises no events.
    if (index < 0 || index >= ButtonCount) {
        return;
    }
    ResetLastButton(program);
    ControlArray<PictureControl>& buttons = program.form.Btn;
    buttons[index].setPicture(buttons[index + HoverOffset].picture());
    program.state.LastButton = index;
}

void sspanel1_MouseMove(Program& program) {
    ResetLastButton(program);
}

void Picture1_Click(Program&) {}

void Label2_Click(Program&) {}

void Label2_MouseMove(Program&) {}

} // namespace quorix
