#include "video/PlayVideo.h"

#include "VideoFixture.h"

namespace quorix::testing {
namespace {

using Operation = replay::ReplayWindowSystem::Operation;

class PlayVideoTest : public VideoFixture {
protected:
    explicit PlayVideoTest(int twipsPerPixel = 15) : VideoFixture(twipsPerPixel) {
        twips().place(*form_.PicBase, 0, 0, 12000, 9000);
        twips().place(*form_.Picture1, 0, 0, 9600, 7200);
    }

    // The last placing command sent.
    std::string destination() const {
        std::string last;
        for (const std::string& command : device_.sent()) {
            if (command.rfind("put ", 0) == 0) {
                last = command;
            }
        }
        return last;
    }

    std::vector<Operation> operations() const {
        std::vector<Operation> done;
        for (const auto& call : windows_.calls()) {
            done.push_back(call.operation);
        }
        return done;
    }
};

TEST_F(PlayVideoTest, PutsTheClipIntoPicture1WithTheOverscanAndStartsIt) {
    program_.state.Settings.Overscan = 8;
    std::vector<const QWidget*> lockedAtEvents;
    events_.hook = [&] { lockedAtEvents.push_back(windows_.locked()); };

    EXPECT_EQ(PlayVideo(program_), 0);
    const std::int32_t handle = windows_.windowHandle(*form_.Picture1);
    EXPECT_EQ(newLines(), (std::vector<std::string>{
                              "mci> window video handle " + std::to_string(handle),
                              "mci< 0 \"\"",
                              "mci> put video destination at -8 -8 656 496",
                              "mci< 0 \"\"",
                              "mci> play video",
                              "mci< 0 \"\"",
                              "cursor hide -1",
                          }));
    EXPECT_EQ(program_.state.PlayState, PlayState::Playing);
    EXPECT_EQ(program_.state.CursorHidden, -1);
    // Picture1 stays locked while other handlers may run: after each of the two placing
    // commands and after a good start.
    EXPECT_EQ(lockedAtEvents, (std::vector<const QWidget*>(3, form_.Picture1)));
    EXPECT_EQ(operations(),
              (std::vector<Operation>{Operation::Lock, Operation::Unlock, Operation::Refresh,
                                      Operation::Focus, Operation::Activate}));
    const auto& calls = windows_.calls();
    EXPECT_EQ(calls[0].window, form_.Picture1);
    EXPECT_EQ(calls[2].window, &form_);
    EXPECT_EQ(calls[3].window, &form_);
    EXPECT_EQ(calls[4].title, "Quorix");
    EXPECT_EQ(windows_.locked(), nullptr);
}

TEST_F(PlayVideoTest, OverscanZeroOrNegative) {
    PlayVideo(program_);
    EXPECT_EQ(destination(), "put video destination at 0 0 640 480");

    program_.state.Settings.Overscan = -4;
    PlayVideo(program_);
    EXPECT_EQ(destination(), "put video destination at 4 4 632 472");
}

TEST_F(PlayVideoTest, SizesThatAreNotWholePixelsRoundHalvesToEven) {
    // 225 and 195 twips over a factor of 30: 7.5 and 6.5 pixels.
    twips().place(*form_.Picture1, 0, 0, 225, 195);
    replay::ReplayScreen coarse(transcript_, 800, 600, 30);
    Program program(form_,
                    Services{mci_, dialogs_, coarse, timer_, events_, end_, pointer_, profile_,
                             paths_, windows_},
                    StartupPlace{});
    PlayVideo(program);
    EXPECT_EQ(destination(), "put video destination at 0 0 8 6");
}

TEST_F(PlayVideoTest, RefusedStartIsReportedAndTheWindowIsStillReleased) {
    device_.reply("play video", 277);
    EXPECT_EQ(PlayVideo(program_), -1);
    EXPECT_EQ(messages(),
              (std::vector<std::string>{
                  "msgbox \"Having trouble in playing the MPEG video file. (1: 277)\""}));
    EXPECT_EQ(program_.state.PlayState, PlayState::Load);
    EXPECT_EQ(pointer_.count(), 0);
    EXPECT_EQ(operations(),
              (std::vector<Operation>{Operation::Lock, Operation::Unlock, Operation::Refresh,
                                      Operation::Focus, Operation::Activate}));
}

TEST_F(PlayVideoTest, AnEarlierFailedStepMakesAGoodStartReportZero) {
    device_.fail("window video handle*");
    EXPECT_EQ(PlayVideo(program_), -1);
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "msgbox \"Having trouble in playing the MPEG video file. (1: 0)\""}));
    EXPECT_EQ(device_.sent().back(), "play video");
    EXPECT_EQ(program_.state.PlayState, PlayState::Load);
    // A refused placing command alone is not examined.
    device_.reply("put video*", 270);
    EXPECT_EQ(PlayVideo(program_), 0);
    EXPECT_EQ(program_.state.PlayState, PlayState::Playing);
}

class PlayVideoTwelveTwipsTest : public PlayVideoTest {
protected:
    PlayVideoTwelveTwipsTest() : PlayVideoTest(12) {}
};

TEST_F(PlayVideoTwelveTwipsTest, TheScreensFactorDividesBothSizes) {
    program_.state.Settings.Overscan = 8;
    PlayVideo(program_);
    EXPECT_EQ(destination(), "put video destination at -8 -8 816 616");
}

} // namespace
} // namespace quorix::testing
