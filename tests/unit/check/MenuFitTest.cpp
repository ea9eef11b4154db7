#include "check/MenuFit.h"

#include "platform/MemoryProfileReader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quorix::check {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::MatchesRegex;

std::vector<std::string> Problems(const std::string& settings, ScreenSize screen = {}) {
    platform::MemoryProfileReader profile;
    profile.setFile("m/quorix.ini", settings);
    const platform::PathResolver paths;
    return MenuFitProblems(profile, paths, "m/", screen);
}

// Explicit places divide the area: 1000 puts a title's left or top edge on the far edge, so the
// title lies wholly outside; wide mode shortens the area to a 16:9 band. Without a shown menu
// nothing is laid out.
TEST(MenuFit, TitlesOutsideTheMenuAreaAreNamedWithTheEdgesTheyPass) {
    const std::string titles = "[cliplist]\nclip00=Middle\nxpos00=2000\nypos00=2000\n"
                               "clip01=Right\nxpos01=1000\nypos01=2000\n"
                               "clip02=Corner\nxpos02=1000\nypos02=1000\n"
                               "[filelist]\nMiddle=a.mpg\nRight=a.mpg\nCorner=a.mpg\n";
    EXPECT_THAT(
        Problems("[settings]\nmenumode=1\n" + titles, {800, 600}),
        ElementsAre(
            MatchesRegex("clip01 \"Right\": on a 800x600 screen the title runs [0-9]+ pixels past "
                         "the right of the menu area"),
            MatchesRegex("clip02 \"Corner\": on a 800x600 screen the title runs [0-9]+ pixels "
                         "past the bottom and [0-9]+ pixels past the right of the menu area")));

    // Eleven titles fill most of a 4:3 screen; wide mode's band is a quarter lower, so the first
    // and the last run off it.
    std::string eleven = "[cliplist]\n";
    std::string files = "[filelist]\n";
    for (int i = 0; i < 11; ++i) {
        const std::string number = (i < 9 ? "0" : "") + std::to_string(i + 1);
        eleven += "clip" + (i < 10 ? "0" + std::to_string(i) : std::to_string(i)) +
                  "=Clip number " + number + "\n";
        files += "Clip number " + number + "=a.mpg\n";
    }
    EXPECT_THAT(Problems("[settings]\nmenumode=1\n" + eleven + files), IsEmpty());
    EXPECT_THAT(
        Problems("[settings]\nmenumode=1\nwidemode=1\n" + eleven + files),
        ElementsAre(MatchesRegex("clip00 .* runs [0-9]+ pixels past the top of the menu area"),
                    MatchesRegex("clip10 .* runs [0-9]+ pixels past the bottom of the menu area")));

    EXPECT_THAT(Problems("[settings]\nmenumode=0\n" + titles), IsEmpty());
}

} // namespace
} // namespace quorix::check
