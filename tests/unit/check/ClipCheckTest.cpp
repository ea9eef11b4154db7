#include "check/ClipCheck.h"

#include "../platform/TempDir.h"
#include "platform/mci/ScriptedMciDevice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>

namespace quorix::check {
namespace {

using platform::mci::ScriptedMciDevice;
using platform::testing_support::TempDir;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ClipCheckTest : public ::testing::Test {
protected:
    std::string media() const { return folder.path().string() + "/"; }

    ClipCheck check(const std::string& file) {
        return CheckClip(device, paths, media(), 1, "Open Sea", file);
    }

    TempDir folder;
    platform::PathResolver paths{[](const std::string&) { return std::nullopt; }};
    ScriptedMciDevice device;
};

// Each answer of the device that the measurement cannot use, and the clip is closed all the same.
TEST_F(ClipCheckTest, MeasurementsThatFailOrDoNotFit) {
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

TEST_F(ClipCheckTest, NamesAndDevicesThatCannotBeUsedAreProblems) {
    folder.write("b\"quote.mpg", "mpeg");
    EXPECT_THAT(
        check("b\"quote.mpg").problems,
        ElementsAre("entry 2 (clip01 \"Open Sea\"): the clip file name b\"quote.mpg holds a "
                    "double quote, which no open command can name: the presenter refuses "
                    "it"));
    EXPECT_THAT(device.sent(), IsEmpty());

    folder.write("sea.mpg", "mpeg");
    device.fail("open*");
    EXPECT_THAT(check("sea.mpg").problems,
                ElementsAre("entry 2 (clip01 \"Open Sea\"): the media device could not be "
                            "reached for \"open " +
                            media() + "sea.mpg alias check\""));
}

} // namespace
} // namespace quorix::check
