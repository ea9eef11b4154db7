#include "platform/PathResolver.h"

#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace quorix::platform {
namespace {

using namespace std::string_literals;
using testing_support::TempDir;

// A disc as it often comes: upper-case names, mounted where QUORIX_DRIVE_E says.
class PathResolverTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(disc.valid());
        disc.write("QUORIX/QUORIX.INI", "");
        disc.write("QUORIX/VIDEO/CLIP01.MPG", "");
        disc.write("QUORIX/Intro.mpg", "");
        root = disc.path().string();
        variables["QUORIX_DRIVE_E"] = root;
    }

    PathResolver resolver() {
        return PathResolver([this](const std::string& name) -> std::optional<std::string> {
            asked.push_back(name);
            const auto found = variables.find(name);
            if (found == variables.end()) {
                return std::nullopt;
            }
            return found->second;
        });
    }

    TempDir disc;
    std::string root;
    std::map<std::string, std::string> variables;
    std::vector<std::string> asked;
};

TEST_F(PathResolverTest, MatchesEachComponentWithoutRegardToCase) {
    const PathResolver paths = resolver();
    EXPECT_EQ(paths.resolve("e:\\quorix\\quorix.ini"), root + "/QUORIX/QUORIX.INI");
    EXPECT_EQ(paths.resolve("E:\\Quorix\\video\\clip01.mpg"), root + "/QUORIX/VIDEO/CLIP01.MPG");
    EXPECT_EQ(paths.resolve("e:\\quorix\\INTRO.MPG"), root + "/QUORIX/Intro.mpg");
    // Both separators, doubled separators.
    EXPECT_EQ(paths.resolve("e:/quorix\\\\video//clip01.mpg"), root + "/QUORIX/VIDEO/CLIP01.MPG");
    EXPECT_EQ(asked, std::vector<std::string>(4, "QUORIX_DRIVE_E"));
}

TEST_F(PathResolverTest, ExactNameComesBeforeOtherSpellings) {
    disc.write("QUORIX/clip.mpg", "");
    disc.write("QUORIX/CLIP.mpg", "");
    disc.write("QUORIX/Clip.mpg", "");
    const PathResolver paths = resolver();
    EXPECT_EQ(paths.resolve("e:\\quorix\\Clip.mpg"), root + "/QUORIX/Clip.mpg");
    EXPECT_EQ(paths.resolve("e:\\quorix\\clip.mpg"), root + "/QUORIX/clip.mpg");
    // No exact name: the byte-wise first of the matches, whatever the order of the listing.
    EXPECT_EQ(paths.resolve("e:\\quorix\\clip.MPG"), root + "/QUORIX/CLIP.mpg");
}

TEST_F(PathResolverTest, UnresolvedRestComesBackUnchanged) {
    const PathResolver paths = resolver();
    EXPECT_EQ(paths.resolve("e:\\quorix\\video\\Missing.mpg"), root + "/QUORIX/VIDEO/Missing.mpg");
    EXPECT_EQ(paths.resolve("e:\\quorix\\nothing\\Video\\clip01.mpg"),
              root + "/QUORIX/nothing/Video/clip01.mpg");
    // A file cannot hold further components.
    EXPECT_EQ(paths.resolve("e:\\quorix\\quorix.ini\\x"), root + "/QUORIX/QUORIX.INI/x");
    EXPECT_FALSE(std::filesystem::exists(paths.resolve("e:\\quorix\\video\\Missing.mpg")));
}

TEST_F(PathResolverTest, DriveWithoutVariableMapsUnderMnt) {
    const PathResolver paths = resolver();
    EXPECT_EQ(paths.resolve("Q:\\quorixroot\\quorix\\"), "/mnt/q/quorixroot/quorix/");
    EXPECT_EQ(asked.back(), "QUORIX_DRIVE_Q");
    // An empty variable names no folder.
    variables["QUORIX_DRIVE_Q"] = "";
    EXPECT_EQ(paths.resolve("q:\\quorixroot"), "/mnt/q/quorixroot");
    EXPECT_EQ(paths.resolve("q:"), "/mnt/q");
}

