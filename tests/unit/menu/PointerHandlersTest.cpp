#include "menu/PointerHandlers.h"

#include "MenuFixture.h"
#include "app/HandlerWiring.h"
#include "menu/ClipMenu.h"
#include "playback/PositionBar.h"

namespace quorix::menutest {
namespace {

class PointerHandlers : public MenuFixture {
protected:
    // The picture a button shows is the very picture of the store element it was copied from.
    bool shows(int button, int store) const {
        return form_.Btn[button].picture().cacheKey() == form_.Btn[store].picture().cacheKey();
    }

    void pausedWithHiddenPointer() {
        program_.state.PlayState = PlayState::Paused;
        program_.state.CursorHidden = -1;
    }
};

TEST_F(PointerHandlers, OnlyEverySixthMoveOverAnyEntryMovesTheHighlight) {
    setTitles({"a", "b", "c", "d", "e"});
    ShowMenu(program_);
    for (int i = 0; i < 5; ++i) {
        clip_MouseMove(program_, 3);
    }
    EXPECT_EQ(program_.state.HiliteIndex, 0);
    EXPECT_EQ(form_.clip[3].foreColor(), FontColor);
    clip_MouseMove(program_, 4);
    EXPECT_EQ(program_.state.HiliteIndex, 4);
    EXPECT_EQ(form_.clip[4].foreColor(), HiliteColor);
    EXPECT_EQ(form_.clip[0].foreColor(), FontColor);
    EXPECT_EQ(program_.state.ClipMoveCount, 0);

    // On the already highlighted entry the sixth move changes nothing but starts a new count.
    for (int i = 0; i < 6; ++i) {
        clip_MouseMove(program_, 4);
    }
    EXPECT_EQ(program_.state.ClipMoveCount, 0);
    EXPECT_EQ(program_.state.HiliteIndex, 4);

    // The count carries over to the next showing of the menu.
    for (int i = 0; i < 3; ++i) {
        clip_MouseMove(program_, 1);
    }
    HideMenu(program_);
    program_.state.CurrentClip = 1;
    ShowMenu(program_);
    EXPECT_EQ(program_.state.HiliteIndex, 0);
    clip_MouseMove(program_, 2);
    clip_MouseMove(program_, 2);
    EXPECT_EQ(program_.state.HiliteIndex, 0);
    clip_MouseMove(program_, 2);
    EXPECT_EQ(program_.state.HiliteIndex, 2);
}

TEST_F(PointerHandlers, ClickOnAnEntryStartsItsClip) {
    setTitles({"a", "b", "c"});
    program_.state.Settings.HideMode = 1;
    ShowMenu(program_);
    program_.state.PlayState = PlayState::Menu;
    clip_Click(program_, 2);
    EXPECT_EQ(program_.state.CurrentClip, 3);
    EXPECT_EQ(program_.state.PlayState, PlayState::Load);
    EXPECT_TRUE(form_.clip[0].isHidden());
    EXPECT_TRUE(form_.clip[2].isHidden());
}

TEST_F(PointerHandlers, HoverPicturesFollowThePointerAcrossTheButtons) {
    EXPECT_FALSE(shows(0, 3));
    Btn_MouseMove(program_, 0);
    EXPECT_TRUE(shows(0, 3));
    EXPECT_EQ(program_.state.LastButton, 0);

    Btn_MouseMove(program_, 2);
    EXPECT_TRUE(shows(0, 6));
    EXPECT_TRUE(shows(2, 5));
    EXPECT_FALSE(shows(1, 4));
    EXPECT_EQ(program_.state.LastButton, 2);

    sspanel1_MouseMove(program_);
    EXPECT_TRUE(shows(2, 8));
    EXPECT_TRUE(shows(0, 6));
    EXPECT_EQ(program_.state.LastButton, 2);

    // The store elements raise no events; should one arrive it changes nothing.
    Btn_MouseMove(program_, 1);
    Btn_MouseMove(program_, 7);
    EXPECT_TRUE(shows(1, 4));
    EXPECT_EQ(program_.state.LastButton, 1);

    // The video area puts the last button back while no paused clip waits for the bar.
    program_.state.PlayState = PlayState::Playing;
    program_.state.CursorHidden = -1;
    Picture1_MouseMove(program_);
    EXPECT_TRUE(shows(1, 7));
    EXPECT_EQ(program_.state.PictureMoveCount, 0);
}

TEST_F(PointerHandlers, FirstResetGivesButtonZeroItsNormalPicture) {
    sspanel1_MouseMove(program_);
    EXPECT_TRUE(shows(0, 6));
}

TEST_F(PointerHandlers, SeventhMoveOverAPausedClipShowsThePositionBar) {
    device_.always("status video position", 0, "120");
    pausedWithHiddenPointer();
    for (int i = 0; i < 6; ++i) {
        Picture1_MouseMove(program_);
    }
    EXPECT_TRUE(form_.sspanel1->isHidden());
    EXPECT_FALSE(transcribed("mci> status video position"));
    Picture1_MouseMove(program_);
    EXPECT_FALSE(form_.sspanel1->isHidden());
    EXPECT_FALSE(form_.Btn[0].isHidden());
    EXPECT_TRUE(transcribed("mci> status video position"));
    EXPECT_EQ(program_.state.PictureMoveCount, 0);

    // The bar shows the pointer, and moves then do not count.
    EXPECT_EQ(program_.state.CursorHidden, 0);
    Picture1_MouseMove(program_);
    EXPECT_EQ(program_.state.PictureMoveCount, 0);

    // Resumed and paused again; moves while the clip plays do not count, and the count goes on
    // at the next pause.
    form_.sspanel1->setVisible(false);
    pausedWithHiddenPointer();
    for (int i = 0; i < 3; ++i) {
        Picture1_MouseMove(program_);
    }
    program_.state.PlayState = PlayState::Playing;
    Picture1_MouseMove(program_);
    EXPECT_EQ(program_.state.PictureMoveCount, 3);
    pausedWithHiddenPointer();
    for (int i = 0; i < 3; ++i) {
        Picture1_MouseMove(program_);
    }
    EXPECT_TRUE(form_.sspanel1->isHidden());
    Picture1_MouseMove(program_);
    EXPECT_FALSE(form_.sspanel1->isHidden());
}

TEST_F(PointerHandlers, ButtonsActAsLeftEnterAndRight) {
    setTitles({"a", "b", "c"});
    program_.state.PlayState = PlayState::Playing;
    program_.state.CurrentClip = 2;
    Btn_Click(program_, 0);
    EXPECT_EQ(program_.state.CurrentClip, 1);
    EXPECT_EQ(program_.state.PlayState, PlayState::Load);

    program_.state.PlayState = PlayState::Paused;
    Btn_Click(program_, 2);
    EXPECT_EQ(program_.state.CurrentClip, 2);
    EXPECT_EQ(program_.state.PlayState, PlayState::Load);

    program_.state.PlayState = PlayState::Playing;
    form_.sspanel1->setVisible(true);
    Btn_Click(program_, 1);
    EXPECT_EQ(program_.state.CurrentClip, 2);
    EXPECT_EQ(program_.state.PlayState, PlayState::Load);
    EXPECT_TRUE(form_.sspanel1->isHidden());
    EXPECT_TRUE(transcribed("mci> close video"));

    program_.state.PlayState = PlayState::Playing;
    Btn_Click(program_, 3);
    EXPECT_EQ(program_.state.PlayState, PlayState::Playing);
}

TEST_F(PointerHandlers, FormSignalsReachTheHandlers) {
    setTitles({"a", "b", "c"});
    ConnectPointerHandlers(program_);
    ShowMenu(program_);
    for (int i = 0; i < 6; ++i) {
        emit form_.clipMouseMove(1);
    }
    EXPECT_EQ(program_.state.HiliteIndex, 1);

    emit form_.btnMouseMove(2);
    EXPECT_TRUE(shows(2, 5));
    emit form_.sspanel1MouseMove();
    EXPECT_TRUE(shows(2, 8));
    emit form_.btnMouseMove(1);
    emit form_.picture1MouseMove();
    EXPECT_TRUE(shows(1, 7));

    emit form_.picture1Click();
    emit form_.label2Click();
    emit form_.label2MouseMove();
    EXPECT_FALSE(form_.clip[0].isHidden());

    program_.state.PlayState = PlayState::Playing;
    program_.state.CurrentClip = 3;
    emit form_.btnClick(0);
    EXPECT_EQ(program_.state.CurrentClip, 2);

    emit form_.clipClick(2);
    EXPECT_EQ(program_.state.CurrentClip, 3);
    EXPECT_EQ(program_.state.PlayState, PlayState::Load);
    EXPECT_TRUE(form_.clip[0].isHidden());
}

} // namespace
} // namespace quorix::menutest
