// The media device's pictures in a host window, read back: painted by a widget in software (Qt's
// offscreen platform), or drawn into a native window on an X server the way QUORIX_VIDEO_OUTPUT
// names ("x11" when unset).
#include "TestClips.h"
#include "device/MpvMciDevice.h"
#include "device/SoftwareVideoSurface.h"
#include "platform/PathResolver.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace quorix::device {
namespace {

using testing_support::TestClips;
using testing_support::WaitUntil;

bool Software() {
    return QGuiApplication::platformName() == "offscreen";
}

MpvSettings Settings() {
    const auto drawing = DrawingNamed(qEnvironmentVariable(ForcedDrawingVariable).toStdString())
                             .value_or(NativeDrawing::Images);
    return MpvSettings{Software() ? VideoOutput::Software : VideoOutput::Native,
                       false,
                       std::chrono::milliseconds(5000),
                       [drawing] { return drawing; },
                       {}};
}

bool Near(const QColor& color, int red, int green, int blue) {
    return std::abs(color.red() - red) < 40 && std::abs(color.green() - green) < 40 &&
           std::abs(color.blue() - blue) < 40;
}

class SurfaceTest : public ::testing::Test {
protected:
    SurfaceTest() {
        // Green with a blue middle: the border tells where the picture's edges went.
        EXPECT_TRUE(clips_.make(
            "border.mpg", "-f lavfi -i \"color=c=0x00ff00:s=320x240:r=25:d=1,drawbox=x=40:y=40:"
                          "w=240:h=160:color=0x0000ff:t=fill\" -c:v mpeg1video -q:v 2 -f mpeg"));
        host_.resize(200, 150);
        host_.setStyleSheet("background: red");
        host_.show();
        WaitUntil([this] { return Near(pixel(100, 75), 255, 0, 0); });
    }

    std::int32_t code(const std::string& command) {
        return device_.send(command).value_or(platform::MciReply{-1, "no reply"}).code;
    }
    void openShown(const std::string& clip, const std::string& destination = "") {
        ASSERT_EQ(code("open " + clips_.path(clip) + " alias video"), 0) << clip;
        ASSERT_EQ(code("set video time format frames"), 0);
        ASSERT_EQ(code("window video handle " + std::to_string(host_.winId())), 0);
        ASSERT_EQ(code("put video destination" + destination), 0);
    }

    QImage shown() {
        return Software() ? host_.grab().toImage()
                          : host_.screen()->grabWindow(host_.winId()).toImage();
    }
    QColor pixel(int x, int y) { return shown().pixelColor(x, y); }
    // The frame number the counting clip shows in the middle of the host.
    int frameShown() {
        const double level = pixel(100, 75).green() * 219.0 / 255.0 + 16.0;
        return static_cast<int>(std::lround((level - 40) / 3));
    }

    TestClips clips_;
    QWidget host_;
    platform::PathResolver paths_;
    MpvMciDevice device_{Settings(), paths_};
};

TEST_F(SurfaceTest, ANewClipShowsItsFirstFrameAndNothingOfTheClipsBefore) {
    // The clip before, or the counting clip's own last frames (also those shown while measuring
    // it), ended on a picture while the next opens before the window is painted again.
    openShown("border.mpg");
    ASSERT_TRUE(WaitUntil([&] { return Near(pixel(100, 75), 0, 0, 255); }));
    ASSERT_EQ(code("close video"), 0);
    // Each frame one flat grey whose level, well apart from black, tells its number.
    ASSERT_TRUE(clips_.make("pal.mpg", "-f lavfi -i \"color=c=black:s=160x120:r=25:d=2,geq=lum="
                                       "'40+3*N':cb=128:cr=128\" -c:v mpeg1video -q:v 2 -f mpeg"));
    const int frames = clips_.countFrames("pal.mpg");
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        openShown("pal.mpg");
        std::set<int> seen;
        std::string foreign;
        const auto look = [&] {
            const QColor color = pixel(100, 75);
            if (color.green() > 15 && std::abs(color.red() - color.green()) < 24 &&
                std::abs(color.blue() - color.green()) < 24) {
                seen.insert(frameShown());
            } else if (!Near(color, 255, 0, 0)) {
                foreign += color.name().toStdString() + " ";
            }
            return false;
        };
        EXPECT_TRUE(WaitUntil([&] { return look() || !seen.empty(); }));
        WaitUntil(look, 300);
        EXPECT_EQ(seen, std::set<int>{0});
        EXPECT_EQ(foreign, "") << "a picture of the clip before";
        // Played to its end, the clip stands on its last frame.
        ASSERT_EQ(code("play video"), 0);
        EXPECT_TRUE(WaitUntil([&] { return frameShown() == frames - 1; }))
            << "the end shows frame " << frameShown();
        ASSERT_EQ(code("close video"), 0);
        // Closed, the surface is parked away from the window, which shows its own background.
        EXPECT_TRUE(WaitUntil([&] { return Near(pixel(100, 75), 255, 0, 0); }));
    }
}

