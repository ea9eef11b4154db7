#pragma once

#include <cstdint>
#include <optional>

namespace quorix::program {

// The values of sections [settings] and [font] of quorix.ini, filled once at start-up (the keys,
// their defaults and ranges are in startup/SettingsTable.h). Colours are &H00BBGGRR.
struct SettingsRecord {
    std::int16_t WideMode = 0;
    std::int16_t MenuMode = 0;
    std::int16_t LoopMode = 0;
    std::int16_t HideMode = 0;
    std::int16_t ShadowMode = 0;
    std::int16_t Overscan = 0;
    std::int16_t IntroClip = 0; // 1-based entry number of the intro, 0 or less: none
    float LineOffset = 0.0F;
    std::int32_t HiliteColor = 0;
    std::int16_t LogoMode = 0;
    std::int16_t TickInterval = 0; // the supervisor's tick in milliseconds
    std::int16_t HoldFrame = 0;    // 1: a clip's last picture stays until the next one's first
    std::int32_t FontFactor = 0;
    std::optional<std::int32_t> FontColor; // none: the titles keep their designed colour
    bool Bold = false;                     // the title labels' style
    bool Italic = false;
};

} // namespace quorix::program
