#include "app/CommandLine.h"

#include <string_view>

namespace quorix {
namespace {

constexpr std::string_view DebugWord = "/debug";

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                             const FolderTest& isFolder) {
    CommandLine line;
    bool help = false;
    bool version = false;
    bool check = false;
    bool optionsEnded = false;
    std::vector<std::string> startupWords;

    auto fail = [&](std::string why) {
        if (line.error.empty()) {
            line.error = std::move(why);
        }
    };

    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            if (argument == "--") {
                optionsEnded = true;
            } else if (argument == "--check") {
                check = true;
            } else if (argument == "--help") {
                help = true;
            } else if (argument == "--version") {
                version = true;
            } else {
                fail("unknown option '" + argument + "'");
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
        } else if (line.folder) {
            fail("more than one folder given: '" + *line.folder + "' and '" + argument + "'");
        } else {
            line.folder = argument;
        }
    }

    for (const std::string& word : startupWords) {
        if (!line.startupText.empty()) {
            line.startupText += ' ';
        }
        line.startupText += word;
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
    return "Usage: quorix [FOLDER]\n"
           "       quorix --check [FOLDER]\n"
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
           "  --help     show this help and exit\n"
           "  --version  show the version and exit\n"
           "\n"
           "Exit status 2: the command line cannot be used. See quorix(1).\n";
}

} // namespace quorix
