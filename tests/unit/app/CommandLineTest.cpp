#include "app/CommandLine.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <set>

namespace quorix::app {
namespace {

// Folders that exist, as the tests pretend.
CommandLine Parse(const std::vector<std::string>& arguments,
                  const std::set<std::string>& folders = {}) {
    return ParseCommandLine(arguments,
                            [&](const std::string& path) { return folders.count(path) > 0; });
}

// Which words are the folder and which make up the text start-up searches for "/debug".
TEST(CommandLine, ModeFolderAndStartUpText) {
    const struct {
        std::vector<std::string> arguments;
        std::set<std::string> folders;
        RunMode mode;
        std::optional<std::string> folder;
        std::string startupText;
    } cases[] = {
        {{}, {}, RunMode::Present, std::nullopt, ""},
        // Every word that holds "/debug" anywhere, and is no folder, keeps selecting the fixed
        // folder; "/debug" itself does even when such a folder exists.
        {{"/debug", "x/debugx"}, {"/debug"}, RunMode::Present, std::nullopt, "/debug x/debugx"},
        {{"/srv/discs/debug/one", "/debug"},
         {"/srv/discs/debug/one"},
         RunMode::Present,
         "/srv/discs/debug/one",
         "/debug"},
        {{"--verbose", "disc", "/debug"}, {"disc"}, RunMode::Present, "disc", "/debug"},
        // The check judges whether the folder exists when it enters it.
        {{"--check", "media/disc"}, {}, RunMode::Check, "media/disc", ""},
        {{"--check", "--verbose"}, {}, RunMode::Check, std::nullopt, ""},
        {{"disc", "--check"}, {}, RunMode::Check, "disc", ""},
        {{"--check", "/debug"}, {}, RunMode::Check, std::nullopt, "/debug"},
        // A double dash ends the options.
        {{"--", "--check"}, {"--check"}, RunMode::Present, "--check", ""},
        {{"-"}, {"-"}, RunMode::Present, "-", ""},
        // Help and version answer whatever else is given.
        {{"--check", "--bogus", "--help", "a", "b"}, {}, RunMode::Help, "a", ""},
        {{"--check", "--version"}, {}, RunMode::Version, std::nullopt, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const CommandLine line = Parse(c.arguments, c.folders);
        EXPECT_EQ(line.mode, c.mode);
        EXPECT_EQ(line.folder, c.folder);
        EXPECT_EQ(line.startupText, c.startupText);
        EXPECT_EQ(line.error, "");
        EXPECT_TRUE(line.ignored.empty());
        EXPECT_EQ(line.verbose,
                  std::count(c.arguments.begin(), c.arguments.end(), "--verbose") == 1);
    }
}

// Autorun tools and desktop entries pass words of their own: the presentation starts without
// them and says which it passed over.
TEST(CommandLine, PresentationPassesOverWordsItCannotUse) {
    const CommandLine line =
        Parse({"/DEBUG", "-x", "gone", "disc", "other", "--screen", "800x600"}, {"disc", "other"});
    EXPECT_EQ(line.mode, RunMode::Present);
    EXPECT_EQ(line.error, "");
    EXPECT_EQ(line.folder, "disc");
    EXPECT_EQ(line.startupText, "");
    EXPECT_EQ(line.ignored,
              (std::vector<std::string>{
                  "unknown option '-x'", "'/DEBUG' is neither an existing folder nor an option",
                  "'gone' is neither an existing folder nor an option",
                  "'other' is a second folder; the media are looked for from the first, 'disc'",
                  "'--screen 800x600' serves --check only"}));
}

// The check refuses, with the first reason, any word it cannot use.
TEST(CommandLine, CheckTakesAScreenSizeAndRefusesWordsItCannotUse) {
    const CommandLine wide = Parse({"--screen", "1920x1080", "--check"});
    EXPECT_EQ(std::pair(wide.screenWidth, wide.screenHeight), std::pair(1920, 1080));
    const CommandLine joined = Parse({"--check", "--screen=1280x720"});
    EXPECT_EQ(std::pair(joined.screenWidth, joined.screenHeight), std::pair(1280, 720));
    EXPECT_EQ(joined.error, "");

    EXPECT_EQ(Parse({"a", "b", "--check"}).error, "more than one folder given: 'a' and 'b'");
    EXPECT_EQ(Parse({"-x", "--bogus", "--check"}).error, "unknown option '-x'");
    const std::string wants = "--screen wants the screen's size in pixels, such as 1024x768, not '";
    EXPECT_EQ(Parse({"--check", "--screen"}).error, wants + "'");
    for (const char* bad : {"1024", "x768", "1024x", "1024x768x", "0x0", "-1x5", "1024X768"}) {
        const CommandLine line = Parse({"--check", "--screen", bad});
        EXPECT_EQ(line.error, wants + bad + "'");
        EXPECT_EQ(std::pair(line.screenWidth, line.screenHeight), std::pair(1024, 768)) << bad;
    }
}

// The seconds come only after "=", since the next word may be the folder; seconds that cannot be
// used leave the default, with a warning.
TEST(CommandLine, UnattendedTakesSecondsAfterAnEqualsSign) {
    using std::chrono::seconds;
    EXPECT_EQ(Parse({"5"}, {"5"}).unattended, std::nullopt);
    EXPECT_EQ(Parse({"--unattended", "5"}, {"5"}).unattended, seconds(20));
    EXPECT_EQ(Parse({"--unattended=86400"}).unattended, seconds(86400));
    for (const char* bad : {"0", "86401", "5s", ""}) {
        const CommandLine line = Parse({std::string("--unattended=") + bad});
        EXPECT_EQ(line.unattended, seconds(20));
        EXPECT_EQ(line.ignored.at(0), std::string("--unattended wants whole seconds from 1 to "
                                                  "86400, not '") +
                                          bad + "'; boxes close after 20");
    }
    EXPECT_EQ(Parse({"--check", "--unattended=1"}).error,
              "'--unattended' serves the presentation only");
}

} // namespace
} // namespace quorix::app
