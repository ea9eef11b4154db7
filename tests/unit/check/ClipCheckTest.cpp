#include "check/ClipCheck.h"

#include "../platform/TempDir.h"
#include "platform/mci/ScriptedMciDevice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quorix::check {
namespace {

using platform::mci::ScriptedMciDevice;
using platform::testing_support::TempDir;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ClipCheckTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.valid()); }

    std::string media() const { return folder.path().string() + "/"; }

    ClipCheck check(const std::string& file) {
        return CheckClip(device, paths, media(), 1, "Open Sea", file);
    }

    TempDir folder;
    platform::PathResolver paths{[](const std::string&) { return std::nullopt; }};
    ScriptedMciDevice device;
};

TEST_F(ClipCheckTest, AClipIsOpenedMeasuredAndClosedAsTheCheckAlias) {
    folder.write("sea.mpg", "mpeg");
    device.reply("open*", 0, "1");
    device.reply("status check length", 0, "2500");

    const ClipCheck clip = check("sea.mpg");
    EXPECT_THAT(clip.problems, IsEmpty());
    EXPECT_EQ(clip.length, 2500);
    EXPECT_EQ(clip.hostPath, media() + "sea.mpg");
    EXPECT_THAT(device.sent(),
                ElementsAre("open " + media() + "sea.mpg alias check",
                            "set check time format frames", "status check length", "close check"));
}

TEST_F(ClipCheckTest, FilesAreFoundAsThePresenterFindsThem) {
    // Case and the Windows separator of the settings file do not matter; blanks are quoted.
    folder.write("Video Clips/SEA.MPG", "mpeg");
    device.always("status check length", 0, "10");
    const ClipCheck clip = check("video clips\\sea.mpg");
    EXPECT_THAT(clip.problems, IsEmpty());
    EXPECT_EQ(clip.hostPath, media() + "Video Clips/SEA.MPG");
    EXPECT_EQ(device.sent().front(), "open \"" + media() + "video clips\\sea.mpg\" alias check");
}

TEST_F(ClipCheckTest, AMissingFileIsNotSentToTheDevice) {
    const ClipCheck missing = check("gone.mpg");
    EXPECT_THAT(missing.problems,
                ElementsAre("entry 2 (clip01 \"Open Sea\"): clip file gone.mpg not found at " +
                            media() + "gone.mpg"));
    EXPECT_FALSE(missing.length);

    folder.write("folder.mpg/inside", "");
    EXPECT_THAT(check("folder.mpg").problems,
                ElementsAre("entry 2 (clip01 \"Open Sea\"): clip file folder.mpg at " + media() +
                            "folder.mpg is not a file"));
    EXPECT_THAT(device.sent(), IsEmpty());
}

TEST_F(ClipCheckTest, ANameWithADoubleQuoteIsAProblemAndIsNotSent) {
    folder.write("b\"quote.mpg", "mpeg");
    EXPECT_THAT(
        check("b\"quote.mpg").problems,
        ElementsAre("entry 2 (clip01 \"Open Sea\"): the clip file name b\"quote.mpg holds a "
                    "double quote, which no open command can name: the presenter refuses "
                    "it"));
    EXPECT_THAT(device.sent(), IsEmpty());
}

TEST_F(ClipCheckTest, ARefusedOpenNamesTheCodeAndLeavesNothingOpen) {
    folder.write("sea.mpg", "mpeg");
    device.reply("open*", 263);
    EXPECT_THAT(check("sea.mpg").problems,
                ElementsAre("entry 2 (clip01 \"Open Sea\"): the media device cannot open "
                            "sea.mpg: 263 MCIERR_INVALID_DEVICE_NAME"));
    EXPECT_EQ(device.sent().size(), 1U);

    // Refused for its extension: the author learns which ones the device takes.
    folder.write("sea.txt", "text");
    device.reply("open*", 263);
    EXPECT_THAT(check("sea.txt").problems,
                ElementsAre(::testing::EndsWith(
                    "cannot open sea.txt: 263 MCIERR_INVALID_DEVICE_NAME; it opens files whose "
                    "names end in .mpg, .mpeg, .mpe, .m1v, .mp2, .mpa, .mp3, .mpv, .mpv2, .mp2v, "
                    ".mp4, .m4v, .mkv, .webm, .mov, .avi, .ts, .m2ts, .m2v, .vob, .dat, .wmv, "
                    ".asf, .mts, .m2t, .3gp, .3g2, .ogv, .flv, .f4v or .mxf")));

    // A code the table has no name for is still shown.
    device.reply("open*", 999);
    EXPECT_THAT(check("sea.mpg").problems,
                ElementsAre(::testing::EndsWith("cannot open sea.mpg: 999")));
}

TEST_F(ClipCheckTest, AFailedMeasurementStillClosesTheClip) {
    folder.write("sea.mpg", "mpeg");
    device.reply("set check time format frames", 293);
    EXPECT_THAT(check("sea.mpg").problems,
                ElementsAre(::testing::EndsWith("cannot count sea.mpg in frames: 293 "
                                                "MCIERR_BAD_TIME_FORMAT")));
    EXPECT_EQ(device.sent().back(), "close check");

    device.reply("status check length", 277);
    const ClipCheck failed = check("sea.mpg");
    EXPECT_THAT(failed.problems, ElementsAre(::testing::EndsWith(
                                     "cannot tell the length of sea.mpg: 277 MCIERR_INTERNAL")));
    EXPECT_FALSE(failed.length);
    EXPECT_EQ(device.sent().back(), "close check");

    device.reply("status check length", 0, "about 30");
    EXPECT_THAT(check("sea.mpg").problems,
                ElementsAre(::testing::EndsWith("gave \"about 30\" as the length of sea.mpg")));

    device.reply("status check length", 0, "30");
    device.reply("close check", 263);
    EXPECT_THAT(check("sea.mpg").problems,
                ElementsAre(::testing::EndsWith("cannot close sea.mpg: 263 "
                                                "MCIERR_INVALID_DEVICE_NAME")));
}

TEST_F(ClipCheckTest, AClipLongerThanThePositionBarIsAProblem) {
    folder.write("sea.mpg", "mpeg");
    device.reply("status check length", 0, "32767");
    EXPECT_THAT(check("sea.mpg").problems, IsEmpty());
    device.reply("status check length", 0, "32768");
    const ClipCheck longClip = check("sea.mpg");
    EXPECT_EQ(longClip.length, 32768);
    EXPECT_THAT(longClip.problems,
                ElementsAre("entry 2 (clip01 \"Open Sea\"): sea.mpg is 32768 frames long; the "
                            "position bar reaches frame 32767 at most"));
}

TEST_F(ClipCheckTest, ADeviceThatCannotBeReachedIsAProblem) {
    folder.write("sea.mpg", "mpeg");
    device.fail("open*");
    EXPECT_THAT(check("sea.mpg").problems,
                ElementsAre("entry 2 (clip01 \"Open Sea\"): the media device could not be "
                            "reached for \"open " +
                            media() + "sea.mpg alias check\""));
}

} // namespace
} // namespace quorix::check
