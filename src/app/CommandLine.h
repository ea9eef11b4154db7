#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorix {

// What the program was asked to do.
enum class RunMode {
    Present, // show the presentation
    Check,   // report on the media folder for a disc author
    Help,
    Version,
};

// The program's arguments, understood.
struct CommandLine {
    RunMode mode = RunMode::Present;
    // Start as if this folder were the current directory.
    std::optional<std::string> folder;
    // The command-line text start-up searches for "/debug": the arguments other than the folder
    // and the options, joined by single blanks. With no new argument it is the whole text.
    std::string startupText;
    // Why the arguments cannot be used; empty when they can.
    std::string error;
};

// Whether a path names an existing folder.
using FolderTest = std::function<bool(const std::string& path)>;

// Reads the arguments after the program name. "--check", "--help" and "--version" are options,
// "--" ends the options; any other word that begins with "-" is an unknown option. Of the other
// words, "/debug" keeps its old meaning (the fixed media folder), and so does any word holding
// "/debug" that is not an existing folder; the one remaining word is the folder. "--help" and
// "--version" win over everything else, including errors.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments, const FolderTest& isFolder);

// The text of "quorix --help".
std::string HelpText();

} // namespace quorix