TEST_F(SurfaceTest, HeldLastPictureLastsUntilTheNextClipsFirstOrWhatElseFollows) {
    MpvSettings settings = Settings();
    bool nextClip = true;
    settings.holdLastPicture = [&] { return nextClip; };
    MpvMciDevice holding(settings, paths_);
    const auto send = [&](const std::string& command) {
        return holding.send(command).value_or(platform::MciReply{-1, "no reply"}).code;
    };
    ASSERT_TRUE(clips_.make("yellow.mpg", "-f lavfi -i color=c=0xffff00:s=64x48:r=25:d=1 "
                                          "-c:v mpeg1video -q:v 2 -f mpeg"));
    // The video area inside the window, as the presenter's, with the picture past its edges.
    QWidget area(&host_);
    area.setGeometry(20, 15, 160, 120);
    area.show();
    const auto play = [&](const std::string& clip) {
        ASSERT_EQ(send("open " + clips_.path(clip) + " alias video"), 0);
        ASSERT_EQ(send("window video handle " + std::to_string(area.winId())), 0);
        ASSERT_EQ(send("put video destination at -20 -15 200 150"), 0);
        ASSERT_EQ(send("play video"), 0);
    };
    // Closed as the presenter closes a clip: with its area hidden meanwhile.
    const auto close = [&] {
        area.hide();
        QApplication::processEvents();
        ASSERT_EQ(send("close video"), 0);
        area.show();
    };
    play("border.mpg");
    ASSERT_TRUE(WaitUntil([&] { return Near(pixel(100, 75), 0, 0, 255); }));
    close();
    EXPECT_TRUE(Near(pixel(100, 75), 0, 0, 255)) << "the last picture went with its clip";
    EXPECT_TRUE(Near(pixel(10, 10), 255, 0, 0)) << "held past the area";

    // Until the next clip's picture comes, nothing but the last one's shows.
    play("yellow.mpg");
    std::string foreign;
    EXPECT_TRUE(WaitUntil([&] {
        const QColor color = pixel(100, 75);
        if (!Near(color, 0, 0, 255) && !Near(color, 255, 255, 0)) {
            foreign += color.name().toStdString() + " ";
        }
        return Near(color, 255, 255, 0);
    }));
    EXPECT_EQ(foreign, "");

    // Closed for no next clip (the menu, the logo, the end), held only until events are handled.
    nextClip = false;
    close();
    EXPECT_TRUE(Near(pixel(100, 75), 255, 255, 0));
    EXPECT_TRUE(WaitUntil([&] { return Near(pixel(100, 75), 255, 0, 0); }));
}

TEST_F(SurfaceTest, APictureLargerThanItsWindowIsShownAtItsNativeSizeWhenUsed) {
    // 320x240 in a 200x150 window. Shown at once at that size, X11 images would keep it for
    // good, though the caller's destination usually follows: it waits until it is used.
    ASSERT_EQ(code("open " + clips_.path("border.mpg") + " alias video"), 0);
    ASSERT_EQ(code("window video handle " + std::to_string(host_.winId())), 0);
    EXPECT_FALSE(WaitUntil([&] { return !Near(pixel(100, 75), 255, 0, 0); }, 300))
        << "shown before it was used";
    // Sought, it shows at its native size, cut by the window: 30 px in is still the border.
    ASSERT_EQ(code("seek video to 0"), 0);
    EXPECT_TRUE(WaitUntil([&] { return Near(pixel(100, 75), 0, 0, 255); }));
    EXPECT_TRUE(Near(pixel(30, 30), 0, 255, 0));
    EXPECT_TRUE(Near(pixel(190, 140), 0, 0, 255));
    // Playing, it moves to another window and shows there at once.
    QWidget other(&host_);
    other.setGeometry(100, 75, 100, 75);
    other.setStyleSheet("background: red");
    other.show();
    ASSERT_EQ(code("play video"), 0);
    ASSERT_EQ(code("window video handle " + std::to_string(other.winId())), 0);
    EXPECT_TRUE(WaitUntil([&] { return Near(pixel(150, 110), 0, 255, 0); }))
        << "not shown in the window it moved to";
}

TEST_F(SurfaceTest, PictureIsStretchedToTheDestinationAndOverscanIsCut) {
    openShown("border.mpg", " at 20 10 160 120");
    ASSERT_TRUE(WaitUntil([&] { return Near(pixel(100, 70), 0, 0, 255); }));
    EXPECT_TRUE(WaitUntil([&] { return Near(pixel(25, 15), 0, 255, 0); }));
    const QImage image = shown();
    EXPECT_TRUE(Near(image.pixelColor(174, 125), 0, 255, 0));
    EXPECT_TRUE(Near(image.pixelColor(5, 5), 255, 0, 0));
    EXPECT_TRUE(Near(image.pixelColor(190, 140), 255, 0, 0));
    // Opaque also where Qt copies pixels as they are (as on Wayland), whichever scaler reduced
    // or enlarged the picture; read raw, since QImage::pixel() reports any RGB32 pixel as opaque.
    const auto opaque = [this] {
        QImage copied(host_.size(), QImage::Format_RGB32);
        host_.render(&copied);
        return reinterpret_cast<const std::uint32_t*>(copied.constScanLine(70))[100] >> 24;
    };
    if (Software()) {
        EXPECT_EQ(opaque(), 0xffu);
    }
    // Past the host on every side: the host cuts the border off, so only the middle shows.
    ASSERT_EQ(code("put video destination at -80 -60 360 270"), 0);
    const QPoint everywhere[] = {{0, 0}, {199, 0}, {0, 149}, {199, 149}, {100, 75}};
    EXPECT_TRUE(WaitUntil([&] {
        const QImage now = shown();
        return std::ranges::all_of(everywhere,
                                   [&](QPoint at) { return Near(now.pixelColor(at), 0, 0, 255); });
    })) << "the overscan does not cut the border";
    if (Software()) {
        EXPECT_EQ(opaque(), 0xffu);
    }
}

