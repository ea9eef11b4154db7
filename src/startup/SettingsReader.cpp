#include "startup/SettingsReader.h"

#include "platform/BasicNumber.h"
#include "startup/ReadSetting.h"

#include <cmath>
#include <limits>

namespace quorix {
namespace {

// A value that cannot be stored in its field (out of range, overflowing, not convertible) is
// treated as if the key were absent: the field keeps its start-up value. The old runtime stopped
// with a run-time error here, which is no behaviour for a presenter in a kiosk.
void StoreInt16(std::int16_t& field, std::string_view text) {
    if (const auto value = ReadInt16(text)) {
        field = *value;
    }
}

// The supervisor's tick can only be made shorter than the once-a-second tick the presenter has
// always had, and not below 50 ms, where polling the device would cost more than it gains. A
// value outside that range, or no number at all, counts as an absent key.
void StoreTickInterval(std::int16_t& field, std::string_view text) {
    if (const auto value = ReadInt16(text);
        value && *value >= ShortestTick && *value <= LongestTick) {
        field = *value;
    }
}

void StoreInt32(std::int32_t& field, std::string_view text) {
    if (const auto value = ReadInt32(text)) {
        field = *value;
    }
}

} // namespace

SettingsRecord ReadSettings(platform::ProfileReader& reader, const std::string& mediaPath) {
    // Start-up values: what each field holds when its key is absent.
    SettingsRecord settings;
    settings.IntroClip = 1;
    settings.LineOffset = 1.5F;
    settings.HiliteColor = 15;
    settings.FontFactor = 3495;
    settings.TickInterval = LongestTick;

    auto read = [&](std::string_view section, std::string_view key, std::string_view defaultText) {
        return ReadSetting(reader, mediaPath, section, key, defaultText);
    };

    StoreInt16(settings.WideMode, read("settings", "widemode", ""));
    StoreInt16(settings.MenuMode, read("settings", "menumode", ""));
    StoreInt16(settings.LoopMode, read("settings", "loopmode", ""));
    StoreInt16(settings.HideMode, read("settings", "hidemode", ""));
    StoreInt16(settings.ShadowMode, read("settings", "shadowmode", ""));
    StoreInt16(settings.Overscan, read("settings", "overscan", ""));

    // The key holds the 0-based index of the intro entry; the field its 1-based number. The 1 is
    // added before rounding, so "0.5" gives 2 (1.5 rounds to the even 2).
    if (const BasicNumber intro = BasicVal(read("settings", "intro", "")); intro.ok()) {
        if (const auto value = RoundToInt16(intro.value + 1.0)) {
            settings.IntroClip = *value;
        }
    }

    if (const BasicNumber offset = BasicVal(read("settings", "lineoffset", "15")); offset.ok()) {
        const double tenths = offset.value / 10.0;
        if (std::fabs(tenths) <= static_cast<double>(std::numeric_limits<float>::max())) {
            settings.LineOffset = static_cast<float>(tenths);
        }
    }

    StoreInt32(settings.HiliteColor, read("settings", "hilitecolor", "15"));
    StoreInt16(settings.LogoMode, read("settings", "logomode", ""));
    StoreTickInterval(settings.TickInterval, read("settings", "interval", ""));
    StoreInt32(settings.FontFactor, read("font", "factor", "3495"));
    return settings;
}

std::optional<std::int32_t> FontColorFromText(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    return ReadInt32(text);
}

void ApplyFontColor(SettingsRecord& settings, std::int32_t fontColor) {
    settings.FontColor = fontColor;
    if (settings.HiliteColor == 0) {
        settings.HiliteColor = (~fontColor & 0x7F7F7F) | 0x808080;
    }
}

bool FontFlagFromText(std::string_view text) {
    const BasicNumber number = BasicVal(text);
    return number.ok() && number.value != 0.0;
}

} // namespace quorix
