#include "video/Transport.h"

#include "startup/BasicNumber.h"
#include "ui/Form1.h"
#include "video/HaltedModes.h"
#include "video/MousePointer.h"

#include <string>

namespace quorix {
namespace {

void HidePositionBar(Program& program) {
    Form1& form = program.form;
    form.sspanel1->hide();
    for (int i = 0; i < 3; ++i) {
        form.Btn[i].hide();
    }
    program.services.windows.refreshNow(*form.Picture1);
}

} // namespace

void TogglePause(Program& program) {
    video::ContinueOnFailure run(program.channel);
    std::int32_t code = 0;
    run.Send("status video mode", code);
    run.Check(video::trouble::Requesting1, code);

    if (video::AnswerIsHalted(program.channel)) {
        const bool answered = run.Send("play video", code);
        run.Check(video::trouble::Playing2, code);
        if (!program.form.sspanel1->isHidden()) {
            HidePositionBar(program);
        }
        HideMouse(program);
        // Only the device's own 0 means it plays again; a send that never reached it leaves the
        // state alone even though the code still holds an earlier 0.
        if (answered && code == 0) {
            program.state.PlayState = PlayState::Playing;
        }
    } else {
        const bool answered = run.Send("pause video", code);
        run.Check(video::trouble::Pausing1, code);
        if (answered && code == 0) {
            program.state.PlayState = PlayState::Paused;
        }
    }
}

std::int32_t SeekVideo(Program& program, std::int32_t frame) {
    if (program.state.PlayState != PlayState::Paused) {
        return 0;
    }
    video::ContinueOnFailure run(program.channel);
    std::int32_t code = 0;
    run.Send("seek video to " + std::to_string(frame), code);
    run.Check(video::trouble::Seeking1, code);
    return code;
}

void CloseVideo(Program& program) {
    PictureBox& picture = *program.form.Picture1;
    program.services.windows.refreshNow(picture);
    picture.hide();
    program.services.events.processPendingEvents();
    // Nothing is reported: whatever the device answers, the alias is given up.
    program.channel.SendMci("close video");
    picture.show();
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
