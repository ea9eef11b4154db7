#include "app/DiscCheckCommand.h"

#include "check/CheckDisc.h"
#include "platform/FileProfileReader.h"
#include "platform/PathResolver.h"
#include "platform/mci/MpvMciDevice.h"
#include "startup/MediaFolder.h"

#include <filesystem>
#include <iostream>

namespace quorix {

int RunDiscCheck(const std::string& startupText) {
    const platform::PathResolver paths;
    platform::FileProfileReader profile(paths);

    platform::mci::MpvSettings settings;
    settings.output = platform::mci::VideoOutput::None;
    settings.audio = false;
    platform::mci::MpvMciDevice device(settings, paths);

    std::error_code error;
    const std::string currentDirectory = std::filesystem::current_path(error).string();
    if (error) {
        std::cerr << "quorix: cannot tell the current directory: " << error.message() << "\n";
        return 2;
    }
    const std::string mediaPath =
        FindMediaPath(currentDirectory, startupText,
                      static_cast<char>(std::filesystem::path::preferred_separator));

    const check::DiscReport report = check::CheckDisc({profile, paths, device}, mediaPath);
    std::cout << check::ReportText(report) << std::flush;
    return report.sound() ? 0 : 1;
}

} // namespace quorix
