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

    // Whether it exists is judged when the program enters it, except for a "/debug" path.
    const CommandLine missing = Parse({"media/disc"});
    EXPECT_EQ(missing.folder, "media/disc");
    EXPECT_EQ(missing.startupText, "");
    EXPECT_EQ(missing.error, "");

    EXPECT_EQ(Parse({"a", "b"}).error, "more than one folder given: 'a' and 'b'");
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

TEST(CommandLine, UnknownOptionsAreRefusedUnlessHelpIsAskedFor) {
    EXPECT_EQ(Parse({"--chek"}).error, "unknown option '--chek'");
    EXPECT_EQ(Parse({"-x", "--bogus"}).error, "unknown option '-x'");
    const CommandLine help = Parse({"--bogus", "--help", "a", "b"});
    EXPECT_EQ(help.mode, RunMode::Help);
    EXPECT_EQ(help.error, "");
    EXPECT_EQ(Parse({"--check", "--version"}).mode, RunMode::Version);
}

TEST(CommandLine, DoubleDashEndsTheOptions) {
    const CommandLine line = Parse({"--", "--check"});
    EXPECT_EQ(line.mode, RunMode::Present);
    EXPECT_EQ(line.folder, "--check");
    EXPECT_EQ(Parse({"-"}).folder, "-");
}

} // namespace
} // namespace quorix
