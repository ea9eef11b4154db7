#include "check/PictureChecks.h"

#include "platform/PictureFile.h"
#include "startup/SettingsTable.h"

#include <filesystem>

namespace quorix::check {

PictureChecks CheckPictures(const platform::PathResolver& paths, const std::string& mediaPath,
                            const program::SettingsRecord& settings) {
    struct Picture {
        const char* name;
        bool shown;
        const startup::SettingRow*
            setting; // the key whose value 1 asks for it; null when none does
    };
    const Picture pictures[] = {
        {"frame.jpg", true, nullptr},
        {"bgrd.jpg", settings.MenuMode == 1, &startup::setting::MenuMode},
        {"logo.bmp", settings.LogoMode == 1, &startup::setting::LogoMode},
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
                                          ", though " + std::string(picture.setting->key) +
                                          " 1 shows it");
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