TEST_F(PathResolverTest, HostAndRelativePathsResolveToo) {
    const PathResolver paths = resolver();
    EXPECT_EQ(paths.resolve(root + "/quorix/video/clip01.mpg"), root + "/QUORIX/VIDEO/CLIP01.MPG");
    EXPECT_EQ(paths.resolve("e:\\quorix\\"), root + "/QUORIX/");

    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(disc.path());
    const std::string relative = paths.resolve("quorix\\video\\clip01.mpg");
    const std::string dotted = paths.resolve(".\\quorix\\..\\QUORIX\\quorix.ini");
    std::filesystem::current_path(before);
    EXPECT_EQ(relative, root + "/QUORIX/VIDEO/CLIP01.MPG");
    EXPECT_EQ(dotted, root + "/./QUORIX/../QUORIX/QUORIX.INI");
}

TEST_F(PathResolverTest, ANameHoldingANulNamesNothing) {
    // Cut at the NUL, these would name an existing file with another extension than the one
    // judged by the caller.
    const PathResolver paths = resolver();
    EXPECT_EQ(paths.resolve("e:\\quorix\\quorix.ini\0.mpg"s), "");
    EXPECT_EQ(paths.resolve("\0e:\\quorix"s), "");
    EXPECT_EQ(paths.resolve(""), "");
}

// Settings saved on Windows in Windows-1252 (or as UTF-8) name files that a Linux file system
// holds in UTF-8.
TEST_F(PathResolverTest, NamesAreDecodedAsTitlesAre) {
    disc.write("QUORIX/Filme für Kinder/Straße am Meer.mpg", "");
    const std::string file = root + "/QUORIX/Filme für Kinder/Straße am Meer.mpg";
    const PathResolver paths = resolver();
    EXPECT_EQ(paths.resolve("e:\\quorix\\Filme f\xFCr Kinder\\Stra\xDF"
                            "e am Meer.mpg"),
              file);
    EXPECT_EQ(paths.resolve("e:\\quorix\\Filme für Kinder\\Straße am Meer.mpg"), file);
    EXPECT_EQ(paths.resolve("e:\\quorix\\FILME F\xDCR KINDER\\stra\xDF"
                            "e am meer.MPG"),
              file);
    // Unresolved components come back as text, so that the caller can show where it looked.
    EXPECT_EQ(paths.resolve("e:\\quorix\\M\xFC"
                            "de\\\x80.mpg"),
              root + "/QUORIX/Müde/€.mpg");
}

// Each letter matches its other case through a one-to-one mapping, as Windows compares names.
TEST_F(PathResolverTest, EveryLetterMatchesItsOtherCase) {
    disc.write("QUORIX/ÜBERSICHT.MPG", "");
    disc.write("QUORIX/ΑΘΉΝΑ/ÉTÉ.mpg", "");
    disc.write("QUORIX/Straße.mpg", "");
    const PathResolver paths = resolver();
    EXPECT_EQ(paths.resolve("e:\\quorix\\übersicht.mpg"), root + "/QUORIX/ÜBERSICHT.MPG");
    EXPECT_EQ(paths.resolve("e:\\quorix\\\xFC"
                            "bersicht.mpg"),
              root + "/QUORIX/ÜBERSICHT.MPG");
    EXPECT_EQ(paths.resolve("e:\\quorix\\αθήνα\\été.MPG"), root + "/QUORIX/ΑΘΉΝΑ/ÉTÉ.mpg");
    EXPECT_EQ(paths.resolve("e:\\quorix\\STRAßE.MPG"), root + "/QUORIX/Straße.mpg");
    // Not full case folding: one letter never stands for two.
    EXPECT_EQ(paths.resolve("e:\\quorix\\STRASSE.MPG"), root + "/QUORIX/STRASSE.MPG");
}

TEST(PathResolverEnvironment, DefaultReadsTheProcessEnvironment) {
    TempDir disc;
    ASSERT_TRUE(disc.valid());
    disc.write("SUB/FILE.TXT", "");
    ASSERT_EQ(setenv("QUORIX_DRIVE_Z", disc.path().c_str(), 1), 0);
    const std::string resolved = PathResolver().resolve("z:\\sub\\file.txt");
    unsetenv("QUORIX_DRIVE_Z");
    EXPECT_EQ(resolved, disc.path().string() + "/SUB/FILE.TXT");
}

} // namespace
} // namespace quorix::platform
