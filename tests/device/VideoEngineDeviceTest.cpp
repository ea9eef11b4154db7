// The video engine's routines on the real media device, in the designed main window: a clip from
// a folder with a blank in its name opens, plays inside Picture1 cropped by the overscan, with
// the pointer blank, pauses, seeks and closes; a long clip gets the whole span on the bar.
#include "EventWait.h"
#include "TestClips.h"
#include "platform/MemoryProfileReader.h"
#include "platform/PathResolver.h"
#include "platform/mci/MpvMciDevice.h"
#include "platform/mci/NativeDrawing.h"
#include "platform/mci/VideoOutput.h"
#include "playback/PositionBar.h"
#include "program/Program.h"
#include "ui/Form1.h"
#include "ui/OverrideCursor.h"
#include "ui/QtEventPump.h"
#include "ui/QtPointerDisplayCounter.h"
#include "ui/QtScreen.h"
#include "ui/QtWindowSystem.h"
#include "video/MousePointer.h"
#include "video/OpenVideo.h"
#include "video/PlayVideo.h"
#include "video/Transport.h"

#include <QApplication>
#include <QScreen>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

namespace quorix {
namespace {

using platform::mci::testing_support::TestClips;
using platform::mci::testing_support::WaitUntil;

// Every message is a failure here; the second window is one too.
class FailingDialogs final : public platform::Dialogs {
public:
    void showMessage(const std::string& text) override { ADD_FAILURE() << "message: " << text; }
    void showSecondWindow() override { ADD_FAILURE() << "second window"; }
};

class FailingEnd final : public platform::ProgramEnd {
public:
    [[noreturn]] void endProgram(int status) override {
        std::fprintf(stderr, "the program ended with %d\n", status);
        std::abort();
    }
};

bool Near(const QColor& color, int red, int green, int blue) {
    return std::abs(color.red() - red) < 60 && std::abs(color.green() - green) < 60 &&
           std::abs(color.blue() - blue) < 60;
}

// The output that suits the platform; a native window is drawn as QUORIX_VIDEO_OUTPUT says, so
// that both drawings are tried under an X server.
platform::mci::MpvSettings DeviceSettings() {
    platform::mci::MpvSettings settings{
        platform::mci::videoOutputForPlatform(), false, std::chrono::milliseconds(5000), {}};
    const std::string forced =
        qEnvironmentVariable(platform::mci::ForcedDrawingVariable).toStdString();
    const auto drawing =
        platform::mci::DrawingNamed(forced).value_or(platform::mci::NativeDrawing::Images);
    settings.nativeDrawing = [drawing] { return drawing; };
    return settings;
}

// The folder with a blank in its name that the clips lie in, inside the test's clip folder.
constexpr const char* MediaFolder = "media disc";

class VideoEngineDeviceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        clips_ = new TestClips();
        std::filesystem::create_directories(clips_->path(MediaFolder));
        // A red band 8 pixels wide around green, a blue square in the middle.
        ASSERT_TRUE(clips_->make(std::string(MediaFolder) + "/border.mpg",
                                 "-f lavfi -i \"color=c=red:s=320x240:r=25:d=4,"
                                 "drawbox=x=8:y=8:w=304:h=224:color=0x00ff00:t=fill,"
                                 "drawbox=x=120:y=80:w=80:h=80:color=0x0000ff:t=fill\" "
                                 "-c:v mpeg1video -q:v 2 -f mpeg"));
        // 40000 frames, more than a 16-bit number counts, in groups of pictures as short as
        // discs have them: a program stream has no index, and the exact seeks that find its end
        // start from a picture at least a second before their target.
        ASSERT_TRUE(clips_->make(std::string(MediaFolder) + "/long.mpg",
                                 "-f lavfi -i \"color=c=black:s=64x48:r=50:d=800\" "
                                 "-c:v mpeg1video -q:v 31 -g 25 -f mpeg"));
    }
    static void TearDownTestSuite() {
        delete clips_;
        clips_ = nullptr;
    }

    VideoEngineDeviceTest() {
        form_.setWindowState(Qt::WindowNoState);
        form_.setGeometry(0, 0, 640, 480);
        const TwipsGeometry& twips = form_.twips();
        twips.place(*form_.PicBase, 0, 0, 640 * 15, 480 * 15);
        // Picture1 480 x 360 pixels at (80, 60) of the window.
        twips.place(*form_.Picture1, 80 * 15, 60 * 15, 480 * 15, 360 * 15);
        form_.PicBase->show();
        form_.show();
        ProgramState& state = program_.state;
        state.MciReturnLength = 255;
        state.MediaPath = clips_->path(MediaFolder) + "/";
        state.Catalogue.ClipFiles[0] = "border.mpg";
        state.Catalogue.ClipFiles[1] = "long.mpg";
        state.Catalogue.LastClip = 1;
    }

    ~VideoEngineDeviceTest() override { ShowMouse(program_); }

    // A pixel of the window as the screen shows it, native video surfaces included.
    QColor windowPixel(int x, int y) {
        return form_.screen()->grabWindow(form_.winId()).toImage().pixelColor(x, y);
    }
    QColor picturePixel(int x, int y) { return windowPixel(80 + x, 60 + y); }

