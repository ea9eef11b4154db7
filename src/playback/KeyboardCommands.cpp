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
#include <initializer_list>

namespace quorix::playback {
namespace {

constexpr std::int16_t ShiftAlone = ui::modifier::Shift;

// A key as the handler got it: its code and the modifier mask.
struct KeyPress {
    std::int16_t code;
    std::int16_t shift;
};
// Ctrl-steps near the end go straight to the end rather than past it.
constexpr std::int64_t NearEnd = 25;

// The device's position of the open clip. Failures are not reported here: whatever the channel
// holds then (blanks) reads as 0.
std::int64_t ReadPosition(program::Program& program) {
    program.channel.SendMci("status video position");
    return program.channel.AnswerAsNumber().value_or(0);
}

void Seek(program::Program& program, std::int64_t frame) {
    // A clip's frames are 32-bit numbers; a step past that range has nowhere to go.
    if (frame < INT32_MIN || frame > INT32_MAX) {
        return;
    }
    video::SeekVideo(program, static_cast<std::int32_t>(frame));
}

// Shows the position the device reached on the bar without the bar seeking again.
void UpdatePositionBar(program::Program& program) {
    const std::int64_t position = ReadPosition(program);
    program::ProgramState& state = program.state;
    state.SettingBar = 1;
    program.form.HScroll1->setValue(
        static_cast<int>(std::clamp<std::int64_t>(position, INT32_MIN, INT32_MAX)));
    state.SettingBar = 0;
}

// Esc while a clip loads or the logo is up.
void EndProgram(program::Program& program, KeyPress) {
    video::ShowMouse(program);
    program.services.end.endProgram(program.state.ExitStatus);
}

// Esc while playing, paused, in the menu or with the intro pending.
void LeavePlaybackOrMenu(program::Program& program, KeyPress) {
    program.form.hidePositionPanel();
    LeaveClip(program, WhatFollows(program.state, ClipLeaving::Escaped));
    // In the menu branch this hides the titles ShowMenu has just shown; the next tick finds them
    // hidden and brings the menu back.
    menu::HideMenu(program);
}

void StepBack(program::Program& program, std::int16_t shift) {
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

void StepForward(program::Program& program, std::int16_t shift) {
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

void PauseOrResume(program::Program& program, KeyPress) {
    if (ReadPosition(program) < program.state.ClipEndFrame) {
        video::TogglePause(program);
    }
}

void Left(program::Program& program, KeyPress key) {
    const std::int16_t shift = key.shift;
    program::ProgramState& state = program.state;
    if (state.CurrentClip > 1) {
        program.form.hidePositionPanel();
    }
    if (shift > 0) {
        if (state.PlayState == program::PlayState::Paused) {
            StepBack(program, shift);
        }
        return;
    }
    if (state.CurrentClip > 1) {
        LeaveClip(program, FollowUp::PreviousClip);
    }
}

void Right(program::Program& program, KeyPress key) {
    const std::int16_t shift = key.shift;
    program::ProgramState& state = program.state;
    if (shift == 0) {
        program.form.hidePositionPanel();
    }
    if (shift > 0) {
        if (state.PlayState == program::PlayState::Paused) {
            StepForward(program, shift);
        }
        return;
    }
    LeaveClip(program, WhatFollows(state, ClipLeaving::Skipped));
}

void HighlightPrevious(program::Program& program, KeyPress) {
    const program::ProgramState& state = program.state;
    const std::int16_t index = state.HiliteIndex == 0 ? state.Catalogue.LastClip
                               : state.HiliteIndex > 0
                                   ? static_cast<std::int16_t>(state.HiliteIndex - 1)
                                   : std::int16_t{0};
    menu::SetHilite(program, index);
}

void HighlightNext(program::Program& program, KeyPress) {
    const program::ProgramState& state = program.state;
    const std::int16_t index = state.HiliteIndex < state.Catalogue.LastClip
                                   ? static_cast<std::int16_t>(state.HiliteIndex + 1)
                                   : std::int16_t{0};
    menu::SetHilite(program, index);
}

void StartHighlighted(program::Program& program, KeyPress) {
    program.state.CurrentClip = static_cast<std::int16_t>(program.state.HiliteIndex + 1);
    menu::StartVideo(program);
}

// Enter while playing or paused: the same clip again from its start.
void RestartClip(program::Program& program, KeyPress) {
    program.form.hidePositionPanel();
    LeaveClip(program, FollowUp::SameClip);
}

// The set of states a command acts in, one bit per state.
using States = unsigned;

constexpr States In(std::initializer_list<program::PlayState> states) {
    States set = 0;
    for (const program::PlayState state : states) {
        set |= 1U << static_cast<unsigned>(program::StateNumber(state) -
                                           program::StateNumber(program::PlayState::IntroPending));
    }
    return set;
}

constexpr States PlayingOrPaused = In({program::PlayState::Playing, program::PlayState::Paused});

// One command: the keys it is for (codes first to last), the states it acts in and what it does.
struct KeyCommand {
    std::int16_t first;
    std::int16_t last;
    States states;
    void (*act)(program::Program& program, KeyPress key);
};

// A digit key plays the clip of its number, when there is one.
void GoToDigit(program::Program& program, KeyPress key) {
    const auto digit = static_cast<std::int16_t>(key.code - ui::vk::Digit0);
    if (digit <= program.state.Catalogue.LastClip + 1) {
        GoToClip(program, digit);
    }
}

constexpr KeyCommand Commands[] = {
    {ui::vk::Digit1, ui::vk::Digit9, In({program::PlayState::Playing}), GoToDigit},
    {ui::vk::Escape, ui::vk::Escape,
     In({program::PlayState::Load, program::PlayState::ClosingLogo, program::PlayState::Exit}),
     EndProgram},
    {ui::vk::Escape, ui::vk::Escape,
     In({program::PlayState::IntroPending, program::PlayState::Menu, program::PlayState::Paused,
         program::PlayState::Playing}),
     LeavePlaybackOrMenu},
    {ui::vk::Space, ui::vk::Space, PlayingOrPaused, PauseOrResume},
    {ui::vk::Left, ui::vk::Left, PlayingOrPaused, Left},
    {ui::vk::Up, ui::vk::Up, In({program::PlayState::Menu}), HighlightPrevious},
    {ui::vk::Right, ui::vk::Right, PlayingOrPaused, Right},
    {ui::vk::Down, ui::vk::Down, In({program::PlayState::Menu}), HighlightNext},
    {ui::vk::Enter, ui::vk::Enter, In({program::PlayState::Menu}), StartHighlighted},
    {ui::vk::Enter, ui::vk::Enter, PlayingOrPaused, RestartClip},
};

} // namespace

void Form_KeyDown(program::Program& program, std::int16_t keyCode, std::int16_t shift) {
    program.form.Picture1->setFocus();
    const States now = In({program.state.PlayState});
    for (const KeyCommand& command : Commands) {
        if (keyCode < command.first || keyCode > command.last || (command.states & now) == 0) {
            continue;
        }
        command.act(program, KeyPress{keyCode, shift});
        return;
    }
}

} // namespace quorix::playback
