#include "playback/PositionBar.h"

#include "platform/BasicNumber.h"
#include "playback/KeyboardCommands.h"
#include "ui/Form1.h"
#include "ui/VirtualKeys.h"
#include "video/MousePointer.h"
#include "video/Transport.h"

namespace quorix::playback {
namespace {

// Move events over the paused video area before the one that brings up the position bar.
constexpr std::int16_t PictureMovesSkipped = 6;

// Btn(i + 3) holds the hover picture and Btn(i + 6) the normal picture of button i.
constexpr int HoverOffset = 3;
constexpr int NormalOffset = 6;
constexpr int ButtonCount = 3;

// The button last given its hover picture shows its normal picture again.
void ResetLastButton(program::Program& program) {
    ui::ControlArray<ui::PictureControl>& buttons = program.form.Btn;
    const int last = program.state.LastButton;
    buttons[last].setPicture(buttons[last + NormalOffset].picture());
}

void BarMoved(program::Program& program) {
    // The pointer has left the buttons to work the bar.
    ResetLastButton(program);
    if (program.state.SettingBar == 0) {
        video::SeekVideo(program, program.form.HScroll1->value());
    }
}

} // namespace

void Picture1_MouseMove(program::Program& program) {
    program::ProgramState& state = program.state;
    if (state.CursorHidden == -1 && state.PlayState == program::PlayState::Paused) {
        // Over a paused clip only every seventh move brings up the position bar, so a nudge of
        // the mouse does not cover the picture.
        if (state.PictureMoveCount < PictureMovesSkipped) {
            ++state.PictureMoveCount;
            return;
        }
        state.PictureMoveCount = 0;
        program.services.events.processPendingEvents();
        ShowPositionBar(program);
    } else {
        ResetLastButton(program);
    }
}

void HScroll1_Change(program::Program& program) {
    BarMoved(program);
}

void HScroll1_Scroll(program::Program& program) {
    BarMoved(program);
}

void ShowPositionBar(program::Program& program) {
    ui::Form1& form = program.form;
    const ui::TwipsGeometry& twips = form.twips();
    ui::PictureBox& panel = *form.sspanel1;
    ui::PictureControl& left = form.Btn[0];
    ui::PictureControl& enter = form.Btn[1];
    ui::PictureControl& right = form.Btn[2];

    video::ShowMouse(program);

    // One and a half button widths: the row of button, panel, button, button ends one button
    // width left of the centre.
    const float panelLeft = static_cast<float>(form.widthTwips()) / 2.0F -
                            static_cast<float>(twips.width(panel)) / 2.0F -
                            static_cast<float>(twips.width(left)) * 3.0F / 2.0F;
    if (const auto rounded = platform::RoundToInt32(static_cast<double>(panelLeft))) {
        twips.setLeft(panel, *rounded);
    }
    twips.setTop(panel, static_cast<double>(form.heightTwips()) - 2.0 * twips.height(panel));

    program.state.SettingBar = 1;
    // The bar holds whole 32-bit frame numbers and keeps its value inside its range: a position
    // beyond the clip's span shows at the nearer end. Writing the value runs the bar's change
    // handler at once, which does not seek while SettingBar is 1. A position that no 32-bit
    // number holds leaves the bar as it was.
    program.channel.SendMci("status video position");
    if (const auto position = program.channel.AnswerAsNumber()) {
        form.HScroll1->setValue(*position);
    }

    const std::int32_t panelTop = twips.top(panel);
    twips.setTop(left, panelTop);
    twips.setTop(enter, twips.top(left));
    twips.setTop(right, twips.top(left));
    twips.setLeft(left, twips.left(panel) - twips.width(left));
    twips.setLeft(enter, twips.left(panel) + twips.width(panel));
    twips.setLeft(right, twips.left(enter) + twips.width(enter));

    left.show();
    enter.show();
    right.show();
    panel.show();
    program.services.windows.setFocus(*form.HScroll1);
    program.state.SettingBar = 0;
}

void Btn_Click(program::Program& program, std::int16_t index) {
    switch (index) {
    case 0:
        Form_KeyDown(program, ui::vk::Left, 0);
        break;
    case 1:
        Form_KeyDown(program, ui::vk::Enter, 0);
        break;
    case 2:
        Form_KeyDown(program, ui::vk::Right, 0);
        break;
    default:
        break;
    }
}

void Btn_MouseMove(program::Program& program, std::int16_t index) {
    // Only the three buttons are ever shown; the picture store behind them raises no events.
    if (index < 0 || index >= ButtonCount) {
        return;
    }
    ResetLastButton(program);
    ui::ControlArray<ui::PictureControl>& buttons = program.form.Btn;
    buttons[index].setPicture(buttons[index + HoverOffset].picture());
    program.state.LastButton = index;
}

void sspanel1_MouseMove(program::Program& program) {
    ResetLastButton(program);
}

} // namespace quorix::playback
