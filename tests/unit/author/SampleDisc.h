#pragma once

#include "../platform/TempDir.h"
#include "startup/CatalogueReader.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quorix::author::testing_support {

// A copy of the sample disc (examples/disc) in a fresh folder, so that tests may change it.
class SampleDisc {
public:
    SampleDisc() {
        std::filesystem::copy(QUORIX_SAMPLE_DISC, media(),
                              std::filesystem::copy_options::recursive);
    }
    std::filesystem::path media() const { return folder_.path() / "quorix"; }
    std::string mediaPath() const { return media().string() + "/"; }
    std::filesystem::path settingsFile() const { return media() / "quorix.ini"; }
    void write(const std::string& settings) const {
        std::ofstream(settingsFile(), std::ios::binary | std::ios::trunc) << settings;
    }

private:
    platform::testing_support::TempDir folder_;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return file.is_open() ? bytes.str() : "(unreadable)";
}

// What the presenter's start-up read: title=file for each playable entry.
inline std::vector<std::string> PlayableEntries(const program::ClipCatalogue& catalogue) {
    std::vector<std::string> entries;
    for (std::size_t i = 0; static_cast<int>(i) <= catalogue.LastClip; ++i) {
        entries.push_back(catalogue.ClipTitles[i] + "=" + catalogue.ClipFiles[i]);
    }
    return entries;
}

} // namespace quorix::author::testing_support
