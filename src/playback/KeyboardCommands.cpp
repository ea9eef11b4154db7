#include "playback/KeyboardCommands.h"

#include "menu/ClipMenu.h"
#include "menu/Highlight.h"
#include "menu/StartVideo.h"
#include "playback/WhatFollows.h"
#include "ui/Form1.h"
#include "ui/VirtualKeys.h"
#include "video/MousePointer.h"
#include "video/Transport.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace quorix {
namespace {

constexpr std::int16_t KeyDigitOne = vk::Digit0 + 1;
constexpr std::int16_t KeyDigitNine = vk::Digit0 + 9;

constexpr std::int16_t ShiftAlone = 1;
// Ctrl-steps near the end go straight to the end rather than past it.
constexpr std::int64_t NearEnd = 25;

bool PlayingOrPaused(const ProgramState& state) {
    return state.PlayState == PlayState::Playing || state.PlayState == PlayState::Paused;
}

// The device's position of the open clip. Failures are not reported here: whatever the channel
// holds then (blanks) reads as 0.
std::int64_t ReadPosition(Program& program) {
    program.channel.SendMci("status video position");
    return program.channel.AnswerAsNumber().value_or(0);
}

void Seek(Program& program, std::int64_t frame) {
    // A clip's frames are 32-bit numbers; a step past that range has nowhere to go.
    if (frame < INT32_MIN || frame > INT32_MAX) {
        return;
    }
    SeekVideo(program, static_cast<std::int32_t>(frame));
}

// Shows the position the device reached on the bar without the bar seeking again.
void UpdatePositionBar(Program& program) {
    const std::int64_t position = ReadPosition(program);
    ProgramState& state = program.state;
    state.SettingBar = 1;
    program.form.HScroll1->setValue(
        static_cast<int>(std::clamp<std::int64_t>(position, INT32_MIN, INT32_MAX)));
    state.SettingBar = 0;
}

// Esc while playing, paused, in the menu or with the intro pending.
void LeavePlaybackOrMenu(Program& program) {
    ProgramState& state = program.state;
    program.form.hidePositionPanel();
    CloseVideo(program);
    TakeFollowUp(program, WhatFollows(state, ClipLeaving::Escaped));
    // In the menu branch this hides the titles ShowMenu has just shown; the next tick finds them
    // hidden and brings the menu back.
    HideMenu(program);
}

void StepBack(Program& program, std::int16_t shift) {
    const std::int64_t position = ReadPosition(program);
    if (shift == ShiftAlone) {
        if (position > 0) {
            Seek(program, position - 1);
        }
    } else if (position > NearEnd) {
        Seek(program, position - 12);
    } else {
        Seek(program, 1);
    }
    UpdatePositionBar(program);
}

void StepForward(Program& program, std::int16_t shift) {
    const std::int64_t position = ReadPosition(program);
    const std::int64_t end = program.state.ClipEndFrame;
    if (shift == ShiftAlone) {
        if (position < end) {
            Seek(program, position + 1);
        }
    } else if (position < end - NearEnd) {
        Seek(program, position + 12);
    } else {
        Seek(program, end);
    }
    UpdatePositionBar(program);
}

void Left(Program& program, std::int16_t shift) {
    ProgramState& state = program.state;
    if (state.CurrentClip > 1) {
        program.form.hidePositionPanel();
    }
    if (shift > 0) {
        if (state.PlayState == PlayState::Paused) {
            StepBack(program, shift);
        }
        return;
    }
    if (state.CurrentClip > 1) {
        CloseVideo(program);
        --state.CurrentClip;
        state.PlayState = PlayState::Load;
    }
}

void Right(Program& program, std::int16_t shift) {
    ProgramState& state = program.state;
    if (shift == 0) {
        program.form.hidePositionPanel();
    }
    if (shift > 0) {
        if (state.PlayState == PlayState::Paused) {
            StepForward(program, shift);
        }
        return;
    }
    const FollowUp next = WhatFollows(state, ClipLeaving::Skipped);
    if (next != FollowUp::Stay) {
        CloseVideo(program);
        TakeFollowUp(program, next);
    }
}

} // namespace

void Form_KeyDown(Program& program, std::int16_t keyCode, std::int16_t shift) {
    ProgramState& state = program.state;
    program.form.Picture1->setFocus();

    if (keyCode >= KeyDigitOne && keyCode <= KeyDigitNine) {
        const auto digit = static_cast<std::int16_t>(keyCode - KeyDigitOne + 1);
        if (state.PlayState == PlayState::Playing && digit <= state.Catalogue.LastClip + 1) {
            CloseVideo(program);
            state.CurrentClip = digit;
            state.PlayState = PlayState::Load;
        }
        return;
    }

    switch (keyCode) {
    case vk::Escape:
        if (state.PlayState == PlayState::Load || state.PlayState == PlayState::ClosingLogo ||
            state.PlayState == PlayState::Exit) {
            ShowMouse(program);
            program.services.end.endProgram(state.ExitStatus);
        } else if (state.PlayState == PlayState::Playing || state.PlayState < PlayState::Load) {
            LeavePlaybackOrMenu(program);
        }
        break;
    case vk::Space:
        if (PlayingOrPaused(state) && ReadPosition(program) < state.ClipEndFrame) {
            TogglePause(program);
        }
        break;
    case vk::Left:
        if (PlayingOrPaused(state)) {
            Left(program, shift);
        }
        break;
    case vk::Right:
        if (PlayingOrPaused(state)) {
            Right(program, shift);
        }
        break;
    case vk::Up:
        if (state.PlayState == PlayState::Menu) {
            const std::int16_t index = state.HiliteIndex == 0 ? state.Catalogue.LastClip
                                       : state.HiliteIndex > 0
                                           ? static_cast<std::int16_t>(state.HiliteIndex - 1)
                                           : std::int16_t{0};
            SetHilite(program, index);
        }
        break;
    case vk::Down:
        if (state.PlayState == PlayState::Menu) {
            const std::int16_t index = state.HiliteIndex < state.Catalogue.LastClip
                                           ? static_cast<std::int16_t>(state.HiliteIndex + 1)
                                           : std::int16_t{0};
            SetHilite(program, index);
        }
        break;
    case vk::Enter:
        if (state.PlayState == PlayState::Menu) {
            state.CurrentClip = static_cast<std::int16_t>(state.HiliteIndex + 1);
            StartVideo(program);
        } else if (PlayingOrPaused(state)) {
            program.form.hidePositionPanel();
            CloseVideo(program);
            state.PlayState = PlayState::Load;
        }
        break;
    default:
        break;
    }
}

} // namespace quorix
