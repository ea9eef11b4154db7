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

TEST_F(ClipCheckTest, ANameWithADoubleQuoteIsAProblemAndIsNotSent) {
    folder.write("b\"quote.mpg", "mpeg");
    EXPECT_THAT(
        check("b\"quote.mpg").problems,
        ElementsAre("entry 2 (clip01 \"Open Sea\"): the clip file name b\"quote.mpg holds a "
                    "double quote, which no open command can name: the presenter refuses "
                    "it"));
    EXPECT_THAT(device.sent(), IsEmpty());
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
