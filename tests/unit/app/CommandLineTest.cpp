#include "app/CommandLine.h"

#include <gtest/gtest.h>
#include <set>

namespace quorix {
namespace {

// Folders that exist, as the tests pretend.
CommandLine Parse(const std::vector<std::string>& arguments,
                  const std::set<std::string>& folders = {}) {
    return ParseCommandLine(arguments,
                            [&](const std::string& path) { return folders.count(path) > 0; });
}

TEST(CommandLine, WithoutNewArgumentsStartUpSeesTheWholeText) {
    const CommandLine none = Parse({});
    EXPECT_EQ(none.mode, RunMode::Present);
    EXPECT_FALSE(none.folder);
    EXPECT_EQ(none.startupText, "");
    EXPECT_EQ(none.error, "");

    // Every word that holds "/debug" anywhere, and is no folder, keeps selecting the fixed
    // folder; "/debug" itself does even when such a folder exists.
    const CommandLine debug = Parse({"/debug", "x/debugx"}, {"/debug"});
    EXPECT_FALSE(debug.folder);
    EXPECT_EQ(debug.startupText, "/debug x/debugx");
    EXPECT_EQ(debug.error, "");
}

TEST(CommandLine, TheFolderIsLeftOutOfTheStartUpText) {
    const CommandLine folder = Parse({"/srv/discs/debug/one", "/debug"}, {"/srv/discs/debug/one"});
    EXPECT_EQ(folder.mode, RunMode::Present);
    EXPECT_EQ(folder.folder, "/srv/discs/debug/one");
    EXPECT_EQ(folder.startupText, "/debug");

    // The check judges whether it exists when it enters it, except for a "/debug" path.
    const CommandLine missing = Parse({"--check", "media/disc"});
    EXPECT_EQ(missing.folder, "media/disc");
    EXPECT_EQ(missing.startupText, "");
    EXPECT_EQ(missing.error, "");

    EXPECT_EQ(Parse({"a", "b", "--check"}).error, "more than one folder given: 'a' and 'b'");
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
    EXPECT_TRUE(Parse({"/debug", "disc"}, {"disc"}).ignored.empty());
}

TEST(CommandLine, CheckTakesTheScreenSizeForTheMenu) {
    const CommandLine standard = Parse({"--check"});
    EXPECT_EQ(standard.screenWidth, 1024);
    EXPECT_EQ(standard.screenHeight, 768);
    const CommandLine wide = Parse({"--screen", "1920x1080", "--check"});
    EXPECT_EQ(wide.screenWidth, 1920);
    EXPECT_EQ(wide.screenHeight, 1080);
    EXPECT_EQ(wide.error, "");
    const CommandLine joined = Parse({"--check", "--screen=1280x720"});
    EXPECT_EQ(joined.screenWidth, 1280);
    EXPECT_EQ(joined.screenHeight, 720);
    for (const char* bad : {"1024", "x768", "1024x", "1024x768x", "0x0", "-1x5", "1024X768"}) {
        EXPECT_EQ(
            Parse({"--check", "--screen", bad}).error,
            std::string("--screen wants the screen's size in pixels, such as 1024x768, not '") +
                bad + "'")
            << bad;
    }
    EXPECT_NE(Parse({"--check", "--screen"}).error, "");
}

TEST(CommandLine, CheckTakesTheSameFolderAndDebugWords) {
    const CommandLine here = Parse({"--check"});
    EXPECT_EQ(here.mode, RunMode::Check);
    EXPECT_FALSE(here.folder);

    const CommandLine there = Parse({"disc", "--check"});
    EXPECT_EQ(there.mode, RunMode::Check);
    EXPECT_EQ(there.folder, "disc");

    const CommandLine fixed = Parse({"--check", "/debug"});
    EXPECT_EQ(fixed.mode, RunMode::Check);
    EXPECT_FALSE(fixed.folder);
    EXPECT_EQ(fixed.startupText, "/debug");
}

TEST(CommandLine, CheckRefusesUnknownOptionsUnlessHelpIsAskedFor) {
    EXPECT_EQ(Parse({"--check", "--chek"}).error, "unknown option '--chek'");
    EXPECT_EQ(Parse({"-x", "--bogus", "--check"}).error, "unknown option '-x'");
    const CommandLine help = Parse({"--bogus", "--help", "a", "b"});
    EXPECT_EQ(help.mode, RunMode::Help);
    EXPECT_EQ(help.error, "");
    EXPECT_EQ(Parse({"--check", "--version"}).mode, RunMode::Version);
}

TEST(CommandLine, VerboseIsAnOptionOfBothModes) {
    EXPECT_FALSE(Parse({}).verbose);
    const CommandLine present = Parse({"--verbose", "disc"}, {"disc"});
    EXPECT_TRUE(present.verbose);
    EXPECT_TRUE(present.ignored.empty());
    EXPECT_EQ(present.folder, "disc");
    const CommandLine check = Parse({"--check", "--verbose"});
    EXPECT_TRUE(check.verbose);
    EXPECT_EQ(check.error, "");
}

TEST(CommandLine, DoubleDashEndsTheOptions) {
    const CommandLine line = Parse({"--", "--check"}, {"--check"});
    EXPECT_EQ(line.mode, RunMode::Present);
    EXPECT_EQ(line.folder, "--check");
    EXPECT_EQ(Parse({"-"}, {"-"}).folder, "-");
}

} // namespace
} // namespace quorix
