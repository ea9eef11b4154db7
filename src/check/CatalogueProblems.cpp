#include "check/CatalogueProblems.h"

#include "check/CheckText.h"
#include "startup/FormLoad.h"
#include "startup/ReadSetting.h"

#include <string_view>

namespace quorix::check {
namespace {

// Keys are written with two digits, so clip99 is the last title key an author can write.
constexpr int LastKeyIndex = 99;

std::string Entry(int index, const std::string& title) {
    return IndexedKey("clip", index) + " " + QuotedTitle(title);
}

} // namespace

std::vector<std::string> CatalogueProblems(platform::ProfileReader& reader,
                                           const std::string& mediaPath,
                                           const program::ClipCatalogue& catalogue) {
    auto read = [&](std::string_view section, const std::string& key) {
        return startup::ReadSetting(reader, mediaPath, section, key, "");
    };
    std::vector<std::string> problems;

    // The titles start-up read: from clip00 up to the first missing one.
    int titles = 0;
    while (titles < program::ClipCatalogue::Slots &&
           !catalogue.ClipTitles[static_cast<std::size_t>(titles)].empty()) {
        ++titles;
    }
    const auto title = [&](int index) -> const std::string& {
        return catalogue.ClipTitles[static_cast<std::size_t>(index)];
    };

    // Titles start-up never reads: after the first missing key, or past the last slot.
    const int firstUnread =
        titles < program::ClipCatalogue::Slots ? titles + 1 : program::ClipCatalogue::Slots;
    for (int i = firstUnread; i <= LastKeyIndex; ++i) {
        const std::string unread = read("cliplist", IndexedKey("clip", i));
        if (unread.empty()) {
            continue;
        }
        if (titles < program::ClipCatalogue::Slots) {
            problems.push_back(Entry(i, unread) + " comes after the gap at " +
                               IndexedKey("clip", titles) + " and is never read");
        } else {
            problems.push_back(Entry(i, unread) + " is never read: the catalogue holds " +
                               std::to_string(program::ClipCatalogue::Slots) + " entries at most");
        }
    }

    // Titles without a file entry; the first of them ends the catalogue.
    const int entries = catalogue.LastClip + 1;
    for (int i = entries; i < titles; ++i) {
        if (!read("filelist", title(i)).empty()) {
            continue;
        }
        std::string problem = Entry(i, title(i)) + " has no entry in [filelist]";
        if (i == entries) {
            problem += ", so the catalogue ends before it";
            for (int cut = i + 1; cut < titles; ++cut) {
                problem += (cut == i + 1 ? ", cutting off " : ", ") + Entry(cut, title(cut));
            }
        }
        problems.push_back(std::move(problem));
    }

    // A title is the key of its file entry, so two entries with one title play one file.
    for (int i = 1; i < titles; ++i) {
        for (int earlier = 0; earlier < i; ++earlier) {
            if (title(earlier) == title(i)) {
                problems.push_back(Entry(i, title(i)) + " repeats the title of " +
                                   IndexedKey("clip", earlier) +
                                   ", so both play the file of that one entry in [filelist]");
                break;
            }
        }
    }

    if (catalogue.LastClip < 0) {
        problems.push_back("no playable entry, so the presenter stops at once with \"" +
                           std::string(startup::NothingToPlayMessage) + "\"");
    }
    return problems;
}

} // namespace quorix::check
