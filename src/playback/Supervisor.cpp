#include "playback/Supervisor.h"

#include "menu/ClipMenu.h"
#include "platform/Logging.h"
#include "playback/WhatFollows.h"
#include "ui/Form1.h"
#include "video/HaltedModes.h"
#include "video/MousePointer.h"
#include "video/OpenVideo.h"
#include "video/PlayVideo.h"
#include "video/Transport.h"

#include <cstdint>

namespace quorix::playback {
namespace {

// A clip counts as played to its end within this many frames of ClipEndFrame.
constexpr std::int64_t EndTolerance = 25;

// The closing logo stays up for one long tick, whatever the settings make the others.
constexpr int LogoInterval = 3000;

// The logo control's display option, set whenever the logo is hidden for the menu and after each
// load attempt.
constexpr std::int16_t LogoDisplayOption = 24;

void ShowMenuWhenHidden(program::Program& program) {
    ui::Form1& form = program.form;
    if (!form.clip[0].isHidden()) {
        return;
    }
    // Whatever stretched the tick before, the menu runs at the settings' pace.
    program.services.timer.setInterval(program.state.Settings.TickInterval);
    form.FXImage1->setVisible(false);
    form.FXImage1->setDisplayOption(LogoDisplayOption);
    menu::ShowMenu(program);
}

void LoadCurrentClip(program::Program& program) {
    program.services.screen.setMousePointer(11);
    const std::int32_t opened = video::OpenVideo(program);
    if (opened == 0) {
        video::PlayVideo(program);
    } else {
        qCInfo(platform::lcSupervisor)
            << "clip" << program.state.CurrentClip << "did not open; the logo or the end follows";
        program.state.ExitStatus = 1;
        TakeFollowUp(program, WhatFollows(program.state, ClipLeaving::OpenFailed));
    }
    program.form.FXImage1->setDisplayOption(LogoDisplayOption);
    program.services.screen.setMousePointer(0);
}

// Polls the playing clip; when the device has stopped, closes a clip that ran to its end and
// moves on. Runs in continue-on-failure mode: a failed step is reported by the next check.
void PollPlayingClip(program::Program& program) {
    program::MciChannel& channel = program.channel;
    program::ContinueOnFailure run(channel);
    std::int32_t code = 0;

    run.Send("status video mode", code);
    run.Check(program::trouble::Requesting2, code);
    // Paused counts as stopped: some devices report a clip that ran out as paused.
    if (!video::AnswerIsStopped(channel)) {
        return;
    }

    run.Send("status video position", code);
    run.Check(program::trouble::Requesting3, code);
    std::int32_t position = 0;
    run.ReadNumber(position);
    // A clip that stopped earlier is left open; the next open of "video" then reports it.
    if (position >= static_cast<std::int64_t>(program.state.ClipEndFrame) - EndTolerance) {
        video::CloseVideo(program);
    }
    TakeFollowUp(program, WhatFollows(program.state, ClipLeaving::RanOut));
}

} // namespace

void Timer1_Timer(program::Program& program) {
    program::ProgramState& state = program.state;
    switch (state.PlayState) {
    case program::PlayState::IntroPending:
        state.CurrentClip = state.Settings.IntroClip;
        state.Settings.IntroClip = 0;
        state.PlayState = program::PlayState::Load;
        break;
    case program::PlayState::Menu:
        ShowMenuWhenHidden(program);
        break;
    case program::PlayState::Load:
        LoadCurrentClip(program);
        break;
    case program::PlayState::Playing:
        PollPlayingClip(program);
        break;
    case program::PlayState::ClosingLogo:
        program.services.timer.setInterval(LogoInterval);
        state.PlayState = program::PlayState::Exit;
        break;
    case program::PlayState::Exit:
        video::ShowMouse(program);
        program.services.end.endProgram(state.ExitStatus);
        break;
    case program::PlayState::Paused:
        break;
    }
}

} // namespace quorix::playback
