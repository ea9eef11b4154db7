#include "check/CheckDisc.h"

#include "../platform/TempDir.h"
#include "check/SettingsAsRead.h"
#include "platform/FileProfileReader.h"
#include "platform/MemoryProfileReader.h"
#include "platform/mci/ScriptedMciDevice.h"

#include <QImage>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quorix::check {
namespace {

using platform::mci::ScriptedMciDevice;
using platform::testing_support::TempDir;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class CheckDiscTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.valid()); }

    std::string media() const { return folder.path().string() + "/"; }

    DiscReport check(const std::string& mediaPath) {
        platform::FileProfileReader profile(paths);
        return CheckDisc({profile, paths, device}, mediaPath);
    }

    TempDir folder;
    platform::PathResolver paths{[](const std::string&) { return std::nullopt; }};
    ScriptedMciDevice device;
};

TEST_F(CheckDiscTest, ASoundDiscIsDescribedEntryByEntry) {
    folder.write("quorix.ini", "[settings]\r\nmenumode=0\r\n[cliplist]\r\nclip00=One\r\n"
                               "clip01=Two\r\n[filelist]\r\nOne=one.mpg\r\nTwo=TWO.MPG\r\n");
    folder.write("one.mpg", "mpeg");
    folder.write("two.mpg", "mpeg");
    device.reply("status check length", 0, "250");
    device.reply("status check length", 0, "500");

    const DiscReport report = check(media());
    EXPECT_TRUE(report.sound()) << ReportText(report);
    EXPECT_THAT(report.lines, Contains("Settings file: " + media() + "quorix.ini"));
    EXPECT_THAT(report.lines, Contains("  menumode    0"));
    const auto entries =
        std::find(report.lines.begin(), report.lines.end(), "Catalogue: 2 entries");
    ASSERT_NE(entries, report.lines.end());
    EXPECT_THAT(std::vector<std::string>(entries + 1, entries + 9),
                ElementsAre("  1. \"One\"", "     file: one.mpg",
                            "     path: " + media() + "one.mpg", "     length: 250 frames",
                            "  2. \"Two\"", "     file: TWO.MPG",
                            "     path: " + media() + "two.mpg", "     length: 500 frames"));
    EXPECT_EQ(device.sent().size(), 8U);
}

TEST_F(CheckDiscTest, ProblemsOfEveryKindAreGathered) {
    folder.write("quorix.ini", "[settings]\nmenumode=1\nintro=5\n[cliplist]\nclip00=One\n"
                               "xpos00=2000\nypos00=2000\nclip01=Two\nclip03=Four\n"
                               "[filelist]\nOne=one.mpg\nTwo=two.mpg\n");
    folder.write("one.mpg", "mpeg");
    device.reply("status check length", 0, "40000");

    const DiscReport report = check(media());
    EXPECT_THAT(report.problems,
                ElementsAre(HasSubstr("clip03 \"Four\" comes after the gap"),
                            HasSubstr("entry 1 (clip00 \"One\"): one.mpg is 40000 frames long"),
                            HasSubstr("entry 2 (clip01 \"Two\"): clip file two.mpg not found"),
                            HasSubstr("clip01 \"Two\": xpos01 and ypos01 are 0"),
                            HasSubstr("intro 5 names entry 6"), HasSubstr("bgrd.jpg is missing")));
}

TEST_F(CheckDiscTest, AMissingFolderOrSettingsFileIsNamed) {
    const DiscReport noSettings = check(media());
    EXPECT_THAT(noSettings.problems,
                ElementsAre("settings file quorix.ini not found at " + media() + "quorix.ini",
                            HasSubstr("no playable entry")));

    const DiscReport noFolder = check(media() + "quorix/");
    EXPECT_THAT(noFolder.problems, ElementsAre("media folder " + media() + "quorix/ not found",
                                               HasSubstr("no playable entry")));
    EXPECT_THAT(device.sent(), IsEmpty());
}

TEST(SettingsAsRead, TheFontColourDerivesTheHighlightAsStartUpDoes) {
    platform::MemoryProfileReader reader;
    reader.setFile("m\\quorix.ini",
                   "[settings]\nhilitecolor=0\nintro=-1\nlineoffset=12\ninterval=250\n"
                   "[font]\ncolor=&HFFFFFF\nbold=-1\nitalic=yes\n");
    const SettingsAsRead settings = ReadSettingsAsRead(reader, "m\\");
    EXPECT_EQ(settings.record.HiliteColor, 0x808080);
    EXPECT_THAT(DescribeSettings(settings),
                ElementsAre("  widemode    0", "  menumode    0", "  loopmode    0",
                            "  hidemode    0", "  shadowmode  0", "  overscan    0 pixels",
                            "  intro       none", "  lineoffset  1.2 title heights",
                            "  hilitecolor &H00808080 (derived from color)", "  logomode    0",
                            "  interval    250 ms", "  factor      3495",
                            "  color       &H00FFFFFF", "  bold        on", "  italic      off"));

    // Without a colour key the highlight keeps the value read, even 0.
    platform::MemoryProfileReader plain;
    plain.setFile("m\\quorix.ini", "[settings]\nhilitecolor=0\n");
    const SettingsAsRead kept = ReadSettingsAsRead(plain, "m\\");
    EXPECT_EQ(kept.record.HiliteColor, 0);
    EXPECT_FALSE(kept.fontColor);
}

TEST(ReportText, ProblemsComeOneALineAfterTheDescription) {
    DiscReport report;
    report.lines = {"Media folder: m"};
    EXPECT_EQ(ReportText(report), "Media folder: m\n\nNo problems found.\n");
    report.problems = {"first", "second"};
    EXPECT_EQ(ReportText(report),
              "Media folder: m\n\nproblem: first\nproblem: second\n2 problems found.\n");
}

} // namespace
} // namespace quorix::check
