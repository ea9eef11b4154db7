#include "check/CheckDisc.h"

#include "../platform/TempDir.h"
#include "check/ClipCheck.h"
#include "check/MenuProblems.h"
#include "check/SettingsAsRead.h"
#include "device/ScriptedMciDevice.h"
#include "platform/FileProfileReader.h"
#include "platform/MemoryProfileReader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>

namespace quorix::check {
namespace {

using namespace std::string_literals;
using device::ScriptedMciDevice;
using platform::testing_support::TempDir;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class CheckDiscTest : public ::testing::Test {
protected:
    std::string media() const { return folder.path().string() + "/"; }

    DiscReport check(const std::string& mediaPath) {
        platform::FileProfileReader profile(paths);
        return CheckDisc({profile, paths, device}, mediaPath);
    }

    TempDir folder;
    platform::PathResolver paths{[](const std::string&) { return std::nullopt; }};
    ScriptedMciDevice device;
};

// What Notepad on Windows saves: Windows-1252 names, or UTF-8 behind a byte-order mark.
TEST_F(CheckDiscTest, ASettingsFileSavedOnWindowsIsReadAsItsAuthorMeantIt) {
    folder.write("quorix.ini", "[cliplist]\r\nclip00=Stra\xDF"
                               "e\r\nclip01=Mit\tTab\r\n[filelist]\r\nStra\xDF"
                               "e=Filme f\xFCr Kinder\\Stra\xDF"
                               "e am Meer.mpg\r\nMit\tTab=tab.mpg\r\n");
    folder.write("Filme für Kinder/Straße am Meer.mpg", "mpeg");
    folder.write("tab.mpg", "mpeg");
    device.always("status check length", 0, "25");
    const DiscReport windows1252 = check(media());
    EXPECT_TRUE(windows1252.sound()) << ReportText(windows1252);
    EXPECT_THAT(ReportText(windows1252),
                HasSubstr("Catalogue: 2 entries\n  1. \"Straße\"\n"
                          "     file: Filme für Kinder\\Straße am Meer.mpg\n     path: " +
                          media() +
                          "Filme für Kinder/Straße am Meer.mpg\n     length: 25 frames\n"
                          "  2. \"Mit<TAB>Tab\"\n"));

    // Behind a mark, the first section is read like any other.
    folder.write("quorix.ini", "\xEF\xBB\xBF[settings]\r\nmenumode=1\r\n");
    const DiscReport marked = check(media());
    EXPECT_THAT(marked.lines, Contains("  menumode    1"));
    EXPECT_THAT(marked.lines, Contains(HasSubstr("begins with a UTF-8 byte-order mark")));
}

// Names that name no file, or that hold no text, are shown with their control characters
// written out, and a name with a NUL never reaches the device.
TEST_F(CheckDiscTest, NamesThatNameNoFileAreShownAsTheyStand) {
    folder.write("quorix.ini", ("[cliplist]\r\nclip00=Shadow\r\nclip01=Odd\r\n"
                                "clip02=Away\r\n[filelist]\r\n"
                                "Shadow=../../../../etc/shadow\0.mpg\r\n"
                                "Odd=odd\x81\x1b.mpg\r\nAway=video\\away.mpg\r\n"s));
    folder.write("odd\x81\x1b.mpg", "mpeg");
    device.always("status check length", 0, "25");

    const DiscReport report = check(media());
    EXPECT_THAT(report.lines, Contains("     file: ../../../../etc/shadow<NUL>.mpg"));
    EXPECT_THAT(report.problems,
                ElementsAre("entry 1 (clip00 \"Shadow\"): the clip file name "
                            "../../../../etc/shadow<NUL>.mpg holds a NUL byte and names no "
                            "file: the presenter sends nothing to the media device and reports "
                            "the file not found",
                            "entry 2 (clip01 \"Odd\"): the clip file name odd<0x81><0x1B>.mpg "
                            "holds characters that are no readable text (control characters, or "
                            "bytes that are not UTF-8 and mean nothing in Windows-1252)",
                            "entry 3 (clip02 \"Away\"): clip file video\\away.mpg not found at " +
                                media() + "video/away.mpg: " + folder.path().string() +
                                " holds no folder named \"video\" in any case"));
    // Only the odd name, which is there, was opened.
    EXPECT_EQ(device.sent().size(), 4U);
    EXPECT_THAT(device.sent().front(), HasSubstr("odd"));
}

TEST_F(CheckDiscTest, OfAHugeSettingsFileOnlyTheFirstMegabyteIsRead) {
    std::string bytes = "[settings]\r\noverscan=3\r\n";
    for (int i = 0; bytes.size() <= platform::ProfileReadLimit; ++i) {
        bytes += "[s" + std::to_string(i) + "]\r\n";
    }
    bytes += "[cliplist]\r\nclip00=Late\r\n[filelist]\r\nLate=late.mpg\r\n";
    folder.write("quorix.ini", bytes);

    const DiscReport report = check(media());
    EXPECT_THAT(report.lines, Contains("  overscan    3 pixels"));
    EXPECT_THAT(report.problems,
                ElementsAre("settings file " + media() + "quorix.ini is " +
                                std::to_string(bytes.size()) +
                                " bytes: only its first 1048576 bytes are read, up to their last "
                                "whole line, and the rest is ignored",
                            HasSubstr("no playable entry")));
}

TEST(SettingsAsRead, TheFontColourDerivesTheHighlightAsStartUpDoes) {
    platform::MemoryProfileReader reader;
    reader.setFile("m\\quorix.ini",
                   "[settings]\nhilitecolor=0\nintro=-1\nlineoffset=12\ninterval=250\n"
                   "holdframe=1\n[font]\ncolor=&HFFFFFF\nbold=-1\nitalic=yes\n");
    const SettingsAsRead settings = ReadSettingsAsRead(reader, "m\\");
    EXPECT_THAT(DescribeSettings(settings),
                ElementsAre("  widemode    0", "  menumode    0", "  loopmode    0",
                            "  hidemode    0", "  shadowmode  0", "  overscan    0 pixels",
                            "  intro       none", "  lineoffset  1.2 title heights",
                            "  hilitecolor &H00808080 (derived from color)", "  logomode    0",
                            "  interval    250 ms", "  holdframe   1", "  factor      3495",
                            "  color       &H00FFFFFF", "  bold        on", "  italic      off"));

    // Without a colour key the highlight keeps the value read, even 0.
    platform::MemoryProfileReader plain;
    plain.setFile("m\\quorix.ini", "[settings]\nhilitecolor=0\n");
    const SettingsAsRead kept = ReadSettingsAsRead(plain, "m\\");
    EXPECT_EQ(kept.record.HiliteColor, 0);
    EXPECT_FALSE(kept.record.FontColor);
    EXPECT_FALSE(kept.hiliteDerived);
}

// Each answer of the device that the measurement cannot use, and the clip is closed all the same.
TEST_F(CheckDiscTest, MeasurementsThatFailOrDoNotFit) {
    folder.write("sea.mpg", "mpeg");
    const struct {
        const char* command;
        std::int32_t code;
        const char* answer;
        const char* problem; // the end of the one problem, or none
        std::optional<int> length;
    } cases[] = {
        {"set check time format frames", 293, "",
         "cannot count sea.mpg in frames: 293 MCIERR_BAD_TIME_FORMAT", std::nullopt},
        {"status check length", 277, "", "cannot tell the length of sea.mpg: 277 MCIERR_INTERNAL",
         std::nullopt},
        {"status check length", 0, "about 30", "gave \"about 30\" as the length of sea.mpg",
         std::nullopt},
        {"close check", 263, "", "cannot close sea.mpg: 263 MCIERR_INVALID_DEVICE_NAME", 30},
        {"status check length", 0, "32767", nullptr, 32767},
        {"status check length", 0, "32768",
         "sea.mpg is 32768 frames long; the position bar reaches frame 32767 at most", 32768},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        ScriptedMciDevice scripted;
        scripted.always("status check length", 0, "30");
        scripted.reply(c.command, c.code, c.answer);
        const ClipCheck checked = CheckClip(scripted, paths, media(), 1, "Open Sea", "sea.mpg");
        if (c.problem != nullptr) {
            EXPECT_THAT(checked.problems, ElementsAre(::testing::EndsWith(c.problem)));
        } else {
            EXPECT_THAT(checked.problems, IsEmpty());
        }
        EXPECT_EQ(checked.length, c.length);
        EXPECT_EQ(scripted.sent().back(), "close check");
    }
}

// Without the menu, a layout and an intro that the menu could not use go unreported.
TEST(MenuProblems, WithoutTheMenuTheseSettingsAreUnused) {
    program::ClipCatalogue catalogue;
    catalogue.LastClip = 1;
    catalogue.ClipXPos = {2000, 0};
    program::SettingsRecord settings;
    settings.IntroClip = 9;
    for (const std::int16_t mode : {std::int16_t{0}, std::int16_t{2}}) {
        settings.MenuMode = mode;
        EXPECT_THAT(MenuProblems(settings, catalogue), IsEmpty()) << "menumode " << mode;
    }
    // An empty catalogue is a problem of its own, not of the menu.
    settings.MenuMode = 1;
    catalogue.LastClip = -1;
    EXPECT_THAT(MenuProblems(settings, catalogue), IsEmpty());
}

} // namespace
} // namespace quorix::check
