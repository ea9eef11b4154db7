#pragma once

#include "platform/ProfileReader.h"
#include "program/SettingsRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorix::check {

// The settings as start-up reads them: the record, with the font colour applied as start-up
// applies it, and the font keys that only style the title labels.
struct SettingsAsRead {
    SettingsRecord record;
    std::optional<std::int32_t> fontColor; // no value: the titles keep their designed colour
    bool bold = false;
    bool italic = false;
    bool hiliteDerived = false; // the highlight colour was derived from the font colour
};

// Reads sections [settings] and [font] with the same readers and in the same order as start-up.
SettingsAsRead ReadSettingsAsRead(platform::ProfileReader& reader, const std::string& mediaPath);

// One line per key, its name and the value the presenter uses.
std::vector<std::string> DescribeSettings(const SettingsAsRead& settings);

} // namespace quorix::check
