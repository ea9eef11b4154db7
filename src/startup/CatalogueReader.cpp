#include "startup/CatalogueReader.h"

#include "platform/BasicNumber.h"
#include "startup/ReadSetting.h"

#include <cstdio>
#include <string_view>

namespace quorix::startup {
namespace {

std::string IndexedKey(std::string_view stem, int index) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02d", index);
    return std::string(stem) + digits;
}

// A placing value is stored only when its key holds text; one that cannot be stored in 32 bits
// is treated as absent and leaves the slot at 0.
void StorePlacing(std::int32_t& slot, const std::string& text) {
    if (text.empty()) {
        return;
    }
    if (const auto value = platform::ReadInt32(text)) {
        slot = *value;
    }
}

} // namespace

program::ClipCatalogue ReadCatalogue(platform::ProfileReader& reader,
                                     const std::string& mediaPath) {
    program::ClipCatalogue catalogue;
    auto read = [&](std::string_view section, const std::string& key) {
        return ReadSetting(reader, mediaPath, section, key, "");
    };

    // Pass 1: titles and placing values, up to the first missing title. There are 16 slots, so
    // a "clip16" key after a full list is never read.
    int titles = 0;
    while (titles < program::ClipCatalogue::Slots) {
        std::string title = read("cliplist", IndexedKey("clip", titles));
        if (title.empty()) {
            break;
        }
        const auto slot = static_cast<std::size_t>(titles);
        catalogue.ClipTitles[slot] = std::move(title);
        StorePlacing(catalogue.ClipXPos[slot], read("cliplist", IndexedKey("xpos", titles)));
        StorePlacing(catalogue.ClipYPos[slot], read("cliplist", IndexedKey("ypos", titles)));
        ++titles;
    }

    // Pass 2: the file of each title, looked up under the title itself; the first title without
    // one ends the catalogue.
    int files = 0;
    while (files < titles) {
        const auto slot = static_cast<std::size_t>(files);
        std::string file = read("filelist", catalogue.ClipTitles[slot]);
        if (file.empty()) {
            break;
        }
        catalogue.ClipFiles[slot] = std::move(file);
        ++files;
    }

    catalogue.LastClip = static_cast<std::int16_t>(files - 1);
    return catalogue;
}

} // namespace quorix::startup
