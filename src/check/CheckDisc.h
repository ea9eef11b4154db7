#pragma once

#include "check/DiscReport.h"
#include "check/MenuFit.h"
#include "platform/MciDevice.h"
#include "platform/PathResolver.h"
#include "platform/ProfileReader.h"

#include <string>

namespace quorix::check {

// The outside services a disc check uses.
struct DiscServices {
    platform::ProfileReader& profile;
    const platform::PathResolver& paths;
    platform::MciDevice& device; // opens each clip under the alias "check"
};

// Checks the media folder `mediaPath` (a program path ending in its separator, as start-up
// builds it): the settings file, the settings as read, every catalogue entry with its clip, the
// menu's settings, how the menu fits a screen of the given size, and the backdrop pictures. Reads
// with the same rules as the presenter, so what it reports is what the presenter would do with
// the disc.
DiscReport CheckDisc(const DiscServices& services, const std::string& mediaPath,
                     ScreenSize screen = {});

} // namespace quorix::check
