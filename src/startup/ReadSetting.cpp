#include "startup/ReadSetting.h"

namespace quorix::startup {

std::string ReadSetting(platform::ProfileReader& reader, const std::string& mediaPath,
                        std::string_view section, std::string_view key,
                        std::string_view defaultText) {
    return reader.readString(section, key, defaultText, SettingBufferSize,
                             mediaPath + std::string(SettingsFileName));
}

} // namespace quorix::startup
