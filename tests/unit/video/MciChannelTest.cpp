#include "program/MciChannel.h"

#include "device/ScriptedMciDevice.h"
#include "video/HaltedModes.h"

#include <gtest/gtest.h>
#include <string>

namespace quorix::video {
namespace {

using namespace std::string_literals;

class NoDialogs final : public platform::Dialogs {
public:
    void showMessage(const std::string&) override {}
    void showSecondWindow() override {}
};

class MciChannelTest : public ::testing::Test {
protected:
    MciChannelTest() { state_.MciReturnLength = 255; }

    // Sends a command scripted to answer text; MciReturn then holds what the caller sees.
    void answer(const std::string& text) {
        device_.reply("status video mode", 0, text);
        channel_.SendMci("status video mode");
    }
    std::optional<std::int32_t> numberFrom(const std::string& text) {
        answer(text);
        return channel_.AnswerAsNumber();
    }

    device::ScriptedMciDevice device_;
    NoDialogs dialogs_;
    program::ProgramState state_;
    program::MciChannel channel_{device_, dialogs_, state_};
};

// The answer as a caller's buffer of MciReturnLength characters shows it: up to the first NUL
// and at most MciReturnLength - 1 characters, the buffer holding 255 at most.
TEST_F(MciChannelTest, AnswerIsCutAtItsFirstNulAndToTheBuffer) {
    struct Case {
        std::int32_t length;
        std::string text;
        std::string seen;
    };
    const Case cases[] = {
        {255, "750\0junk"s, "750"},
        {255, "\0abc"s, ""},
        {255, std::string(300, 'x'), std::string(254, 'x')},
        {1000, std::string(300, 'x'), std::string(254, 'x')},
        {4, "abcdef", "abc"},
        {4, "ab\0cdef"s, "ab"},
        {2, "abcdef", "a"},
        {1, "abcdef", ""},
        {0, "abcdef", ""},
        {-7, "abcdef", ""},
    };
    for (const Case& c : cases) {
        state_.MciReturnLength = c.length;
        answer(c.text);
        EXPECT_EQ(state_.MciReturn, c.seen) << c.length << " " << c.text;
    }
}

TEST_F(MciChannelTest, FailedSendLeavesTheBufferBlankAndGivesNoCode) {
    answer("playing");
    device_.fail("status video mode");
    EXPECT_FALSE(channel_.SendMci("status video mode").has_value());
    EXPECT_EQ(state_.MciReturn, std::string(255, ' '));
    // Blanks hold no number and no mode word.
    EXPECT_EQ(channel_.AnswerAsNumber(), 0);
    EXPECT_FALSE(channel_.AnswerIsMode("stopped"));
}

// Plain decimal text only: the settings file's richer rule (a blank inside a number, &H and &O,
// a D exponent) would read more than a device writes. Halves round to even.
TEST_F(MciChannelTest, AnswerAsNumberReadsTheLeadingDecimalNumber) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"750", 750}, {"  42", 42},   {"-17", -17}, {"12 frames", 12}, {"3x4", 3},
        {"", 0},      {"stopped", 0}, {"2.5", 2},   {"3.5", 4},        {"-2.5", -2},
        {"1.5.5", 2}, {"1e3", 1000},  {"2 500", 2}, {"&H10", 0},       {"&O17", 0},
        {"1D2", 1},   {"- 5", 0},     {"5e", 5},    {"1.5&", 2},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(numberFrom(text), value) << text;
    }
    EXPECT_EQ(numberFrom("2147483647"), INT32_MAX);
    EXPECT_EQ(numberFrom("-2147483648"), INT32_MIN);
    for (const char* tooLarge : {"2147483648", "2147483647.5", "-2147483649", "1e400"}) {
        EXPECT_EQ(numberFrom(tooLarge), std::nullopt) << tooLarge;
    }
}

// A mode word matches the lower-cased start of the answer. Pausing compares five characters of
// each name; noticing a clip's end compares the English names whole and the Finnish ones by
// three characters.
TEST_F(MciChannelTest, ModeWordsCompareTheLowerCasedStartOfTheAnswer) {
    struct Answer {
        const char* text;
        bool halted;
        bool stopped;
    };
    const Answer answers[] = {
        {"stopped", true, true},    {"Paused", true, true},     {"KESKEYTETTY", true, true},
        {"PYSÄYTETTY", true, true}, {"pauses", true, false},    {"stopping", true, false},
        {"kesto", false, true},     {"pysty", false, true},     {"pysäh", false, true},
        {"playing", false, false},  {"seeking", false, false},  {"", false, false},
        {"stop", false, false},     {" stopped", false, false},
    };
    for (const Answer& a : answers) {
        answer(a.text);
        EXPECT_EQ(AnswerIsHalted(channel_), a.halted) << a.text;
        EXPECT_EQ(AnswerIsStopped(channel_), a.stopped) << a.text;
    }
}

TEST_F(MciChannelTest, NumberThatDoesNotFitIsAFailedStepAndKeepsTheTarget) {
    program::ContinueOnFailure routine(channel_);
    std::int32_t length = 99;
    answer("99999999999");
    routine.ReadNumber(length);
    EXPECT_EQ(length, 99);
    EXPECT_TRUE(routine.Failed());
    program::ContinueOnFailure next(channel_);
    answer("750");
    next.ReadNumber(length);
    EXPECT_EQ(length, 750);
    EXPECT_FALSE(next.Failed());
}

} // namespace
} // namespace quorix::video
