#include "startup/SettingsReader.h"

#include "startup/ReadSetting.h"
#include "startup/SettingsTable.h"

#include <type_traits>

namespace quorix::startup {
namespace {

void Store(program::SettingsRecord& settings, const SettingRow& row, double value) {
    std::visit(
        [&](auto member) {
            auto& field = settings.*member;
            using Field = std::remove_cvref_t<decltype(field)>;
            if constexpr (std::is_same_v<Field, bool>) {
                field = value != 0.0;
            } else if constexpr (std::is_same_v<Field, std::optional<std::int32_t>>) {
                field = static_cast<std::int32_t>(value);
            } else {
                field = static_cast<Field>(value);
            }
        },
        row.field);
}

// The start-up value first, then the file's: a value that cannot be stored in its field (out of
// range, overflowing, not convertible) is treated as if the key were absent. The old runtime
// stopped with a run-time error here, which is no behaviour for a presenter in a kiosk.
void ReadRows(program::SettingsRecord& settings, platform::ProfileReader& reader,
              const std::string& mediaPath, bool titleStyle) {
    for (const SettingRow* row : SettingsTable) {
        if (StylesTitles(*row) != titleStyle) {
            continue;
        }
        for (const std::string& text :
             {std::string(row->defaultText),
              ReadSetting(reader, mediaPath, row->section, row->key, row->defaultText)}) {
            if (const auto value = SettingValue(*row, text)) {
                Store(settings, *row, *value);
            }
        }
    }
}

} // namespace

program::SettingsRecord ReadSettings(platform::ProfileReader& reader,
                                     const std::string& mediaPath) {
    program::SettingsRecord settings;
    ReadRows(settings, reader, mediaPath, false);
    return settings;
}

void ReadTitleStyle(program::SettingsRecord& settings, platform::ProfileReader& reader,
                    const std::string& mediaPath) {
    ReadRows(settings, reader, mediaPath, true);
    // No highlight colour chosen (0): one that stands out from the font colour, each channel c
    // becoming 128 + ((255 - c) mod 128).
    if (settings.FontColor && settings.HiliteColor == 0) {
        settings.HiliteColor = (~*settings.FontColor & 0x7F7F7F) | 0x808080;
    }
}

} // namespace quorix::startup
