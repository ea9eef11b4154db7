#include "video/Transport.h"

#include "VideoFixture.h"
#include "playback/PositionBar.h"

namespace quorix::testing {
namespace {

using Operation = replay::ReplayWindowSystem::Operation;

class TransportTest : public VideoFixture {
protected:
    void showPanel() {
        form_.sspanel1->show();
        for (int i = 0; i < 3; ++i) {
            form_.Btn[i].show();
        }
    }
    bool panelShown() const {
        bool any = !form_.sspanel1->isHidden();
        for (int i = 0; i < 3; ++i) {
            any = any || !form_.Btn[i].isHidden();
        }
        return any;
    }
};

struct ModeCase {
    const char* answer;
    bool resumes;
};

class TogglePauseModeTest : public TransportTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(TogglePauseModeTest, HaltedModesResumeAndAnyOtherPauses) {
    const ModeCase& c = GetParam();
    device_.reply("status video mode", 0, c.answer);
    program_.state.PlayState = c.resumes ? PlayState::Paused : PlayState::Playing;
    TogglePause(program_);
    EXPECT_EQ(device_.sent().back(), c.resumes ? "play video" : "pause video");
    EXPECT_EQ(program_.state.PlayState, c.resumes ? PlayState::Playing : PlayState::Paused);
    EXPECT_EQ(program_.state.CursorHidden, c.resumes ? -1 : 0);
    EXPECT_TRUE(messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Answers, TogglePauseModeTest,
                         ::testing::Values(ModeCase{"paused", true}, ModeCase{"stopped", true},
                                           ModeCase{"Keskeytetty", true},
                                           ModeCase{"PYSÄYTETTY", true},
                                           ModeCase{"pysäytetty", true}, ModeCase{"playing", false},
                                           ModeCase{"seeking", false}, ModeCase{"", false},
                                           ModeCase{"paus", false}, ModeCase{"not ready", false}));

TEST_F(TransportTest, ResumingTakesThePositionBarAwayAndHidesThePointer) {
    device_.reply("status video mode", 0, "paused");
    program_.state.PlayState = PlayState::Paused;
    showPanel();
    TogglePause(program_);
    EXPECT_FALSE(panelShown());
    ASSERT_EQ(windows_.calls().size(), 1U);
    EXPECT_EQ(windows_.calls()[0].operation, Operation::Refresh);
    EXPECT_EQ(windows_.calls()[0].window, form_.Picture1);
    EXPECT_EQ(pointer_.count(), -1);

    // Without the bar on screen there is nothing to redraw.
    device_.reply("status video mode", 0, "paused");
    TogglePause(program_);
    EXPECT_EQ(windows_.calls().size(), 1U);
}

TEST_F(TransportTest, FailedModeQueryIsReportedAndTheAnswerStillDecides) {
    device_.reply("status video mode", 277, "paused");
    program_.state.PlayState = PlayState::Paused;
    TogglePause(program_);
    EXPECT_EQ(messages(),
              (std::vector<std::string>{
                  "msgbox \"Having trouble in requesting the MPEG video file. (1: 277)\""}));
    EXPECT_EQ(device_.sent().back(), "play video");
    EXPECT_EQ(program_.state.PlayState, PlayState::Playing);
}

TEST_F(TransportTest, RefusedCommandsLeaveThePlayState) {
    program_.state.PlayState = PlayState::Paused;
    showPanel();
    device_.reply("status video mode", 0, "paused");
    device_.reply("play video", 277);
    TogglePause(program_);
    EXPECT_EQ(messages(),
              (std::vector<std::string>{
                  "msgbox \"Having trouble in playing the MPEG video file. (2: 277)\""}));
    EXPECT_EQ(program_.state.PlayState, PlayState::Paused);
    // The bar goes and the pointer hides all the same.
    EXPECT_FALSE(panelShown());
    EXPECT_EQ(pointer_.count(), -1);

    program_.state.PlayState = PlayState::Playing;
    device_.reply("status video mode", 0, "playing");
    device_.reply("pause video", 346);
    TogglePause(program_);
    EXPECT_EQ(messages(),
              (std::vector<std::string>{
                  "msgbox \"Having trouble in pausing the MPEG video file. (1: 346)\""}));
    EXPECT_EQ(program_.state.PlayState, PlayState::Playing);
}

TEST_F(TransportTest, CommandsThatNeverReachedTheDeviceChangeNoState) {
    program_.state.PlayState = PlayState::Playing;
    device_.reply("status video mode", 0, "playing");
    device_.fail("pause video");
    TogglePause(program_);
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "msgbox \"Having trouble in pausing the MPEG video file. (1: 0)\""}));
    EXPECT_EQ(program_.state.PlayState, PlayState::Playing);

