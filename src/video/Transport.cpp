#include "video/Transport.h"

#include "ui/Form1.h"
#include "video/HaltedModes.h"
#include "video/MousePointer.h"

#include <string>

namespace quorix::video {
void TogglePause(program::Program& program) {
    program::ContinueOnFailure run(program.channel);
    std::int32_t code = 0;
    run.Send("status video mode", code);
    run.Check(program::trouble::Requesting1, code);

    if (AnswerIsHalted(program.channel)) {
        const bool answered = run.Send("play video", code);
        run.Check(program::trouble::Playing2, code);
        if (!program.form.sspanel1->isHidden()) {
            program.form.hidePositionPanel();
            program.services.windows.refreshNow(*program.form.Picture1);
        }
        HideMouse(program);
        // Only the device's own 0 means it plays again; a send that never reached it leaves the
        // state alone even though the code still holds an earlier 0.
        if (answered && code == 0) {
            program.state.PlayState = program::PlayState::Playing;
        }
    } else {
        const bool answered = run.Send("pause video", code);
        run.Check(program::trouble::Pausing1, code);
        if (answered && code == 0) {
            program.state.PlayState = program::PlayState::Paused;
        }
    }
}

std::int32_t SeekVideo(program::Program& program, std::int32_t frame) {
    if (program.state.PlayState != program::PlayState::Paused) {
        return 0;
    }
    program::ContinueOnFailure run(program.channel);
    std::int32_t code = 0;
    run.Send("seek video to " + std::to_string(frame), code);
    run.Check(program::trouble::Seeking1, code);
    return code;
}

void CloseVideo(program::Program& program) {
    ui::PictureBox& picture = *program.form.Picture1;
    program.services.windows.refreshNow(picture);
    picture.hide();
    program.services.events.processPendingEvents();
    // Nothing is reported: whatever the device answers, the alias is given up.
    program.channel.SendMci("close video");
    picture.show();
}

} // namespace quorix::video
