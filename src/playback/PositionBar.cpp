#include "playback/PositionBar.h"

#include "platform/BasicNumber.h"
#include "ui/Form1.h"
#include "video/MousePointer.h"
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

void ShowPositionBar(Program& program) {
    Form1& form = program.form;
    const TwipsGeometry& twips = form.twips();
    PictureBox& panel = *form.sspanel1;
    PictureControl& left = form.Btn[0];
    PictureControl& enter = form.Btn[1];
    PictureControl& right = form.Btn[2];

    ShowMouse(program);

    // One and a half button widths: the row of button, panel, button, button ends one button
    // width left of the centre.
    const float panelLeft = static_cast<float>(form.widthTwips()) / 2.0F -
                            static_cast<float>(twips.width(panel)) / 2.0F -
                            static_cast<float>(twips.width(left)) * 3.0F / 2.0F;
    if (const auto rounded = RoundToInt32(static_cast<double>(panelLeft))) {
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

} // namespace quorix
