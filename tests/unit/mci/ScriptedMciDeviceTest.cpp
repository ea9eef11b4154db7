#include "platform/mci/ScriptedMciDevice.h"

#include <gtest/gtest.h>

namespace quorix::platform::mci {
namespace {

MciReply reply(ScriptedMciDevice& device, std::string_view command) {
    auto answer = device.send(command);
    EXPECT_TRUE(answer.has_value()) << command;
    return answer.value_or(MciReply{-1, "failed"});
}

TEST(ScriptedMciDeviceTest, UnmatchedCommandsAnswerZeroAndEmpty) {
    ScriptedMciDevice device;
    const MciReply answer = reply(device, "play video");
    EXPECT_EQ(answer.code, 0);
    EXPECT_EQ(answer.answer, "");
}

TEST(ScriptedMciDeviceTest, ReplyRulesAreUsedOnceInOrderBeforeAlwaysRules) {
    ScriptedMciDevice device;
    device.always("status video mode", 0, "playing");
    device.reply("status video mode", 0, "stopped");
    device.reply("status video *", 0, "paused");
    EXPECT_EQ(reply(device, "status video mode").answer, "stopped");
    EXPECT_EQ(reply(device, "status video mode").answer, "paused");
    EXPECT_EQ(reply(device, "status video mode").answer, "playing");
    EXPECT_EQ(reply(device, "status video mode").answer, "playing");
}

TEST(ScriptedMciDeviceTest, LastMatchingAlwaysRuleWinsAndPatternsMatchWholeOrByPrefix) {
    ScriptedMciDevice device;
    device.always("status video *", 263);
    device.always("status video length", 0, "750");
    EXPECT_EQ(reply(device, "status video length").answer, "750");
    EXPECT_EQ(reply(device, "status video position").code, 263);
    // Without a star the pattern must match the whole command.
    EXPECT_EQ(reply(device, "status video length ").code, 263);
    EXPECT_EQ(reply(device, "status vid").code, 0);
}

TEST(ScriptedMciDeviceTest, FailRuleFailsTheNextMatchingSendOnly) {
    ScriptedMciDevice device;
    device.reply("play video", 0, "first");
    device.fail("play*");
    EXPECT_EQ(reply(device, "pause video").code, 0);
    EXPECT_FALSE(device.send("play video").has_value());
    // The reply rule was not used up by the failed send.
    EXPECT_EQ(reply(device, "play video").answer, "first");
    EXPECT_EQ(device.sent().size(), 3U);
    EXPECT_EQ(device.sent()[1], "play video");
}

} // namespace
} // namespace quorix::platform::mci
