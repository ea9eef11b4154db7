#include "app/CommandLine.h"

#include <charconv>
#include <string>
#include <string_view>

namespace quorix::app {
namespace {

constexpr std::string_view DebugWord = "/debug";
constexpr std::string_view ScreenOption = "--screen";
constexpr std::string_view UnattendedOption = "--unattended";

// Reads "WIDTHxHEIGHT" in pixels; sizes outside what a screen can be are refused.
bool ReadScreenSize(std::string_view text, int& width, int& height) {
    const std::size_t cross = text.find('x');
    if (cross == std::string_view::npos) {
        return false;
    }
    auto whole = [](std::string_view digits, int& value) {
        const char* end = digits.data() + digits.size();
        const auto [stop, error] = std::from_chars(digits.data(), end, value);
        return error == std::errc() && stop == end && value >= 64 && value <= 16384;
    };
    return whole(text.substr(0, cross), width) && whole(text.substr(cross + 1), height);
}

// Reads the seconds of "--unattended=SECONDS": a whole number from 1 to a day.
bool ReadSeconds(std::string_view text, int& seconds) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, seconds);
    return error == std::errc() && stop == end && seconds >= 1 &&
           seconds <= LongestUnattendedSeconds;
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                             const FolderTest& isFolder) {
    CommandLine line;
    bool help = false;
    bool version = false;
    bool check = false;
    bool optionsEnded = false;
    std::vector<std::string> startupWords;
    std::vector<std::string> folderWords;
    // Words that cannot be used: refused by the check, passed over by the presentation.
    std::vector<std::string> unusable;
    std::string screenOption;
    bool unattended = false;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            if (argument == "--") {
                optionsEnded = true;
            } else if (argument == "--check") {
                check = true;
            } else if (argument == "--verbose") {
                line.verbose = true;
            } else if (argument == "--help") {
                help = true;
            } else if (argument == "--version") {
                version = true;
            } else if (argument == ScreenOption ||
                       argument.rfind(std::string(ScreenOption) + "=", 0) == 0) {
                std::string size;
                if (argument != ScreenOption) {
                    size = argument.substr(ScreenOption.size() + 1);
                } else if (i + 1 < arguments.size()) {
                    size = arguments[++i];
                }
                screenOption = std::string(ScreenOption) + " " + size;
                if (!ReadScreenSize(size, line.screenWidth, line.screenHeight)) {
                    line.screenWidth = 1024;
                    line.screenHeight = 768;
                    unusable.push_back("--screen wants the screen's size in pixels, such as "
                                       "1024x768, not '" +
                                       size + "'");
                }
            } else if (argument == UnattendedOption ||
                       argument.rfind(std::string(UnattendedOption) + "=", 0) == 0) {
                // The number only after "=": a word of its own may be the folder.
                unattended = true;
                int seconds = DefaultUnattendedSeconds;
                if (argument != UnattendedOption &&
                    !ReadSeconds(std::string_view(argument).substr(UnattendedOption.size() + 1),
                                 seconds)) {
                    seconds = DefaultUnattendedSeconds;
                    unusable.push_back("--unattended wants whole seconds from 1 to " +
                                       std::to_string(LongestUnattendedSeconds) + ", not '" +
                                       argument.substr(UnattendedOption.size() + 1) +
                                       "'; boxes close after " + std::to_string(seconds));
                }
                line.unattended = std::chrono::seconds(seconds);
            } else {
                unusable.push_back("unknown option '" + argument + "'");
            }
            continue;
        }
        // Shortcuts and autorun files pass "/debug" and have always had the fixed folder for it;
        // a folder whose path happens to hold the text is taken as a folder.
        const bool debugWord =
            argument == DebugWord ||
            (argument.find(DebugWord) != std::string::npos && !isFolder(argument));
        if (debugWord) {
            startupWords.push_back(argument);
        } else {
            folderWords.push_back(argument);
        }
    }

    for (const std::string& word : startupWords) {
        if (!line.startupText.empty()) {
            line.startupText += ' ';
        }
        line.startupText += word;
    }

    if (check) {
        if (unattended) {
            unusable.push_back("'--unattended' serves the presentation only");
        }
        // The author asked for this folder: one that is missing is said when it is entered.
        if (!folderWords.empty()) {
            line.folder = folderWords.front();
        }
        if (folderWords.size() > 1) {
            unusable.push_back("more than one folder given: '" + folderWords[0] + "' and '" +
                               folderWords[1] + "'");
        }
        if (!unusable.empty()) {
            line.error = unusable.front();
        }
    } else {
        for (const std::string& word : folderWords) {
            if (!isFolder(word)) {
                unusable.push_back("'" + word + "' is neither an existing folder nor an option");
            } else if (line.folder) {
                unusable.push_back("'" + word +
                                   "' is a second folder; the media are looked for "
                                   "from the first, '" +
                                   *line.folder + "'");
            } else {
                line.folder = word;
            }
        }
        if (!screenOption.empty()) {
            unusable.push_back("'" + screenOption + "' serves --check only");
        }
        line.ignored = std::move(unusable);
    }

    if (help) {
        line.mode = RunMode::Help;
        line.error.clear();
    } else if (version) {
        line.mode = RunMode::Version;
        line.error.clear();
    } else if (check) {
        line.mode = RunMode::Check;
    }
    return line;
}

std::string HelpText() {
    return "Usage: quorix [--unattended[=SECONDS]] [FOLDER]\n"
           "       quorix --check [--screen WxH] [FOLDER]\n"
           "Presents the clips of a disc's media folder in a full-screen window.\n"
           "\n"
           "  FOLDER     start as if FOLDER were the current directory: the media folder is\n"
           "             FOLDER itself when its path holds \"quorix\", else FOLDER/quorix/\n"
           "             (without FOLDER, the same from the current directory)\n"
           "  /debug     use the fixed media folder e:\\quorixroot\\quorix\\, where e: is the\n"
           "             folder in QUORIX_DRIVE_E, else /mnt/e\n"
           "  --check    report on the media folder for a disc author, without a window:\n"
           "             settings, catalogue entries, clips, pictures and every problem;\n"
           "             exit status 0 when the disc is sound, 1 when it has problems\n"
           "  --screen WxH  the screen size in pixels the check lays the menu out for\n"
           "             (1024x768 when not given)\n"
           "  --unattended[=SECONDS]  for a kiosk: every message box closes by itself\n"
           "             after SECONDS (default 20), as if OK were pressed\n"
           "  --verbose  trace on standard error what fails and why\n"
           "  --help     show this help and exit\n"
           "  --version  show the version and exit\n"
           "\n"
           "The presentation passes over any other word with a warning; the check refuses it\n"
           "with exit status 2. See quorix(1).\n";
}

} // namespace quorix::app
