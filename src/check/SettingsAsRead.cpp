#include "check/SettingsAsRead.h"

#include "check/CheckText.h"
#include "startup/SettingsReader.h"
#include "startup/SettingsTable.h"

#include <cstdio>

namespace quorix::check {
namespace {

// The value the presenter uses for one key, in words an author reads.
std::string ValueText(const SettingsAsRead& settings, const startup::SettingRow& row) {
    const std::optional<double> value = startup::FieldValue(settings.record, row);
    const auto whole = static_cast<std::int32_t>(value.value_or(0.0));
    switch (row.rule) {
    case startup::SettingRule::Number:
        return std::to_string(whole) + (row.unit.empty() ? "" : " " + std::string(row.unit));
    case startup::SettingRule::EntryNumber:
        return whole >= 1 ? "entry " + std::to_string(whole) : "none";
    case startup::SettingRule::Tenths: {
        char number[32];
        std::snprintf(number, sizeof number, "%g", value.value_or(0.0));
        return std::string(number) + " title heights";
    }
    case startup::SettingRule::Colour:
        return ColorText(whole) +
               (settings.hiliteDerived
                    ? " (derived from " + std::string(startup::setting::FontColor.key) + ")"
                    : "");
    case startup::SettingRule::TitleColour:
        return value ? ColorText(whole) : "as designed";
    case startup::SettingRule::TitleStyle:
        return whole != 0 ? "on" : "off";
    }
    return {};
}

} // namespace

SettingsAsRead ReadSettingsAsRead(platform::ProfileReader& reader, const std::string& mediaPath) {
    SettingsAsRead settings;
    settings.record = startup::ReadSettings(reader, mediaPath);
    const bool derivable = settings.record.HiliteColor == 0;
    startup::ReadTitleStyle(settings.record, reader, mediaPath);
    settings.hiliteDerived = derivable && settings.record.FontColor.has_value();
    return settings;
}

std::vector<std::string> DescribeSettings(const SettingsAsRead& settings) {
    std::vector<std::string> lines;
    for (const startup::SettingRow* row : startup::SettingsTable) {
        char name[16];
        std::snprintf(name, sizeof name, "  %-12s", std::string(row->key).c_str());
        lines.push_back(name + ValueText(settings, *row));
    }
    return lines;
}

} // namespace quorix::check
