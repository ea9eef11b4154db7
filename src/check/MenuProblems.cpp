#include "check/MenuProblems.h"

#include "check/CheckText.h"
#include "startup/SettingsTable.h"

namespace quorix::check {

std::vector<std::string> MenuProblems(const program::SettingsRecord& settings,
                                      const program::ClipCatalogue& catalogue) {
    std::vector<std::string> problems;
    if (settings.MenuMode != 1) {
        return problems;
    }

    const int entries = catalogue.LastClip + 1;
    if (entries > 0 && catalogue.ClipXPos[0] != 0) {
        for (int i = 0; i < entries; ++i) {
            const auto slot = static_cast<std::size_t>(i);
            std::vector<std::string> zero;
            if (catalogue.ClipXPos[slot] == 0) {
                zero.push_back(IndexedKey("xpos", i));
            }
            if (catalogue.ClipYPos[slot] == 0) {
                zero.push_back(IndexedKey("ypos", i));
            }
            if (zero.empty()) {
                continue;
            }
            problems.push_back(IndexedKey("clip", i) + " " +
                               QuotedTitle(catalogue.ClipTitles[slot]) + ": " + zero.front() +
                               (zero.size() > 1 ? " and " + zero.back() + " are" : " is") +
                               " 0 or missing, a zero divisor in the explicit layout that xpos00 " +
                               std::to_string(catalogue.ClipXPos[0]) + " chooses");
        }
    }

    // IntroClip is the 1-based entry number; the key holds it minus one.
    if (entries > 0 && settings.IntroClip > entries) {
        problems.push_back(std::string(startup::setting::Intro.key) + " " +
                           std::to_string(settings.IntroClip - 1) + " names entry " +
                           std::to_string(settings.IntroClip) + ", but the catalogue has " +
                           std::to_string(entries) + (entries == 1 ? " entry" : " entries") +
                           ", so the intro cannot play");
    }
    return problems;
}

} // namespace quorix::check
