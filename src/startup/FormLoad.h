#pragma once

#include "program/Program.h"

#include <string_view>

namespace quorix::startup {

// Shown when the settings name no playable clip; the program then ends with status 1.
inline constexpr std::string_view NothingToPlayMessage =
    "Video file(s) not found! Sorry, cannot play anything.";

// Start-up's reading of the settings file in the media folder MediaPath: the settings, the title
// font sized and styled, and the catalogue.
void ReadSettingsFile(program::Program& program);

// The whole start-up: media folder, settings, title font, catalogue, the first playback state and
// the supervisor timer switched on. Ends the program when the catalogue is empty.
void Form_Load(program::Program& program);

} // namespace quorix::startup
