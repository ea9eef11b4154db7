#pragma once

#include "../platform/TempDir.h"
#include "startup/CatalogueReader.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace quorix::author::testing_support {

// A copy of the sample disc (examples/disc) in a fresh folder, so that tests may change it.
class SampleDisc {
public:
    SampleDisc() {
        std::filesystem::copy(QUORIX_SAMPLE_DISC, media(),
                              std::filesystem::copy_options::recursive);
    }

    // The media folder, "<temp>/quorix".
    std::filesystem::path media() const { return folder_.path() / "quorix"; }
    std::string mediaPath() const { return media().string() + "/"; }
    std::filesystem::path settingsFile() const { return media() / "quorix.ini"; }
    const platform::testing_support::TempDir& folder() const { return folder_; }

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
inline std::vector<std::string> PlayableEntries(const ClipCatalogue& catalogue) {
    std::vector<std::string> entries;
    for (int i = 0; i <= catalogue.LastClip; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        entries.push_back(catalogue.ClipTitles[slot] + "=" + catalogue.ClipFiles[slot]);
    }
    return entries;
}

// Runs `write` with files limited to `bytes`, as on a disc that fills up (the limit binds root
// as well): the write stops half way.
template <typename Write> auto WithFileSizeLimit(rlim_t bytes, Write write) {
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
    auto result = write();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);
    return result;
}

} // namespace quorix::author::testing_support
