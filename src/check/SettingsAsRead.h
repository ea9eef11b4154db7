#pragma once

#include "platform/ProfileReader.h"
#include "program/SettingsRecord.h"

#include <string>
#include <vector>

namespace quorix::check {

// The settings as start-up reads them: the record, with the title labels' colour and style read
// and the font colour applied as start-up applies it.
struct SettingsAsRead {
    program::SettingsRecord record;
    bool hiliteDerived = false; // the highlight colour was derived from the font colour
};

// Reads sections [settings] and [font] with the same readers and in the same order as start-up.
SettingsAsRead ReadSettingsAsRead(platform::ProfileReader& reader, const std::string& mediaPath);

// One line per key, its name and the value the presenter uses.
std::vector<std::string> DescribeSettings(const SettingsAsRead& settings);

} // namespace quorix::check
