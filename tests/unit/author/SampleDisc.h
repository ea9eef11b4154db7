#pragma once

#include "../platform/TempDir.h"

#include <filesystem>
#include <string>

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

} // namespace quorix::author::testing_support
