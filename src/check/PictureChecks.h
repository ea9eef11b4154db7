#pragma once

#include "platform/PathResolver.h"
#include "program/SettingsRecord.h"

#include <string>
#include <vector>

namespace quorix::check {

// What became of the backdrop pictures of the media folder: one line of description for each
// of "frame.jpg", "bgrd.jpg" and "logo.bmp", and the problems, one line each.
struct PictureChecks {
    std::vector<std::string> lines;
    std::vector<std::string> problems;
};

// Loads each picture the way the backdrop does. "frame.jpg" is always tried and is optional;
// "bgrd.jpg" is shown only with menumode 1 and "logo.bmp" only with logomode 1, and a setting
// that asks for a picture the folder does not hold is a problem. A picture that is there but
// cannot be decoded is a problem whenever it would be shown: the backdrop leaves it out.
PictureChecks CheckPictures(const platform::PathResolver& paths, const std::string& mediaPath,
                            const program::SettingsRecord& settings);

} // namespace quorix::check
