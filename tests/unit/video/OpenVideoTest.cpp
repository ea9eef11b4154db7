#include "video/OpenVideo.h"

#include "VideoFixture.h"
#include "app/HandlerWiring.h"

namespace quorix::testing {
namespace {

using namespace std::string_literals;

class OpenVideoTest : public VideoFixture {
protected:
    OpenVideoTest() {
        program_.state.MediaPath = "d:\\quorix\\";
        program_.state.Catalogue.ClipFiles[0] = "clip01.mpg";
        program_.state.Catalogue.ClipFiles[15] = "clip16.mpg";
        program_.state.CurrentClip = 1;
        // Whatever the device was set to by the caller.
        screen_.setMousePointer(11);
        newLines();
    }

    void span(const std::string& start, const std::string& length) {
        device_.always("status video start position", 0, start);
        device_.always("status video length", 0, length);
    }

    HScrollBar& bar() { return *form_.HScroll1; }
};

TEST_F(OpenVideoTest, OpensInFramesAndReadsTheSpanIntoTheBar) {
    span("0", "2500");
    std::vector<std::string> afterCommand;
    events_.hook = [&] { afterCommand.push_back(device_.sent().back()); };

    EXPECT_EQ(OpenVideo(program_), 0);
    EXPECT_EQ(newLines(), (std::vector<std::string>{
                              "mci> Open d:\\quorix\\clip01.mpg alias video",
                              "mci< 0 \"\"",
                              "pointer 11",
                              "mci> set video time format frames",
                              "mci< 0 \"\"",
                              "mci> status video start position",
                              "mci< 0 \"0\"",
                              "mci> status video length",
                              "mci< 0 \"2500\"",
                          }));
    // Other handlers may run after the open, the format switch, and each of the two queries.
    EXPECT_EQ(afterCommand,
              (std::vector<std::string>{"Open d:\\quorix\\clip01.mpg alias video",
                                        "set video time format frames",
                                        "status video start position", "status video length"}));
    EXPECT_EQ(program_.state.ClipStartFrame, 0);
    EXPECT_EQ(program_.state.ClipLength, 2500);
    EXPECT_EQ(program_.state.ClipEndFrame, 2500);
    EXPECT_EQ(bar().minimum(), 0);
    EXPECT_EQ(bar().maximum(), 2500);
}

TEST_F(OpenVideoTest, LongClipsKeepWholeFrameNumbersOnTheBar) {
    span("100", "40000");
    EXPECT_EQ(OpenVideo(program_), 0);
    EXPECT_EQ(program_.state.ClipEndFrame, 40100);
    EXPECT_EQ(bar().minimum(), 100);
    EXPECT_EQ(bar().maximum(), 40100);
    bar().setValue(39999);
    EXPECT_EQ(bar().value(), 39999);

    // A later, short clip narrows the bar again.
    span("0", "250");
    EXPECT_EQ(OpenVideo(program_), 0);
    EXPECT_EQ(bar().minimum(), 0);
    EXPECT_EQ(bar().maximum(), 250);
    EXPECT_EQ(bar().value(), 250);
}

TEST_F(OpenVideoTest, PathsWithABlankGoInQuotes) {
    span("0", "10");
    program_.state.MediaPath = "f:\\media\\quorix disc\\clips\\";
    OpenVideo(program_);
    program_.state.MediaPath = "f:\\media\\quorix\\";
    program_.state.Catalogue.ClipFiles[0] = "first\tclip.mpg";
    OpenVideo(program_);
    program_.state.Catalogue.ClipFiles[0] = "clip01.mpg";
    OpenVideo(program_);
    const std::vector<std::string>& sent = device_.sent();
    EXPECT_EQ(sent[0], "Open \"f:\\media\\quorix disc\\clips\\clip01.mpg\" alias video");
    EXPECT_EQ(sent[4], "Open \"f:\\media\\quorix\\first\tclip.mpg\" alias video");
    EXPECT_EQ(sent[8], "Open f:\\media\\quorix\\clip01.mpg alias video");
}

TEST_F(OpenVideoTest, APathWithADoubleQuoteIsNeverSent) {
    // Quoted, it would end the name early and turn the rest into options of the command.
    program_.state.Catalogue.ClipFiles[0] = "b.mpg\" wait \"notify";
    EXPECT_EQ(OpenVideo(program_), -1);
    EXPECT_TRUE(device_.sent().empty());
    EXPECT_EQ(messages(),
              (std::vector<std::string>{
                  "msgbox \"Having trouble in initializing the MPEG video file. (0: 0)\""}));
}

TEST_F(OpenVideoTest, APathWithANulIsNeverSentAndIsAMissingFile) {
    // The device would check the extension after the NUL and open the name before it.
    program_.state.Catalogue.ClipFiles[0] = "../../../../etc/shadow\0.mpg"s;
    EXPECT_EQ(OpenVideo(program_), -1);
    EXPECT_TRUE(device_.sent().empty());
    EXPECT_EQ(messages(),
              (std::vector<std::string>{
                  "msgbox \"Having trouble in initializing the MPEG video file. (1: 275)\""}));
}

TEST_F(OpenVideoTest, ClipNumbersOutsideTheCatalogueOpenTheBareFolderAndReportZero) {
    for (const std::int16_t clip : {std::int16_t{0}, std::int16_t{17}, std::int16_t{-5}}) {
        program_.state.CurrentClip = clip;
        EXPECT_EQ(OpenVideo(program_), -1);
        EXPECT_EQ(device_.sent().back(), "Open d:\\quorix\\ alias video");
        EXPECT_EQ(messages(),
                  (std::vector<std::string>{
                      "msgbox \"Having trouble in initializing the MPEG video file. (0: 0)\""}));
    }
    // The last slot is inside the catalogue; the open's own code shows with a trapped failure.
    program_.state.CurrentClip = 16;
    span("0", "10");
    EXPECT_EQ(OpenVideo(program_), 0);
    EXPECT_EQ(device_.sent()[device_.sent().size() - 4], "Open d:\\quorix\\clip16.mpg alias video");
    program_.state.CurrentClip = 17;
    device_.reply("Open*", 275);
    EXPECT_EQ(OpenVideo(program_), -1);
    EXPECT_EQ(messages(),
              (std::vector<std::string>{
                  "msgbox \"Having trouble in initializing the MPEG video file. (0: 275)\""}));
}

TEST_F(OpenVideoTest, AnOpenThatNeverReachesTheDeviceIsReportedWithZero) {
    device_.fail("Open*");
    EXPECT_EQ(OpenVideo(program_), -1);
    EXPECT_EQ(messages(),
              (std::vector<std::string>{
                  "msgbox \"Having trouble in initializing the MPEG video file. (0: 0)\""}));
    EXPECT_EQ(device_.sent().size(), 1U);
}

TEST_F(OpenVideoTest, UnknownDeviceNameShowsTheSecondWindowInsteadOfAMessage) {
    device_.reply("Open*", 263);
    std::string atEvents;
    events_.hook = [&] { atEvents = transcript_.text(); };
    EXPECT_EQ(OpenVideo(program_), -1);
    EXPECT_EQ(newLines(), (std::vector<std::string>{
                              "mci> Open d:\\quorix\\clip01.mpg alias video",
                              "mci< 263 \"\"",
                              "pointer 0",
                              "form2",
                          }));
    // Events run once the second window has gone.
    EXPECT_EQ(events_.calls, 1);
    EXPECT_NE(atEvents.find("form2"), std::string::npos);
    EXPECT_EQ(activations_, 1);
}

TEST_F(OpenVideoTest, RefusedOpenReportsItsCodeAndNegativeCodesGoOn) {
    device_.reply("Open*", 275);
    EXPECT_EQ(OpenVideo(program_), -1);
    EXPECT_EQ(newLines(), (std::vector<std::string>{
                              "mci> Open d:\\quorix\\clip01.mpg alias video",
                              "mci< 275 \"\"",
                              "msgbox \"Having trouble in initializing the MPEG video file. (1: "
                              "275)\"",
                          }));
    span("0", "99");
    device_.reply("Open*", -1);
    EXPECT_EQ(OpenVideo(program_), 0);
    EXPECT_EQ(program_.state.ClipEndFrame, 99);
}

TEST_F(OpenVideoTest, FailedQueriesReportTheirStepAndLeaveTheDeviceOpen) {
    device_.reply("status video start position", 346);
    EXPECT_EQ(OpenVideo(program_), -1);
    EXPECT_EQ(device_.sent().back(), "status video start position");
    EXPECT_EQ(messages(),
              (std::vector<std::string>{
                  "msgbox \"Having trouble in initializing the MPEG video file. (2: 346)\""}));

    span("0", "2500");
    device_.reply("status video length", 263);
    EXPECT_EQ(OpenVideo(program_), -1);
    EXPECT_EQ(device_.sent().back(), "status video length");
    EXPECT_EQ(messages(),
              (std::vector<std::string>{
                  "msgbox \"Having trouble in initializing the MPEG video file. (3: 263)\""}));
    for (const std::string& command : device_.sent()) {
        EXPECT_NE(command, "close video");
    }
    // The hourglass the routine set stays; the caller puts the pointer back.
    EXPECT_EQ(screen_.mousePointer(), 11);
}

TEST_F(OpenVideoTest, NumbersThatDoNotFitAreFailedStepsReportedWithZero) {
    // Start: the length's check reports it.
    span("1e20", "2500");
    EXPECT_EQ(OpenVideo(program_), -1);
    EXPECT_EQ(messages(),
              (std::vector<std::string>{
                  "msgbox \"Having trouble in initializing the MPEG video file. (3: 0)\""}));

    // A length or an end that no 32-bit frame number holds leaves the span unknown: the clip is
    // not played against the old end, and the bar keeps its range.
    span("0", "2500");
    ASSERT_EQ(OpenVideo(program_), 0);
    messages();
    span("0", "3000000000");
    EXPECT_EQ(OpenVideo(program_), -1);
    span("2147483000", "2000");
    EXPECT_EQ(OpenVideo(program_), -1);
    EXPECT_EQ(messages(),
              (std::vector<std::string>{
                  "msgbox \"Having trouble in initializing the MPEG video file. (3: 0)\"",
                  "msgbox \"Having trouble in initializing the MPEG video file. (3: 0)\""}));
    EXPECT_EQ(program_.state.ClipEndFrame, 2500);
    EXPECT_EQ(bar().minimum(), 0);
    EXPECT_EQ(bar().maximum(), 2500);
}

TEST_F(OpenVideoTest, NarrowingTheBarDoesNotSeekOutsideThePausedState) {
    ConnectPlaybackHandlers(program_);
    span("0", "2500");
    ASSERT_EQ(OpenVideo(program_), 0);
    bar().setValue(2000);
    span("0", "500");
    EXPECT_EQ(OpenVideo(program_), 0);
    EXPECT_EQ(bar().value(), 500);
    for (const std::string& command : device_.sent()) {
        EXPECT_NE(command.rfind("seek", 0), 0U) << command;
    }
}

} // namespace
} // namespace quorix::testing
