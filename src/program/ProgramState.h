#pragma once

#include "program/ClipCatalogue.h"
#include "program/PlayState.h"
#include "program/SettingsRecord.h"

#include <cstdint>
#include <string>

namespace quorix::program {

// Everything that exists once per run. Before start-up every number is 0 and every string
// empty, as the routines expect.
struct ProgramState {
    // Playback state word; its type names the states.
    program::PlayState PlayState = program::PlayState::Load;
    std::int16_t CurrentClip = 0; // 1-based number of the clip to open or playing
    std::string MediaPath;        // the media folder, ending in a backslash

    // The one answer buffer of the command channel and its length.
    std::string MciReturn;
    std::int32_t MciReturnLength = 0;

    SettingsRecord Settings;
    ClipCatalogue Catalogue;

    // Span of the open clip, in frames.
    std::int32_t ClipStartFrame = 0;
    std::int32_t ClipLength = 0;
    std::int32_t ClipEndFrame = 0;

    std::int16_t SettingBar = 0; // 1 while the program itself writes the position bar

    // Pointer visibility kept by ShowMouse and HideMouse.
    std::int32_t CursorCount = 0;
    std::int16_t CursorHidden = 0; // -1 while hidden for playback

    // Menu and highlight.
    std::int16_t MenuBuilt = 0;
    std::int16_t HiliteIndex = 0;
    std::int16_t LastButton = 0;
    std::int16_t ClipMoveCount = 0;    // move events over the menu entries
    std::int16_t PictureMoveCount = 0; // move events over the paused video area

    // The program's exit status: 1 once a failure has ended the presentation (a clip that could
    // not be opened leads to the logo or the end), so that a service manager can tell it from a
    // viewer who left.
    int ExitStatus = 0;
};

} // namespace quorix::program
