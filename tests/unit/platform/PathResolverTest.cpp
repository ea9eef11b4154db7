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

// A disc as it often comes: upper-case names, mounted where QUORIX_DRIVE_E says.
class PathResolverTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(disc.valid());
        for (const char* file :
             {"QUORIX/QUORIX.INI", "QUORIX/VIDEO/CLIP01.MPG", "QUORIX/Intro.mpg"}) {
            disc.write(file, "");
        }
        variables["QUORIX_DRIVE_E"] = root;
    }

    testing_support::TempDir disc;
    const std::string root = disc.path().string();
    std::map<std::string, std::string> variables;
    std::vector<std::string> asked;
    const PathResolver paths{[this](const std::string& name) -> std::optional<std::string> {
        asked.push_back(name);
        const auto found = variables.find(name);
        return found == variables.end() ? std::nullopt : std::optional(found->second);
    }};
};

TEST_F(PathResolverTest, MatchesEachComponentWithoutRegardToCase) {
    EXPECT_EQ(paths.resolve("e:\\quorix\\quorix.ini"), root + "/QUORIX/QUORIX.INI");
    EXPECT_EQ(paths.resolve("E:\\Quorix\\video\\clip01.mpg"), root + "/QUORIX/VIDEO/CLIP01.MPG");
    EXPECT_EQ(paths.resolve("e:\\quorix\\INTRO.MPG"), root + "/QUORIX/Intro.mpg");
    EXPECT_EQ(paths.resolve("e:/quorix\\\\video//clip01.mpg"), root + "/QUORIX/VIDEO/CLIP01.MPG");
    EXPECT_EQ(asked, std::vector<std::string>(4, "QUORIX_DRIVE_E"));
    EXPECT_EQ(paths.resolve(root + "/quorix/video/clip01.mpg"), root + "/QUORIX/VIDEO/CLIP01.MPG");
    EXPECT_EQ(paths.resolve("e:\\quorix\\"), root + "/QUORIX/");

    // The exact name comes first; else the byte-wise first match, whatever the listing's order.
    for (const char* name : {"QUORIX/clip.mpg", "QUORIX/CLIP.mpg", "QUORIX/Clip.mpg"}) {
        disc.write(name, "");
    }
    EXPECT_EQ(paths.resolve("e:\\quorix\\Clip.mpg"), root + "/QUORIX/Clip.mpg");
    EXPECT_EQ(paths.resolve("e:\\quorix\\clip.mpg"), root + "/QUORIX/clip.mpg");
    EXPECT_EQ(paths.resolve("e:\\quorix\\clip.MPG"), root + "/QUORIX/CLIP.mpg");
}

TEST_F(PathResolverTest, UnresolvedRestComesBackUnchanged) {
    EXPECT_EQ(paths.resolve("e:\\quorix\\video\\Missing.mpg"), root + "/QUORIX/VIDEO/Missing.mpg");
    EXPECT_EQ(paths.resolve("e:\\quorix\\nothing\\Video\\clip01.mpg"),
              root + "/QUORIX/nothing/Video/clip01.mpg");
    // A file cannot hold further components.
    EXPECT_EQ(paths.resolve("e:\\quorix\\quorix.ini\\x"), root + "/QUORIX/QUORIX.INI/x");
    // Cut at a NUL, a name would name an existing file with another extension than the one judged
    // by the caller.
    EXPECT_EQ(paths.resolve("e:\\quorix\\quorix.ini\0.mpg"s), "");
    EXPECT_EQ(paths.resolve("\0e:\\quorix"s), "");
    EXPECT_EQ(paths.resolve(""), "");
}

TEST_F(PathResolverTest, DriveWithoutVariableMapsUnderMnt) {
    EXPECT_EQ(paths.resolve("Q:\\quorixroot\\quorix\\"), "/mnt/q/quorixroot/quorix/");
    EXPECT_EQ(asked.back(), "QUORIX_DRIVE_Q");
    variables["QUORIX_DRIVE_Q"] = ""; // names no folder
    EXPECT_EQ(paths.resolve("q:\\quorixroot"), "/mnt/q/quorixroot");
    EXPECT_EQ(paths.resolve("q:"), "/mnt/q");
}

TEST_F(PathResolverTest, RelativePathsStartInTheCurrentFolder) {
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(disc.path());
    const std::string relative = paths.resolve("quorix\\video\\clip01.mpg");
    const std::string dotted = paths.resolve(".\\quorix\\..\\QUORIX\\quorix.ini");
    std::filesystem::current_path(before);
    EXPECT_EQ(relative, root + "/QUORIX/VIDEO/CLIP01.MPG");
    EXPECT_EQ(dotted, root + "/./QUORIX/../QUORIX/QUORIX.INI");
}

// Settings saved on Windows in Windows-1252 (or as UTF-8) name files that a Linux file system
// holds in UTF-8. Each letter matches its other case one to one, as Windows compares names.
TEST_F(PathResolverTest, NamesAreDecodedAsTitlesAreAndEveryLetterMatchesItsOtherCase) {
    disc.write("QUORIX/Filme für Kinder/Straße am Meer.mpg", "");
    const std::string file = root + "/QUORIX/Filme für Kinder/Straße am Meer.mpg";
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

    disc.write("QUORIX/ÜBERSICHT.MPG", "");
    disc.write("QUORIX/ΑΘΉΝΑ/ÉTÉ.mpg", "");
    EXPECT_EQ(paths.resolve("e:\\quorix\\übersicht.mpg"), root + "/QUORIX/ÜBERSICHT.MPG");
    EXPECT_EQ(paths.resolve("e:\\quorix\\\xFC"
                            "bersicht.mpg"),
              root + "/QUORIX/ÜBERSICHT.MPG");
    EXPECT_EQ(paths.resolve("e:\\quorix\\αθήνα\\été.MPG"), root + "/QUORIX/ΑΘΉΝΑ/ÉTÉ.mpg");
    disc.write("QUORIX/Straße.mpg", "");
    EXPECT_EQ(paths.resolve("e:\\quorix\\STRAßE.MPG"), root + "/QUORIX/Straße.mpg");
    // Not full case folding: one letter never stands for two.
    EXPECT_EQ(paths.resolve("e:\\quorix\\STRASSE.MPG"), root + "/QUORIX/STRASSE.MPG");
}

} // namespace
} // namespace quorix::platform
