// The media device drawing into a native window on a real X server, read back from the screen.
// The drawing is the one QUORIX_VIDEO_OUTPUT names ("x11" when unset); CTest runs these under an
// X server of their own once with each.
#include "EventWait.h"
#include "TestClips.h"
#include "platform/PathResolver.h"
#include "platform/mci/MpvMciDevice.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace quorix::platform::mci {
namespace {

using testing_support::TestClips;
using testing_support::WaitUntil;

// Each frame of the counting clip is one flat grey whose level tells its number, well apart from
// black.
constexpr int LevelBase = 40;
constexpr int LevelStep = 3;

MpvSettings NativeSettings() {
    MpvSettings settings{VideoOutput::Native, false, std::chrono::milliseconds(5000), {}};
    const auto drawing = DrawingNamed(qEnvironmentVariable(ForcedDrawingVariable).toStdString())
                             .value_or(NativeDrawing::Images);
    settings.nativeDrawing = [drawing] { return drawing; };
    return settings;
}

class NativeSurfaceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        clips_ = new TestClips();
        ASSERT_TRUE(clips_->make("count.mpg", "-f lavfi -i \"color=c=black:s=160x120:r=25:d=2,"
                                              "geq=lum='40+3*N':cb=128:cr=128\" "
                                              "-c:v mpeg1video -q:v 2 -f mpeg"));
        // Green with a blue middle: the border tells where the picture's edges went.
        ASSERT_TRUE(clips_->make(
            "border.mpg", "-f lavfi -i \"color=c=0x00ff00:s=320x240:r=25:d=1,drawbox=x=40:y=40:"
                          "w=240:h=160:color=0x0000ff:t=fill\" -c:v mpeg1video -q:v 2 -f mpeg"));
    }
    static void TearDownTestSuite() {
        delete clips_;
        clips_ = nullptr;
    }

    NativeSurfaceTest() {
        host_.resize(200, 150);
        host_.setStyleSheet("background: red");
        host_.show();
        handle_ = std::to_string(host_.winId());
        WaitUntil([this] { return near(pixel(100, 75), 255, 0, 0); });
    }

    std::int32_t code(const std::string& command) {
        const auto reply = device_.send(command);
        EXPECT_TRUE(reply.has_value()) << command;
        return reply ? reply->code : -1;
    }
    void openShown(const std::string& clip, const std::string& destination = "") {
        ASSERT_EQ(code("open " + clips_->path(clip) + " alias video"), 0) << clip;
        ASSERT_EQ(code("set video time format frames"), 0);
        ASSERT_EQ(code("window video handle " + handle_), 0);
        ASSERT_EQ(code("put video destination" + destination), 0);
    }

    // A pixel of the host as the X server shows it, the native picture inside it included.
    QColor pixel(int x, int y) {
        return host_.screen()->grabWindow(host_.winId(), x, y, 1, 1).toImage().pixelColor(0, 0);
    }
    // The frame number the counting clip shows at the host's pixel.
    int frameShown(int x, int y) {
        const double level = pixel(x, y).green() * 219.0 / 255.0 + 16.0;
        return static_cast<int>(std::lround((level - LevelBase) / LevelStep));
    }
    static bool near(const QColor& color, int red, int green, int blue) {
        return std::abs(color.red() - red) < 40 && std::abs(color.green() - green) < 40 &&
               std::abs(color.blue() - blue) < 40;
    }
    static bool grey(const QColor& color) {
        return color.green() > 15 && std::abs(color.red() - color.green()) < 24 &&
               std::abs(color.blue() - color.green()) < 24;
    }
    static bool black(const QColor& color) { return near(color, 0, 0, 0); }

    static TestClips* clips_;
    QWidget host_;
    std::string handle_;
    PathResolver paths_;
    MpvMciDevice device_{NativeSettings(), paths_};
};

TestClips* NativeSurfaceTest::clips_ = nullptr;

TEST_F(NativeSurfaceTest, SoughtFrameIsTheOneShown) {
    const int frames = clips_->countFrames("count.mpg");
    openShown("count.mpg");
    for (int target : {0, 7, 31, frames - 1, 12}) {
        ASSERT_EQ(code("seek video to " + std::to_string(target)), 0);
        EXPECT_TRUE(WaitUntil([&] { return frameShown(100, 75) == target; }))
            << "frame " << target << " shows " << frameShown(100, 75);
    }
    ASSERT_EQ(code("close video"), 0);
}

TEST_F(NativeSurfaceTest, ANewClipShowsItsFirstFrameAndNothingOfTheClipsBefore) {
    // The clip before ends on a picture of its own, and the next opens before the window has
    // been painted again; the counting clip then ends on its last frame, which its next open (on
    // the same core) must not show either. Opening measures a clip by showing its last frames in
    // the parked surface: they must not reach the window.
    openShown("border.mpg");
    ASSERT_TRUE(WaitUntil([&] { return near(pixel(100, 75), 0, 0, 255); }));
    ASSERT_EQ(code("close video"), 0);
    const int frames = clips_->countFrames("count.mpg");
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        openShown("count.mpg");
        std::set<int> seen;
        std::string foreign;
        const auto look = [&] {
            const QColor shown = pixel(100, 75);
            if (grey(shown)) {
                seen.insert(frameShown(100, 75));
            } else if (!near(shown, 255, 0, 0)) {
                foreign += shown.name().toStdString() + " ";
            }
        };
        EXPECT_TRUE(WaitUntil([&] {
            look();
            return !seen.empty();
        }));
        WaitUntil(
            [&] {
                look();
                return false;
            },
            300);
        EXPECT_EQ(seen, std::set<int>{0});
        EXPECT_EQ(foreign, "") << "a picture of the clip before";
        ASSERT_EQ(code("play video"), 0);
        EXPECT_TRUE(WaitUntil([&] { return frameShown(100, 75) > 5; }));
        // Played to its end, the clip stands on its last frame.
        EXPECT_TRUE(WaitUntil([&] { return frameShown(100, 75) == frames - 1; }))
            << "the end shows frame " << frameShown(100, 75);
        ASSERT_EQ(code("close video"), 0);
        // Closed, the surface is parked away from the window, which shows its own background.
        EXPECT_TRUE(WaitUntil([&] { return near(pixel(100, 75), 255, 0, 0); }));
    }
}

TEST_F(NativeSurfaceTest, PictureIsStretchedToTheDestinationAndOverscanIsCut) {
    openShown("border.mpg", " at 20 10 160 120");
    ASSERT_TRUE(WaitUntil([&] { return near(pixel(100, 70), 0, 0, 255); }));
    EXPECT_TRUE(WaitUntil([&] { return near(pixel(25, 15), 0, 255, 0); }));
    EXPECT_TRUE(near(pixel(174, 125), 0, 255, 0));
    EXPECT_TRUE(near(pixel(5, 5), 255, 0, 0));
    EXPECT_TRUE(near(pixel(190, 140), 255, 0, 0));
    // Past the host on every side: the host cuts the border off, so only the middle shows.
    ASSERT_EQ(code("put video destination at -80 -60 360 270"), 0);
    EXPECT_TRUE(WaitUntil([&] {
        for (auto [x, y] : {std::pair{0, 0}, {199, 0}, {0, 149}, {199, 149}, {100, 75}}) {
            if (!near(pixel(x, y), 0, 0, 255)) {
                return false;
            }
        }
        return true;
    })) << "the overscan does not cut the border";
    ASSERT_EQ(code("close video"), 0);
}

} // namespace
} // namespace quorix::platform::mci