    program_.state.PlayState = PlayState::Paused;
    device_.reply("status video mode", 0, "paused");
    device_.fail("play video");
    TogglePause(program_);
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "msgbox \"Having trouble in playing the MPEG video file. (2: 0)\""}));
    EXPECT_EQ(program_.state.PlayState, PlayState::Paused);
}

TEST_F(TransportTest, SeeksOnlyWhilePaused) {
    for (const PlayState state : {PlayState::Playing, PlayState::Load, PlayState::Menu}) {
        program_.state.PlayState = state;
        EXPECT_EQ(SeekVideo(program_, 120), 0);
    }
    EXPECT_TRUE(device_.sent().empty());

    program_.state.PlayState = PlayState::Paused;
    EXPECT_EQ(SeekVideo(program_, 120), 0);
    EXPECT_EQ(device_.sent().back(), "seek video to 120");
    device_.reply("seek*", 277);
    EXPECT_EQ(SeekVideo(program_, -3), 277);
    EXPECT_EQ(device_.sent().back(), "seek video to -3");
    EXPECT_EQ(messages(),
              (std::vector<std::string>{
                  "msgbox \"Having trouble in seeking the MPEG video file. (1: 277)\""}));
}

TEST_F(TransportTest, ClosesWithPicture1HiddenAndReportsNothing) {
    bool hiddenAtEvents = false;
    std::size_t sentAtEvents = 1;
    events_.hook = [&] {
        hiddenAtEvents = form_.Picture1->isHidden();
        sentAtEvents = device_.sent().size();
    };
    device_.reply("close video", 263);
    CloseVideo(program_);
    EXPECT_TRUE(hiddenAtEvents);
    EXPECT_EQ(sentAtEvents, 0U);
    EXPECT_EQ(device_.sent(), (std::vector<std::string>{"close video"}));
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(form_.Picture1->isHidden());
    ASSERT_EQ(windows_.calls().size(), 1U);
    EXPECT_EQ(windows_.calls()[0].operation, Operation::Refresh);
}

class PositionBarTest : public TransportTest {
protected:
    PositionBarTest() {
        // 12000 x 9000 twips; the panel 6000 wide, buttons 600.
        twips().setWidth(*form_.sspanel1, 6000);
        for (int i = 0; i < 3; ++i) {
            twips().setWidth(form_.Btn[i], 600);
        }
        form_.HScroll1->setRange(0, 40000);
    }
};

TEST_F(PositionBarTest, RowOfButtonPanelButtonButtonOneButtonLeftOfCentre) {
    device_.reply("status video position", 0, "1234");
    std::int16_t settingBarInChange = 0;
    QObject::connect(&form_, &Form1::hScroll1Change,
                     [&] { settingBarInChange = program_.state.SettingBar; });
    ShowPositionBar(program_);

    const std::int32_t top = 9000 - 2 * twips().height(*form_.sspanel1);
    EXPECT_EQ(twips().left(*form_.sspanel1), 2100);
    EXPECT_EQ(twips().top(*form_.sspanel1), top);
    const std::int32_t lefts[] = {1500, 8100, 8700};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(twips().left(form_.Btn[i]), lefts[i]) << i;
        EXPECT_EQ(twips().top(form_.Btn[i]), top) << i;
        EXPECT_FALSE(form_.Btn[i].isHidden()) << i;
    }
    EXPECT_FALSE(form_.sspanel1->isHidden());
    EXPECT_EQ(form_.HScroll1->value(), 1234);
    EXPECT_EQ(settingBarInChange, 1);
    EXPECT_EQ(program_.state.SettingBar, 0);
    EXPECT_EQ(program_.state.CursorHidden, 0);
    ASSERT_FALSE(windows_.calls().empty());
    EXPECT_EQ(windows_.calls().back().operation, Operation::Focus);
    EXPECT_EQ(windows_.calls().back().window, form_.HScroll1);
    EXPECT_TRUE(messages().empty());
}

TEST_F(PositionBarTest, PositionsAreWholeFramesKeptInsideTheBar) {
    const struct {
        const char* answer;
        int value;
    } cases[] = {
        {"40000", 40000},                     // past the old 16-bit limit
        {"39999.5", 40000}, {"52000", 40000}, // beyond the end: the nearer end
        {"-7", 0},          {"", 0},          // no number reads as 0
        {"1e12", 0},                          // no 32-bit number: the bar stays where it was
    };
    for (const auto& c : cases) {
        device_.reply("status video position", 0, c.answer);
        ShowPositionBar(program_);
        EXPECT_EQ(form_.HScroll1->value(), c.value) << c.answer;
    }
    form_.HScroll1->setValue(300);
    device_.reply("status video position", 0, "1e12");
    ShowPositionBar(program_);
    EXPECT_EQ(form_.HScroll1->value(), 300);
}

} // namespace
} // namespace quorix::testing
