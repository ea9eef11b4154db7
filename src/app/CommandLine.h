#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorix::app {

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
    // The screen size the check lays the menu out for, in pixels.
    int screenWidth = 1024;
    int screenHeight = 768;
    // Why the arguments cannot be used; empty when they can. Only the check refuses arguments.
    std::string error;
    // Traces of what fails and why, on standard error.
    bool verbose = false;
    // With nobody at the screen: every message box and the second window close by themselves
    // after this many seconds, as if their button were pressed.
    std::optional<std::chrono::seconds> unattended;
    // Words the presentation goes without, each with the reason, to be told on standard error.
    std::vector<std::string> ignored;
};

// The seconds a box stays up with "--unattended" and no number, and the longest that may be given.
inline constexpr int DefaultUnattendedSeconds = 20;
inline constexpr int LongestUnattendedSeconds = 86400;

// Whether a path names an existing folder.
using FolderTest = std::function<bool(const std::string& path)>;

// Reads the arguments after the program name. "--check", "--screen WxH", "--unattended[=SECONDS]",
// "--verbose", "--help" and "--version" are options, "--" ends the options; any other word that
// begins with "-" is an unknown option. Of the other words, "/debug" keeps its old meaning (the
// fixed media folder), and so does any word holding "/debug" that is not an existing folder; the
// first existing folder is the folder. Launchers pass words of their own, so the presentation goes
// on without a word it cannot use (an unknown option, a word that is no existing folder, a second
// folder, "--screen"), while the check, run by a disc author, refuses it. "--help" and "--version"
// win over everything else, including errors.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments, const FolderTest& isFolder);

// The text of "quorix --help".
std::string HelpText();

} // namespace quorix::app
