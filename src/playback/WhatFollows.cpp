#include "playback/WhatFollows.h"

#include "menu/ClipMenu.h"
#include "ui/Form1.h"
#include "video/Transport.h"

namespace quorix::playback {
namespace {

// Without a menu the clips play one after the other; after the last the loop setting starts
// them again, or the logo or the end follows.
FollowUp AfterPlayAll(const program::ProgramState& state) {
    const program::SettingsRecord& settings = state.Settings;
    if (state.CurrentClip != state.Catalogue.LastClip + 1) {
        return FollowUp::NextClip;
    }
    if (settings.LoopMode != 0) {
        return FollowUp::FirstClip;
    }
    return settings.LogoMode == 1 ? FollowUp::ClosingLogo : FollowUp::End;
}

void LoadClip(program::ProgramState& state, std::int16_t clip) {
    state.CurrentClip = clip;
    state.PlayState = program::PlayState::Load;
}

} // namespace

FollowUp WhatFollows(const program::ProgramState& state, ClipLeaving why) {
    const program::SettingsRecord& settings = state.Settings;
    switch (why) {
    case ClipLeaving::RanOut:
        // With a menu a clip that ran out either repeats or gives way to the menu.
        if (settings.MenuMode != 0) {
            return settings.LoopMode != 0 ? FollowUp::SameClip : FollowUp::Menu;
        }
        return AfterPlayAll(state);
    case ClipLeaving::Skipped:
        // Right steps through the clips whatever the mode; with a menu it stops at the last.
        if (settings.MenuMode != 0 && state.CurrentClip == state.Catalogue.LastClip + 1) {
            return FollowUp::Stay;
        }
        return AfterPlayAll(state);
    case ClipLeaving::Escaped:
        // Esc leads from a clip back to the menu; from the menu itself it leads out.
        if (settings.MenuMode == 1 && state.PlayState != program::PlayState::Menu) {
            return FollowUp::Menu;
        }
        break;
    case ClipLeaving::OpenFailed:
        break;
    }
    return settings.LogoMode == 1 ? FollowUp::ClosingLogo : FollowUp::End;
}

void TakeFollowUp(program::Program& program, FollowUp next) {
    program::ProgramState& state = program.state;
    switch (next) {
    case FollowUp::Stay:
        break;
    case FollowUp::SameClip:
        LoadClip(state, state.CurrentClip);
        break;
    case FollowUp::NextClip:
        LoadClip(state, static_cast<std::int16_t>(state.CurrentClip + 1));
        break;
    case FollowUp::PreviousClip:
        LoadClip(state, static_cast<std::int16_t>(state.CurrentClip - 1));
        break;
    case FollowUp::FirstClip:
        LoadClip(state, 1);
        break;
    case FollowUp::Menu:
        menu::ShowMenu(program);
        state.PlayState = program::PlayState::Menu;
        break;
    case FollowUp::ClosingLogo:
        state.PlayState = program::PlayState::ClosingLogo;
        program.form.FXImage1->setVisible(true);
        break;
    case FollowUp::End:
        state.PlayState = program::PlayState::Exit;
        break;
    }
}

void LeaveClip(program::Program& program, FollowUp next) {
    if (next == FollowUp::Stay) {
        return;
    }
    video::CloseVideo(program);
    TakeFollowUp(program, next);
}

void GoToClip(program::Program& program, std::int16_t clip) {
    video::CloseVideo(program);
    LoadClip(program.state, clip);
}

} // namespace quorix::playback
