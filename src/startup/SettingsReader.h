#pragma once

#include "platform/ProfileReader.h"
#include "program/SettingsRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorix {

// The range of the "interval" key of [settings], in milliseconds. Without the key the supervisor
// ticks once a second, the longest tick.
constexpr std::int16_t ShortestTick = 50;
constexpr std::int16_t LongestTick = 1000;

// Reads sections [settings] and the key "factor" of [font] into a fresh record, key by key in the
// order the presenter has always read them.
SettingsRecord ReadSettings(platform::ProfileReader& reader, const std::string& mediaPath);

// The colour of the "color" key of [font]; no value when the key is empty or its number cannot be
// stored, in which case the titles keep their designed colour.
std::optional<std::int32_t> FontColorFromText(std::string_view text);

// Stores a font colour read from the settings and, when no highlight colour was chosen (0),
// derives one that stands out from it: each channel c becomes 128 + ((255 - c) mod 128).
void ApplyFontColor(SettingsRecord& settings, std::int32_t fontColor);

// The "bold" and "italic" keys: on when the value's number is not 0.
bool FontFlagFromText(std::string_view text);

} // namespace quorix
