#include "check/CheckDisc.h"

#include "check/AutorunCheck.h"
#include "check/CatalogueProblems.h"
#include "check/CheckText.h"
#include "check/ClipCheck.h"
#include "check/MenuProblems.h"
#include "check/PictureChecks.h"
#include "check/SettingsAsRead.h"
#include "check/SettingsFileChecks.h"
#include "startup/CatalogueReader.h"
#include "startup/ReadSetting.h"

#include <filesystem>

namespace quorix::check {
namespace {

void Append(std::vector<std::string>& to, std::vector<std::string> more) {
    for (std::string& item : more) {
        to.push_back(std::move(item));
    }
}

// The folder and the settings file. A file that is missing or cannot be read gives the defaults
// of every key without a word, which is why the check says so.
void CheckPlaces(const platform::PathResolver& paths, const std::string& mediaPath,
                 DiscReport& report) {
    const std::string folder = paths.resolve(mediaPath);
    report.lines.push_back("Media folder: " + mediaPath +
                           (folder != mediaPath ? " (" + folder + ")" : ""));
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        report.problems.push_back("media folder " + mediaPath + " not found");
        return;
    }
    Append(report.lines, DescribeAutorun(folder));
    const std::string settingsFile =
        paths.resolve(mediaPath + std::string(startup::SettingsFileName));
    report.lines.push_back("Settings file: " + settingsFile);
    if (!std::filesystem::is_regular_file(settingsFile, error)) {
        report.problems.push_back("settings file " + std::string(startup::SettingsFileName) +
                                  " not found at " + settingsFile);
    } else {
        SettingsFileChecks file = CheckSettingsFile(settingsFile);
        Append(report.lines, std::move(file.lines));
        Append(report.problems, std::move(file.problems));
    }
}

} // namespace

DiscReport CheckDisc(const DiscServices& services, const std::string& mediaPath,
                     ScreenSize screen) {
    DiscReport report;
    CheckPlaces(services.paths, mediaPath, report);

    const SettingsAsRead settings = ReadSettingsAsRead(services.profile, mediaPath);
    report.lines.emplace_back("");
    report.lines.emplace_back("Settings:");
    Append(report.lines, DescribeSettings(settings));

    const program::ClipCatalogue catalogue = startup::ReadCatalogue(services.profile, mediaPath);
    Append(report.problems, CatalogueProblems(services.profile, mediaPath, catalogue));

    const int entries = catalogue.LastClip + 1;
    report.lines.emplace_back("");
    report.lines.push_back("Catalogue: " + std::to_string(entries) +
                           (entries == 1 ? " entry" : " entries"));
    for (int i = 0; i < entries; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        const std::string& file = catalogue.ClipFiles[slot];
        ClipCheck clip = CheckClip(services.device, services.paths, mediaPath, i,
                                   catalogue.ClipTitles[slot], file);
        report.lines.push_back("  " + std::to_string(i + 1) + ". " +
                               QuotedTitle(catalogue.ClipTitles[slot]));
        report.lines.push_back("     file: " + ShownText(file));
        report.lines.push_back("     path: " + clip.hostPath);
        report.lines.push_back(
            "     length: " +
            (clip.length ? std::to_string(*clip.length) + (*clip.length == 1 ? " frame" : " frames")
                         : std::string("unknown")));
        Append(report.problems, std::move(clip.problems));
    }

    Append(report.problems, MenuProblems(settings.record, catalogue));
    if (settings.record.MenuMode == 1 && entries > 0) {
        report.lines.push_back("  menu laid out for a " + std::to_string(screen.width) + "x" +
                               std::to_string(screen.height) + " screen");
        Append(report.problems,
               MenuFitProblems(services.profile, services.paths, mediaPath, screen));
    }

    PictureChecks pictures = CheckPictures(services.paths, mediaPath, settings.record);
    report.lines.emplace_back("");
    report.lines.emplace_back("Pictures:");
    Append(report.lines, std::move(pictures.lines));
    Append(report.problems, std::move(pictures.problems));
    return report;
}

} // namespace quorix::check
