#include "check/PictureChecks.h"

#include "platform/PictureFile.h"

#include <filesystem>

namespace quorix::check {

PictureChecks CheckPictures(const platform::PathResolver& paths, const std::string& mediaPath,
                            const SettingsRecord& settings) {
    struct Picture {
        const char* name;
        bool shown;
        const char* setting; // the setting that asks for it; null when none does
    };
    const Picture pictures[] = {
        {"frame.jpg", true, nullptr},
        {"bgrd.jpg", settings.MenuMode == 1, "menumode 1"},
        {"logo.bmp", settings.LogoMode == 1, "logomode 1"},
    };

    PictureChecks checks;
    for (const Picture& picture : pictures) {
        const std::string programPath = mediaPath + picture.name;
        const std::string hostPath = paths.resolve(programPath);
        std::string line = std::string("  ") + picture.name + ": ";
        if (!picture.shown) {
            checks.lines.push_back(line + "not shown with these settings");
            continue;
        }
        std::error_code error;
        if (!std::filesystem::is_regular_file(hostPath, error)) {
            checks.lines.push_back(line + "not present (" + hostPath + ")");
            if (picture.setting != nullptr) {
                checks.problems.push_back(std::string(picture.name) + " is missing at " + hostPath +
                                          ", though " + picture.setting + " shows it");
            }
            continue;
        }
        const auto loaded = platform::LoadPictureFile(paths, programPath);
        if (!loaded) {
            checks.lines.push_back(line + hostPath + ", cannot be decoded");
            checks.problems.push_back(std::string(picture.name) + " at " + hostPath +
                                      " cannot be decoded as a picture");
            continue;
        }
        checks.lines.push_back(line + hostPath + ", " + std::to_string(loaded->width()) + "x" +
                               std::to_string(loaded->height()));
    }
    return checks;
}

} // namespace quorix::check
