#include "ProgramFixture.h"
#include "menu/ClipMenu.h"
#include "playback/KeyboardCommands.h"
#include "playback/PositionBar.h"
#include "startup/TitleFont.h"
#include "ui/VirtualKeys.h"
#include "video/OpenVideo.h"
#include "video/Transport.h"

namespace quorix::video {
namespace {

using program::PlayState;
using testing::ProgramFixture;
using namespace std::string_literals;

// Names no settings file of a replayed disc can hold: the open command must not be sent with
// them, since the device would read another file or other options than the name says.
TEST_F(ProgramFixture, OpenVideoNeverSendsANameWithADoubleQuoteOrANul) {
    struct Case {
        std::string file;
        const char* message;
    };
    const Case cases[] = {
        // Quoted, the quote would end the name early and turn the rest into options.
        {"b.mpg\" wait \"notify",
         "msgbox \"Having trouble in initializing the MPEG video file. (0: 0)\""},
        // The device would check the extension after the NUL and open the name before it.
        {"../../../../etc/shadow\0.mpg"s,
         "msgbox \"Having trouble in initializing the MPEG video file. (1: 275)\""},
    };
    program_.state.MediaPath = "d:\\quorix\\";
    program_.state.CurrentClip = 1;
    for (const Case& c : cases) {
        program_.state.Catalogue.ClipFiles[0] = c.file;
        messages();
        EXPECT_EQ(OpenVideo(program_), -1);
        EXPECT_TRUE(device_.sent().empty());
        EXPECT_EQ(messages(), std::vector<std::string>{c.message});
    }
}

// Only the device's own 0 changes the play state: a resume it answers plays again; sends that
// never reach it report the routine's own 0 and leave the state, though the code holds an old 0.
TEST_F(ProgramFixture, PauseAndSeekChangeNothingWithoutTheDevicesOwnAnswer) {
    program_.state.PlayState = PlayState::Paused;
    device_.reply("status video mode", 0, "paused");
    TogglePause(program_);
    EXPECT_EQ(program_.state.PlayState, PlayState::Playing);
    device_.fail("status video mode");
    device_.fail("pause video");
    TogglePause(program_);
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "msgbox \"Having trouble in requesting the MPEG video file. (1: 0)\"",
                              "msgbox \"Having trouble in pausing the MPEG video file. (1: 0)\""}));
    EXPECT_EQ(program_.state.PlayState, PlayState::Playing);

    for (const PlayState state : {PlayState::Playing, PlayState::Load, PlayState::Menu}) {
        program_.state.PlayState = state;
        EXPECT_EQ(SeekVideo(program_, 120), 0);
    }
    EXPECT_EQ(device_.sent().back(), "pause video");
}

TEST_F(ProgramFixture, TheRightButtonIsTheRightKeyWithoutShift) {
    program::ClipCatalogue& catalogue = program_.state.Catalogue;
    catalogue.ClipTitles = {"a", "b", "c"};
    catalogue.ClipFiles = {"a.mpg", "b.mpg", "c.mpg"};
    catalogue.LastClip = 2;
    program_.state.PlayState = PlayState::Paused;
    program_.state.CurrentClip = 1;
    form_.sspanel1->show();
    playback::Btn_Click(program_, 2);
    EXPECT_EQ(program_.state.CurrentClip, 2);
    EXPECT_EQ(program_.state.PlayState, PlayState::Load);
    EXPECT_TRUE(form_.sspanel1->isHidden());
}

// A position no 32-bit number holds reads as frame 0, which has no frame before it.
TEST_F(ProgramFixture, ShiftLeftDoesNotSeekFromAPositionBeyondReading) {
    program_.state.PlayState = PlayState::Paused;
    program_.state.CurrentClip = 1;
    device_.reply("status video position", 0, "99999999999");
    playback::Form_KeyDown(program_, ui::vk::Left, ui::modifier::Shift);
    for (const std::string& sent : device_.sent()) {
        EXPECT_NE(sent.rfind("seek", 0), 0U) << sent;
    }
}

// The button under the pointer, the first one too, shows its hover picture; the one hovered
// before gets its normal picture back, as on moving onto the panel.
TEST_F(ProgramFixture, TheButtonUnderThePointerShowsItsHoverPicture) {
    const auto shows = [this](int button, int store) {
        return form_.Btn[button].picture().toImage() == form_.Btn[store].picture().toImage();
    };
    for (const int button : {2, 0, 1}) {
        const int before = program_.state.LastButton;
        playback::Btn_MouseMove(program_, static_cast<std::int16_t>(button));
        EXPECT_TRUE(shows(button, button + 3)) << button;
        EXPECT_EQ(program_.state.LastButton, button);
        if (before != button) {
            EXPECT_TRUE(shows(before, before + 6)) << before;
        }
    }
    playback::sspanel1_MouseMove(program_);
    EXPECT_TRUE(shows(1, 7));
}

// A clip number that names no entry highlights the first entry. Every showing after the first
// reuses the entries and shadows made then, each shadow two pixels off its entry.
TEST_F(ProgramFixture, TheMenuHighlightsTheFirstEntryForAClipNumberOutsideTheCatalogue) {
    program::ClipCatalogue& catalogue = program_.state.Catalogue;
    catalogue.ClipTitles = {"One", "Two", "Three"};
    catalogue.ClipFiles = {"1.mpg", "2.mpg", "3.mpg"};
    catalogue.LastClip = 2;
    program_.state.Settings.MenuMode = 1;
    program_.state.Settings.ShadowMode = 1;
    menu::ShowMenu(program_);
    const qsizetype labels = form_.findChildren<ui::AutoSizeLabel*>().size();
    for (const int clip : {3, 0, 5, -3}) {
        program_.state.CurrentClip = static_cast<std::int16_t>(clip);
        menu::ShowMenu(program_);
        EXPECT_EQ(program_.state.HiliteIndex, clip == 3 ? 2 : 0) << clip;
    }
    EXPECT_EQ(form_.findChildren<ui::AutoSizeLabel*>().size(), labels);
    for (int i = 0; i <= 2; ++i) {
        EXPECT_EQ(form_.Shadow[i].pos(), form_.clip[i].pos() + QPoint(2, 2)) << i;
        EXPECT_FALSE(form_.Shadow[i].isHidden()) << i;
    }
}

class TitleFontTest : public ProgramFixture {
protected:
    float sizeFor(const std::string& title, std::int32_t factor = 3495) {
        program_.state.MediaPath = "m:\\";
        profile_.setFile("m:\\quorix.ini", "[cliplist]\n" + title + "\n");
        program_.state.Settings.FontFactor = factor;
        startup::SizeTitleFont(program_);
        return form_.clip[0].fontSize();
    }
};

// The scenarios show the title growing. No title, a factor that can never be reached or a title
// too long keep the smallest size; a factor of 1 is never reached either: the title ends where one
// more step would pass 200.
TEST_F(TitleFontTest, StopsAtTheSmallestOrTheLargestSize) {
    EXPECT_LT(sizeFor(""), 7.0F);
    EXPECT_LT(sizeFor("clip00=Menu", 0), 7.0F);
    EXPECT_LT(sizeFor("clip00=" + std::string(120, 'W')), 7.0F);
    const float capped = sizeFor("clip00=Menu", 1);
    EXPECT_LE(capped, 200.0F);
    EXPECT_GT(capped, 198.0F);
    EXPECT_FLOAT_EQ(form_.Shadow[0].fontSize(), capped);
}

} // namespace
} // namespace quorix::video
