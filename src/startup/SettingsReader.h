#pragma once

#include "platform/ProfileReader.h"
#include "program/SettingsRecord.h"
#include "startup/SettingsTable.h"

#include <string>

namespace quorix::startup {

// Reads sections [settings] and the key "factor" of [font] into a fresh record, key by key in the
// order the presenter has always read them.
program::SettingsRecord ReadSettings(platform::ProfileReader& reader, const std::string& mediaPath);

// Reads the keys of [font] that colour and style the title labels into the record. A font colour
// read there derives the highlight colour when none was chosen.
void ReadTitleStyle(program::SettingsRecord& settings, platform::ProfileReader& reader,
                    const std::string& mediaPath);

} // namespace quorix::startup
