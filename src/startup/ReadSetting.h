#pragma once

#include "platform/ProfileReader.h"

#include <string>
#include <string_view>

namespace quorix::startup {

// Size of the buffer every value of quorix.ini is read into: at most 255 characters come back.
inline constexpr std::size_t SettingBufferSize = 256;

// The name of the settings file in the media folder.
inline constexpr std::string_view SettingsFileName = "quorix.ini";

// One value of the settings file in the media folder, or the default text when the file, the
// section or the key is missing.
std::string ReadSetting(platform::ProfileReader& reader, const std::string& mediaPath,
                        std::string_view section, std::string_view key,
                        std::string_view defaultText);

} // namespace quorix::startup
