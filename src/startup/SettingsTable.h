#pragma once

#include "program/SettingsRecord.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <variant>

namespace quorix::startup {

// How the value text of a key becomes what the presenter keeps. Every rule takes the number the
// text begins with (BasicVal); a key whose number lies outside its range, or cannot be read at
// all, counts as absent and leaves its start-up value.
enum class SettingRule {
    Number,      // the number rounded to a whole number, halves to even
    EntryNumber, // a 0-based catalogue index: 1 is added before rounding, the field holds the
                 // 1-based entry number
    Tenths,      // the number divided by ten, kept as a float
    Colour,      // a colour &H00BBGGRR, rounded like a number
    TitleColour, // a colour for the title labels; an empty value keeps their designed colour
    TitleStyle,  // a style flag of the title labels: on when the number is not 0, whatever its
                 // size (no range applies)
};

// The field of the settings record a key's value is kept in.
using SettingField =
    std::variant<std::int16_t program::SettingsRecord::*, std::int32_t program::SettingsRecord::*,
                 float program::SettingsRecord::*,
                 std::optional<std::int32_t> program::SettingsRecord::*,
                 bool program::SettingsRecord::*>;

// The numbers a key may hold, in the key's own terms (as written in the file, before the rule
// adds or divides), both ends included.
struct SettingRange {
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
};

// One key of the settings file as the presenter reads it.
struct SettingRow {
    std::string_view section;
    std::string_view key;
    std::string_view fieldName; // the record field's name, as the settings dump prints it
    SettingField field;
    SettingRule rule;
    // The text read when the file, section or key is missing; its value is the start-up value.
    std::string_view defaultText;
    SettingRange range;
    std::string_view unit; // of the key's number; empty when it has none
    // The scenario runner's settings dump is a line of fixed fields; keys the presenter gained
    // later stay out of it.
    bool dumped = true;
};

// The range of the supervisor's tick, in milliseconds. Without the "interval" key it ticks once a
// second, the longest tick.
inline constexpr std::int16_t ShortestTick = 50;
inline constexpr std::int16_t LongestTick = 1000;

namespace setting {

inline constexpr SettingRange Int16Range{std::numeric_limits<std::int16_t>::min(),
                                         std::numeric_limits<std::int16_t>::max()};
inline constexpr SettingRange Int32Range{std::numeric_limits<std::int32_t>::min(),
                                         std::numeric_limits<std::int32_t>::max()};
// A flag is written 0 or 1.
inline constexpr SettingRange FlagRange{0, 1};

// The table, a row a key; read each row as: section, key, the field (its name and place in the
// record), rule, default text, range, unit.
// clang-format off

// Step 3 of start-up: [settings] and the font factor, in the order the presenter reads them.
inline constexpr SettingRow WideMode{"settings", "widemode", "WideMode", &program::SettingsRecord::WideMode,
    SettingRule::Number, "", Int16Range, ""};
inline constexpr SettingRow MenuMode{"settings", "menumode", "MenuMode", &program::SettingsRecord::MenuMode,
    SettingRule::Number, "", Int16Range, ""};
inline constexpr SettingRow LoopMode{"settings", "loopmode", "LoopMode", &program::SettingsRecord::LoopMode,
    SettingRule::Number, "", Int16Range, ""};
inline constexpr SettingRow HideMode{"settings", "hidemode", "HideMode", &program::SettingsRecord::HideMode,
    SettingRule::Number, "", Int16Range, ""};
inline constexpr SettingRow ShadowMode{"settings", "shadowmode", "ShadowMode",
    &program::SettingsRecord::ShadowMode, SettingRule::Number, "", Int16Range, ""};
inline constexpr SettingRow Overscan{"settings", "overscan", "Overscan", &program::SettingsRecord::Overscan,
    SettingRule::Number, "", Int16Range, "pixels"};
// The field holds the entry number, one more than the key: the key's range is one lower.
inline constexpr SettingRow Intro{"settings", "intro", "IntroClip", &program::SettingsRecord::IntroClip,
    SettingRule::EntryNumber, "", {Int16Range.minimum - 1, Int16Range.maximum - 1}, ""};
// Tenths of a title's height; the range keeps the number a whole number can hold.
inline constexpr SettingRow LineOffset{"settings", "lineoffset", "LineOffset",
    &program::SettingsRecord::LineOffset, SettingRule::Tenths, "15", Int32Range, "tenths"};
inline constexpr SettingRow HiliteColor{"settings", "hilitecolor", "HiliteColor",
    &program::SettingsRecord::HiliteColor, SettingRule::Colour, "15", Int32Range, ""};
inline constexpr SettingRow LogoMode{"settings", "logomode", "LogoMode", &program::SettingsRecord::LogoMode,
    SettingRule::Number, "", Int16Range, ""};
// The supervisor's tick can only be made shorter than the once-a-second tick the presenter has
// always had, and not below 50 ms, where polling the device would cost more than it gains.
inline constexpr SettingRow Interval{"settings", "interval", "TickInterval",
    &program::SettingsRecord::TickInterval, SettingRule::Number, "1000", {ShortestTick, LongestTick}, "ms",
    false};
// Whether a clip's last picture stays until the next clip's first picture replaces it.
inline constexpr SettingRow HoldFrame{"settings", "holdframe", "HoldFrame",
    &program::SettingsRecord::HoldFrame, SettingRule::Number, "", FlagRange, "", false};
inline constexpr SettingRow FontFactor{"font", "factor", "FontFactor", &program::SettingsRecord::FontFactor,
    SettingRule::Number, "3495", Int32Range, ""};

// Step 5 of start-up, after the title font is sized: the title labels' colour and style.
inline constexpr SettingRow FontColor{"font", "color", "FontColor", &program::SettingsRecord::FontColor,
    SettingRule::TitleColour, "", Int32Range, ""};
inline constexpr SettingRow Bold{"font", "bold", "Bold", &program::SettingsRecord::Bold,
    SettingRule::TitleStyle, "0", FlagRange, ""};
inline constexpr SettingRow Italic{"font", "italic", "Italic", &program::SettingsRecord::Italic,
    SettingRule::TitleStyle, "0", FlagRange, ""};

// clang-format on

} // namespace setting

// Every key of [settings] and [font], in the order start-up reads them.
inline constexpr std::array<const SettingRow*, 16> SettingsTable{
    &setting::WideMode,    &setting::MenuMode,  &setting::LoopMode, &setting::HideMode,
    &setting::ShadowMode,  &setting::Overscan,  &setting::Intro,    &setting::LineOffset,
    &setting::HiliteColor, &setting::LogoMode,  &setting::Interval, &setting::HoldFrame,
    &setting::FontFactor,  &setting::FontColor, &setting::Bold,     &setting::Italic,
};

// Whether the key styles the title labels (read after the title font is sized) rather than
// filling the record at step 3.
constexpr bool StylesTitles(const SettingRow& row) {
    return row.rule == SettingRule::TitleColour || row.rule == SettingRule::TitleStyle;
}

// The value the key's text gives, in the field's terms (the entry number, the tenths divided);
// no value when the key counts as absent. For a style flag 1 or 0.
std::optional<double> SettingValue(const SettingRow& row, std::string_view text);

// The number a key stands for when it is missing, in the key's own terms; no value for the title
// colour, whose absence keeps the designed colour.
std::optional<std::int32_t> AbsentNumber(const SettingRow& row);

// The value kept in the record's field for the key, as a number; no value for a font colour
// that was not given.
std::optional<double> FieldValue(const program::SettingsRecord& record, const SettingRow& row);

} // namespace quorix::startup
