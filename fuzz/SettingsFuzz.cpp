// The whole settings file as start-up reads it: the settings record, the font keys and the clip
// catalogue, all from one file of arbitrary bytes.
#include "FuzzTarget.h"
#include "platform/MemoryProfileReader.h"
#include "platform/TextDecoding.h"
#include "startup/CatalogueReader.h"
#include "startup/ReadSetting.h"
#include "startup/SettingsReader.h"

#include <cstddef>
#include <string>

namespace quorix::fuzz {

std::string FuzzSettingsFile(std::string_view bytes) {
    const std::string mediaPath = "d:\\quorix\\";
    platform::MemoryProfileReader reader;
    reader.setFile(mediaPath + std::string(startup::SettingsFileName), bytes);

    program::SettingsRecord settings = startup::ReadSettings(reader, mediaPath);
    const program::ClipCatalogue catalogue = startup::ReadCatalogue(reader, mediaPath);
    startup::ReadTitleStyle(settings, reader, mediaPath);

    if (catalogue.LastClip < -1 || catalogue.LastClip >= program::ClipCatalogue::Slots) {
        return "LastClip " + std::to_string(catalogue.LastClip) + " is outside -1.." +
               std::to_string(program::ClipCatalogue::Slots - 1);
    }
    for (int clip = 0; clip <= catalogue.LastClip; ++clip) {
        const auto slot = static_cast<std::size_t>(clip);
        const std::string& title = catalogue.ClipTitles[slot];
        const std::string& file = catalogue.ClipFiles[slot];
        if (title.empty() || file.empty()) {
            return "playable entry " + std::to_string(clip) + " lacks a title or a file";
        }
        if (title.size() >= startup::SettingBufferSize ||
            file.size() >= startup::SettingBufferSize) {
            return "entry " + std::to_string(clip) + " is longer than the read buffer holds";
        }
        // A title is also the key of its file entry.
        if (startup::ReadSetting(reader, mediaPath, "filelist", title, "") != file) {
            return "entry " + std::to_string(clip) + " has a file its title does not name";
        }
        // Titles are shown on screen; any bytes must decode to something.
        (void)platform::DecodeDisplayText(title);
    }
    for (auto slot = static_cast<std::size_t>(catalogue.LastClip + 1);
         slot < static_cast<std::size_t>(program::ClipCatalogue::Slots); ++slot) {
        if (!catalogue.ClipFiles[slot].empty()) {
            return "entry " + std::to_string(slot) + " past LastClip has a file";
        }
    }
    return {};
}

} // namespace quorix::fuzz