    std::string answer(const std::string& command) {
        program_.channel.SendMci(command);
        return program_.state.MciReturn;
    }

    void openAndPlay(std::int16_t clip, std::int16_t overscan) {
        program_.state.CurrentClip = clip;
        program_.state.Settings.Overscan = overscan;
        ASSERT_EQ(OpenVideo(program_), 0);
        ASSERT_EQ(PlayVideo(program_), 0);
        EXPECT_EQ(program_.state.PlayState, PlayState::Playing);
    }

    static TestClips* clips_;
    platform::PathResolver paths_;
    FailingDialogs dialogs_;
    Form1 form_{TwipsGeometry(15, 15)};
    // After the window: the device goes first, while the window it draws into still exists.
    platform::mci::MpvMciDevice device_{DeviceSettings(), paths_};
    OverrideCursor cursor_;
    QtScreen screen_{form_.twips(), cursor_, &form_};
    QtEventPump events_;
    FailingEnd end_;
    QtPointerDisplayCounter pointer_{cursor_};
    platform::MemoryProfileReader profile_;
    QtWindowSystem windows_;
    Program program_{form_,
                     Services{device_, dialogs_, screen_, *form_.Timer1, events_, end_, pointer_,
                              profile_, paths_, windows_},
                     StartupPlace{}};
};

TestClips* VideoEngineDeviceTest::clips_ = nullptr;

TEST_F(VideoEngineDeviceTest, PlaysInsidePicture1CroppedByTheOverscanWithThePointerBlank) {
    // Without overscan the red band shows at Picture1's edge.
    openAndPlay(1, 0);
    EXPECT_EQ(program_.state.ClipLength,
              clips_->countFrames(std::string(MediaFolder) + "/border.mpg"));
    ASSERT_TRUE(WaitUntil([&] { return Near(picturePixel(240, 180), 0, 0, 255); }))
        << "no picture in Picture1";
    EXPECT_TRUE(Near(picturePixel(3, 3), 255, 0, 0));
    EXPECT_TRUE(Near(picturePixel(476, 356), 255, 0, 0));
    EXPECT_TRUE(Near(picturePixel(40, 180), 0, 255, 0));
    CloseVideo(program_);

    // 24 pixels pushed out on every side take the band away; nothing is drawn outside Picture1.
    openAndPlay(1, 24);
    ASSERT_TRUE(WaitUntil([&] { return Near(picturePixel(240, 180), 0, 0, 255); }));
    EXPECT_TRUE(WaitUntil([&] {
        return Near(picturePixel(3, 3), 0, 255, 0) && Near(picturePixel(476, 356), 0, 255, 0);
    })) << "the overscan does not crop";
    for (auto [x, y] : {std::pair{70, 50}, {570, 430}, {75, 240}, {565, 240}}) {
        EXPECT_TRUE(Near(windowPixel(x, y), 0, 0, 0)) << x << "," << y;
    }

    // The pointer is blank over every window of the program while the clip plays, whether the
    // hourglass that the open left is still set or the caller has put the pointer back.
    EXPECT_EQ(pointer_.count(), -1);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    screen_.setMousePointer(0);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    EXPECT_EQ(answer("status video mode"), "playing");

    TogglePause(program_);
    EXPECT_EQ(program_.state.PlayState, PlayState::Paused);
    EXPECT_EQ(answer("status video mode"), "paused");
    EXPECT_EQ(SeekVideo(program_, 50), 0);
    EXPECT_EQ(answer("status video position"), "50");
    TogglePause(program_);
    EXPECT_EQ(program_.state.PlayState, PlayState::Playing);
    EXPECT_EQ(answer("status video mode"), "playing");

    CloseVideo(program_);
    EXPECT_FALSE(form_.Picture1->isHidden());
    EXPECT_EQ(program_.channel.SendMci("status video mode"), 263);
    ShowMouse(program_);
    EXPECT_EQ(pointer_.count(), 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(VideoEngineDeviceTest, LongClipSpansTheWholeBar) {
    program_.state.CurrentClip = 2;
    ASSERT_EQ(OpenVideo(program_), 0);
    const std::int32_t length = program_.state.ClipLength;
    EXPECT_EQ(length, clips_->countFrames(std::string(MediaFolder) + "/long.mpg"));
    EXPECT_GT(length, 32767);
    EXPECT_EQ(answer("status video length"), std::to_string(length));
    EXPECT_EQ(form_.HScroll1->minimum(), 0);
    EXPECT_EQ(form_.HScroll1->maximum(), length);

    std::printf("long clip: %d frames by the device\n", length);
    ASSERT_EQ(PlayVideo(program_), 0);
    TogglePause(program_);
    ASSERT_EQ(program_.state.PlayState, PlayState::Paused);
    EXPECT_EQ(SeekVideo(program_, 35000), 0);
    ShowPositionBar(program_);
    EXPECT_EQ(form_.HScroll1->value(), 35000);
    CloseVideo(program_);
}

} // namespace
} // namespace quorix
