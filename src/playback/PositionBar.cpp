#include "playback/PositionBar.h"

#include "ui/Form1.h"
#include "video/Transport.h"

namespace quorix {
namespace {

void BarMoved(Program& program) {
    Form1& form = program.form;
    const std::int16_t button = program.state.LastButton;
    // The pointer has left the buttons to work the bar.
    form.Btn[button].setPicture(form.Btn[button + 6].picture());
    if (program.state.SettingBar == 0) {
        SeekVideo(program, form.HScroll1->value());
    }
}

} // namespace

void HScroll1_Change(Program& program) {
    BarMoved(program);
}

void HScroll1_Scroll(Program& program) {
    BarMoved(program);
}

} // namespace quorix
