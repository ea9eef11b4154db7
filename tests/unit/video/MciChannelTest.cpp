#include "program/MciChannel.h"

#include "platform/mci/ScriptedMciDevice.h"
#include "video/HaltedModes.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quorix::video {
namespace {

class RecordingDialogs final : public platform::Dialogs {
public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void showSecondWindow() override { ++secondWindows; }
    std::vector<std::string> messages;
    int secondWindows = 0;
};

class MciChannelTest : public ::testing::Test {
protected:
    MciChannelTest() { state_.MciReturnLength = 255; }

    // Sends a command scripted to answer text and reads the answer as a number.
    std::optional<std::int32_t> numberFrom(const std::string& text) {
        device_.reply("status video position", 0, text);
        channel_.SendMci("status video position");
        return channel_.AnswerAsNumber();
    }
    bool modeFrom(const std::string& text, std::string_view word) {
        device_.reply("status video mode", 0, text);
        channel_.SendMci("status video mode");
        return channel_.AnswerIsMode(word);
    }

    platform::mci::ScriptedMciDevice device_;
    RecordingDialogs dialogs_;
    ProgramState state_;
    MciChannel channel_{device_, dialogs_, state_};
};

TEST_F(MciChannelTest, SendKeepsTheCodeAndTheAnswerUpToItsFirstNul) {
    device_.reply("status video length", 0, std::string("750\0junk", 8));
    EXPECT_EQ(channel_.SendMci("status video length"), 0);
    EXPECT_EQ(state_.MciReturn, "750");
    device_.reply("play video", 263);
    EXPECT_EQ(channel_.SendMci("play video"), 263);
    EXPECT_EQ(state_.MciReturn, "");
    EXPECT_EQ(device_.sent().back(), "play video");
}

TEST_F(MciChannelTest, AnswerIsCutToWhatTheBufferHolds) {
    device_.reply("info video", 0, std::string(300, 'x'));
    channel_.SendMci("info video");
    EXPECT_EQ(state_.MciReturn, std::string(254, 'x'));
    state_.MciReturnLength = 4;
    device_.reply("info video", 0, "abcdef");
    channel_.SendMci("info video");
    EXPECT_EQ(state_.MciReturn, "abc");
}

TEST_F(MciChannelTest, FailedSendLeavesTheBufferBlankAndGivesNoCode) {
    device_.reply("status video mode", 0, "playing");
    channel_.SendMci("status video mode");
    device_.fail("status video mode");
    EXPECT_FALSE(channel_.SendMci("status video mode").has_value());
    EXPECT_EQ(state_.MciReturn, std::string(255, ' '));
    // Blanks hold no number and no mode word.
    EXPECT_EQ(channel_.AnswerAsNumber(), 0);
    EXPECT_FALSE(channel_.AnswerIsMode("stopped"));
}

TEST_F(MciChannelTest, AnswerAsNumberReadsTheLeadingNumberRoundingHalvesToEven) {
    EXPECT_EQ(numberFrom("750"), 750);
    EXPECT_EQ(numberFrom("  42"), 42);
    EXPECT_EQ(numberFrom("-17"), -17);
    EXPECT_EQ(numberFrom("12 frames"), 12);
    EXPECT_EQ(numberFrom("24 and 57"), 24);
    EXPECT_EQ(numberFrom("3x4"), 3);
    EXPECT_EQ(numberFrom(""), 0);
    EXPECT_EQ(numberFrom("stopped"), 0);
    EXPECT_EQ(numberFrom("2.5"), 2);
    EXPECT_EQ(numberFrom("3.5"), 4);
    EXPECT_EQ(numberFrom("-2.5"), -2);
    EXPECT_EQ(numberFrom("1.5.5"), 2);
    EXPECT_EQ(numberFrom("1e3"), 1000);
    EXPECT_EQ(numberFrom("2147483647"), 2147483647);
    EXPECT_EQ(numberFrom("-2147483648"), -2147483647 - 1);
}

// The settings file's number rule reads more than a device writes: a blank inside a number, &H
// and &O numbers, a D exponent. An answer holds plain decimal text only.
TEST_F(MciChannelTest, AnswerAsNumberReadsOnlyPlainDecimalText) {
    EXPECT_EQ(numberFrom("2 500"), 2);
    EXPECT_EQ(numberFrom("1 2"), 1);
    EXPECT_EQ(numberFrom("&H10"), 0);
    EXPECT_EQ(numberFrom("&O17"), 0);
    EXPECT_EQ(numberFrom("1D2"), 1);
    EXPECT_EQ(numberFrom("- 5"), 0);
    EXPECT_EQ(numberFrom("5e"), 5);
    EXPECT_EQ(numberFrom("50%"), 50);
    EXPECT_EQ(numberFrom("1.5&"), 2);
}

TEST_F(MciChannelTest, NumbersThatDoNotFitGiveNoValue) {
    EXPECT_FALSE(numberFrom("2147483648").has_value());
    EXPECT_FALSE(numberFrom("2147483647.5").has_value());
    EXPECT_FALSE(numberFrom("-2147483649").has_value());
    EXPECT_FALSE(numberFrom("1e400").has_value());
}

TEST_F(MciChannelTest, ModeWordComparesTheLowerCasedStartOfTheAnswer) {
    EXPECT_TRUE(modeFrom("stopped", "stopped"));
    EXPECT_TRUE(modeFrom("Stopped", "stopped"));
    EXPECT_TRUE(modeFrom("PAUSED", "pause"));
    EXPECT_TRUE(modeFrom("pysäytetty", "pysäy"));
    EXPECT_TRUE(modeFrom("PYSÄYTETTY", "pys"));
    EXPECT_FALSE(modeFrom("playing", "pause"));
    EXPECT_FALSE(modeFrom("stop", "stopped"));
    EXPECT_FALSE(modeFrom(" stopped", "stopped"));
    EXPECT_FALSE(modeFrom("", "kes"));
}

// Pausing compares five characters of each name; noticing a clip's end compares the English
// names whole and the Finnish ones by three characters.
TEST_F(MciChannelTest, HaltedAndStoppedTestsCompareDifferentStartsOfTheSameNames) {
    struct Answer {
        const char* text;
        bool halted;
        bool stopped;
    };
    const Answer answers[] = {
        {"stopped", true, true},    {"Paused", true, true},    {"KESKEYTETTY", true, true},
        {"pysäytetty", true, true}, {"pauses", true, false},   {"stopping", true, false},
        {"kesto", false, true},     {"pysty", false, true},    {"pysäh", false, true},
        {"playing", false, false},  {"seeking", false, false}, {"", false, false},
    };
    for (const Answer& a : answers) {
        device_.reply("status video mode", 0, a.text);
        channel_.SendMci("status video mode");
        EXPECT_EQ(AnswerIsHalted(channel_), a.halted) << a.text;
        EXPECT_EQ(AnswerIsStopped(channel_), a.stopped) << a.text;
    }
}

TEST_F(MciChannelTest, ReportTroubleShowsTextCodeAndParenthesis) {
    channel_.ReportTrouble(trouble::Initializing3, 263);
    ASSERT_EQ(dialogs_.messages.size(), 1U);
    EXPECT_EQ(dialogs_.messages[0], "Having trouble in initializing the MPEG video file. (3: 263)");
}

TEST_F(MciChannelTest, CheckReportsNonZeroCodesOnly) {
    ContinueOnFailure routine(channel_);
    std::int32_t code = 0;
    routine.Send("play video", code);
    EXPECT_FALSE(routine.Check(trouble::Playing1, code));
    device_.reply("seek video to 10", 282);
    routine.Send("seek video to 10", code);
    EXPECT_EQ(code, 282);
    EXPECT_TRUE(routine.Check(trouble::Seeking1, code));
    ASSERT_EQ(dialogs_.messages.size(), 1U);
    EXPECT_EQ(dialogs_.messages[0], "Having trouble in seeking the MPEG video file. (1: 282)");
    // A refused command is not a trapped failure: the next good command passes.
    routine.Send("play video", code);
    EXPECT_FALSE(routine.Check(trouble::Playing1, code));
}

TEST_F(MciChannelTest, OutrightFailureKeepsTheOldCodeAndIsRememberedUntilReentry) {
    ContinueOnFailure routine(channel_);
    std::int32_t code = 263;
    device_.fail("status video start position");
    routine.Send("status video start position", code);
    EXPECT_EQ(code, 263);
    EXPECT_TRUE(routine.Failed());
    EXPECT_TRUE(routine.Check(trouble::Initializing2, code));
    // Every later check in the same run reports, even with code 0.
    routine.Send("status video length", code);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(routine.Check(trouble::Initializing3, code));
    ASSERT_EQ(dialogs_.messages.size(), 2U);
    EXPECT_EQ(dialogs_.messages[1], "Having trouble in initializing the MPEG video file. (3: 0)");
    // Entering the routine again starts with a clean memory.
    ContinueOnFailure again(channel_);
    again.Send("status video length", code);
    EXPECT_FALSE(again.Check(trouble::Initializing3, code));
}

TEST_F(MciChannelTest, NumberThatDoesNotFitIsATrappedFailureAndKeepsTheTarget) {
    ContinueOnFailure routine(channel_);
    std::int32_t code = 0;
    std::int32_t length = 99;
    device_.reply("status video length", 0, "99999999999");
    routine.Send("status video length", code);
    routine.ReadNumber(length);
    EXPECT_EQ(length, 99);
    EXPECT_TRUE(routine.Check(trouble::Initializing3, code));
    EXPECT_EQ(dialogs_.messages.at(0),
              "Having trouble in initializing the MPEG video file. (3: 0)");

    ContinueOnFailure next(channel_);
    device_.reply("status video length", 0, "750");
    next.Send("status video length", code);
    next.ReadNumber(length);
    EXPECT_EQ(length, 750);
    EXPECT_FALSE(next.Failed());
}

TEST_F(MciChannelTest, TrapMarksAnyOtherFailedStep) {
    ContinueOnFailure routine(channel_);
    std::int32_t code = 0;
    routine.Trap();
    routine.Send("play video", code);
    EXPECT_TRUE(routine.Check(trouble::Playing1, code));
    EXPECT_EQ(dialogs_.messages.at(0), "Having trouble in playing the MPEG video file. (1: 0)");
}

TEST(MciChannelTextsTest, MessageTextsAreExact) {
    EXPECT_EQ(trouble::Initializing0, "Having trouble in initializing the MPEG video file. (0: ");
    EXPECT_EQ(trouble::Initializing1, "Having trouble in initializing the MPEG video file. (1: ");
    EXPECT_EQ(trouble::Playing2, "Having trouble in playing the MPEG video file. (2: ");
    EXPECT_EQ(trouble::Pausing1, "Having trouble in pausing the MPEG video file. (1: ");
    EXPECT_EQ(trouble::Requesting1, "Having trouble in requesting the MPEG video file. (1: ");
    EXPECT_EQ(trouble::Requesting2, "Having trouble in requesting the MPEG video file. (2: ");
    EXPECT_EQ(trouble::Requesting3, "Having trouble in requesting the MPEG video file. (3: ");
}

} // namespace
} // namespace quorix::video