TEST_F(SurfaceTest, InterlacedFramesShowWithoutCombingWhereverTheySeek) {
    // Bright right of an edge that moves 4 pixels a field, two fields woven into each frame
    // (edges at 8k and 8k + 4 in frame k), as a disc and a camcorder give them.
    const std::string fields =
        "-f lavfi -i \"color=c=black:s=320x240:r=50:d=1,geq=lum='if(gt(X,mod(N*4,320)),235,16)'"
        ":cb=128:cr=128,tinterlace=mode=interleave_top\" -flags +ildct+ilme ";
    ASSERT_TRUE(clips_.make("disc.vob", fields + "-c:v mpeg2video -top 1 -q:v 2 -f vob"));
    ASSERT_TRUE(clips_.make("camcorder.ts", fields + "-c:v libx264 -x264opts tff=1 -f mpegts"));
    const auto edge = [](const QImage& image) { // the first bright pixel of a row
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, 70).green() > 128) {
                return x;
            }
        }
        return -1;
    };
    for (const char* clip : {"disc.vob", "camcorder.ts"}) {
        SCOPED_TRACE(clip);
        openShown(clip, " at 0 0 320 240");
        const int last = clips_.countFrames(clip) - 1;
        // One frame on, twelve on, one back, to the end.
        for (const std::string target : {"9", "10", "22", "21", "end"}) {
            const int frame = target == "end" ? last : std::stoi(target);
            SCOPED_TRACE(target);
            ASSERT_EQ(code("seek video to " + target), 0);
            QImage image;
            EXPECT_TRUE(WaitUntil([&] {
                image = shown();
                return edge(image) >= 8 * frame - 1 && edge(image) <= 8 * frame + 5;
            })) << "the edge is at "
                << edge(image);
            // Woven fields differ line by line along the edge; a whole picture does not.
            double adjacent = 0;
            int pixels = 0;
            for (int y = 20; y < 130; ++y) {
                for (int x = 8 * frame - 16; x < 8 * frame + 24; ++x, ++pixels) {
                    adjacent += std::abs(image.pixelColor(x, y).green() -
                                         image.pixelColor(x, y + 1).green());
                }
            }
            EXPECT_LT(adjacent / pixels, 8.0) << "combing";
        }
        ASSERT_EQ(code("close video"), 0);
    }
}

TEST_F(SurfaceTest, PictureLargerThanItsWindowStaysInsideIt) {
    if (!Software()) {
        GTEST_SKIP() << "a native window is cut to its size by the X server";
    }
    // A window inside the host, and a destination past it on every side.
    QWidget window(&host_);
    window.setGeometry(50, 40, 100, 70);
    window.show();
    ASSERT_EQ(code("open " + clips_.path("border.mpg") + " alias video"), 0);
    ASSERT_EQ(code("window video handle " + std::to_string(window.winId())), 0);
    ASSERT_EQ(code("put video destination at -40 -30 180 130"), 0);
    // Rendered at the destination's size, painted as into Qt's wayland back buffers: cut to the
    // window, and opaque.
    auto* surface = window.findChild<SoftwareVideoSurface*>();
    ASSERT_NE(surface, nullptr);
    ASSERT_TRUE(
        surface->renderCurrentFrame(std::chrono::steady_clock::now() + std::chrono::seconds(5)));
    QImage painted(host_.size(), QImage::Format_ARGB32_Premultiplied);
    const auto at = [&](int x, int y) {
        painted.fill(Qt::white);
        host_.render(&painted);
        return painted.pixelColor(x, y);
    };
    ASSERT_TRUE(WaitUntil([&] { return Near(at(100, 75), 0, 0, 255); }));
    for (auto [x, y] : {std::pair{45, 75}, {155, 75}, {100, 35}, {100, 115}}) {
        EXPECT_TRUE(Near(at(x, y), 255, 0, 0)) << x << "," << y;
    }
    EXPECT_EQ(painted.pixel(100, 75) >> 24, 0xffu);
}

// An output this build has no surface for is refused, never drawn as another.
TEST(VideoOutputTest, AnOutputWithoutASurfaceIsRefused) {
    MpvSettings settings = Settings();
    settings.output = static_cast<VideoOutput>(-1);
    EXPECT_EQ(MpvCore::create(settings), nullptr);
}

} // namespace
} // namespace quorix::device
