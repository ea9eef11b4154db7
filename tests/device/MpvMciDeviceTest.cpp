#include "platform/mci/MpvMciDevice.h"

#include "EventWait.h"
#include "TestClips.h"
#include "platform/PathResolver.h"

#include <QApplication>
#include <QImage>
#include <QThread>
#include <QWidget>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace quorix::platform::mci {
namespace {

using testing_support::TestClips;
using testing_support::WaitUntil;

// Each frame of the counting clips is one flat grey whose level tells its number.
constexpr int LevelBase = 20;
constexpr int LevelStep = 3;

std::string countingClip(const char* rate, const char* sampleRate, const char* codec,
                         const char* format, double videoSeconds, double soundSeconds) {
    return "-f lavfi -i \"color=c=black:s=160x120:r=" + std::string(rate) +
           ":d=" + std::to_string(videoSeconds) + ",geq=lum='" + std::to_string(LevelBase) + "+" +
           std::to_string(LevelStep) +
           "*N':cb=128:cr=128\" -f lavfi -i \"sine=frequency=440:" + "sample_rate=" + sampleRate +
           ":duration=" + std::to_string(soundSeconds) + "\" -c:v " + codec +
           " -q:v 2 -c:a mp2 -f " + format;
}

class MpvMciDeviceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        clips_ = new TestClips();
        ASSERT_TRUE(
            clips_->make("pal.mpg", countingClip("25", "44100", "mpeg1video", "mpeg", 2, 2)));
        ASSERT_TRUE(clips_->make("ntsc.mpg",
                                 countingClip("30000/1001", "48000", "mpeg2video", "vob", 2, 2)));
        // Sound that outlasts the picture must not lengthen the clip.
        ASSERT_TRUE(clips_->make("longsound.mpg",
                                 countingClip("25", "44100", "mpeg1video", "mpeg", 2, 2.5)));
        ASSERT_TRUE(clips_->make(
            "border.mpg", "-f lavfi -i \"color=c=0x00ff00:s=320x240:r=25:d=1,drawbox=x=40:y=40:"
                          "w=240:h=160:color=0x0000ff:t=fill\" -c:v mpeg1video -q:v 2 -f mpeg"));
        clips_->write("empty.mpg", "");
        std::string noise(64 * 1024, '\0');
        unsigned seed = 12345;
        for (char& c : noise) {
            seed = seed * 1103515245U + 12345U;
            c = static_cast<char>(seed >> 16);
        }
        clips_->write("noise.mpg", noise);
        clips_->write("notes.mpg", "These are notes, not a clip.\n");
        clips_->write("notes.txt", "These are notes.\n");
    }
    static void TearDownTestSuite() {
        delete clips_;
        clips_ = nullptr;
    }

    explicit MpvMciDeviceTest(VideoOutput output = VideoOutput::None)
        : device_(MpvSettings{output, false, std::chrono::milliseconds(5000), {}}, paths_) {}

    MciReply send(const std::string& command) {
        auto reply = device_.send(command);
        EXPECT_TRUE(reply.has_value()) << command;
        return reply.value_or(MciReply{-1, {}});
    }
    std::int32_t code(const std::string& command) { return send(command).code; }
    std::string answer(const std::string& command) {
        MciReply reply = send(command);
        EXPECT_EQ(reply.code, 0) << command;
        return reply.answer;
    }
    void openFrames(const std::string& clip, const std::string& alias = "video") {
        ASSERT_EQ(code("open " + clips_->path(clip) + " alias " + alias), 0) << clip;
        ASSERT_EQ(code("set " + alias + " time format frames"), 0);
    }
    static TestClips* clips_;
    PathResolver paths_;
    MpvMciDevice device_;
};

TestClips* MpvMciDeviceTest::clips_ = nullptr;

TEST_F(MpvMciDeviceTest, LengthAndSeeksInFramesAgreeWithAnExactDecode) {
    for (const char* clip : {"pal.mpg", "ntsc.mpg", "longsound.mpg"}) {
        SCOPED_TRACE(clip);
        const int frames = clips_->countFrames(clip);
        ASSERT_GT(frames, 0);
        openFrames(clip);
        EXPECT_EQ(answer("status video length"), std::to_string(frames));
        EXPECT_EQ(answer("status video start position"), "0");
        EXPECT_EQ(answer("status video position"), "0");
        for (int target : {1, 17, frames - 1, 0, frames / 2}) {
            EXPECT_EQ(answer("seek video to " + std::to_string(target)), "");
            EXPECT_EQ(answer("status video position"), std::to_string(target));
        }
        EXPECT_EQ(code("seek video to " + std::to_string(frames + 1)), 282);
        EXPECT_EQ(answer("seek video to end"), "");
        EXPECT_EQ(answer("status video position"), std::to_string(frames));
        ASSERT_EQ(code("close video"), 0);
    }
}

TEST_F(MpvMciDeviceTest, StatusItemsInMilliseconds) {
    ASSERT_EQ(answer("open " + clips_->path("ntsc.mpg") + " alias video"), "1");
    EXPECT_EQ(answer("status video time format"), "milliseconds");
    EXPECT_EQ(answer("status video ready"), "true");
    EXPECT_EQ(answer("status video mode"), "stopped");
    const int frames = clips_->countFrames("ntsc.mpg");
    EXPECT_EQ(answer("status video length"), std::to_string(std::llround(frames * 1001.0 / 30.0)));
    EXPECT_EQ(answer("seek video to 1000"), "");
    EXPECT_EQ(answer("status video position"), "1000");
    ASSERT_EQ(code("set video time format frames"), 0);
    EXPECT_EQ(answer("status video time format"), "frames");
    EXPECT_EQ(answer("status video position"), "30");
    EXPECT_EQ(answer("where video source"), "0 0 160 120");
}

TEST_F(MpvMciDeviceTest, ModesThroughPlayPauseSeekAndTheNaturalEnd) {
    openFrames("pal.mpg");
    EXPECT_EQ(answer("status video mode"), "stopped");
    EXPECT_EQ(answer("play video"), "");
    EXPECT_EQ(answer("status video mode"), "playing");
    ASSERT_TRUE(WaitUntil([&] { return std::stoi(answer("status video position")) >= 5; }));
    EXPECT_EQ(answer("pause video"), "");
    EXPECT_EQ(answer("status video mode"), "paused");
    QThread::msleep(100);
    QApplication::processEvents();
    const std::string paused = answer("status video position");
    QThread::msleep(200);
    QApplication::processEvents();
    EXPECT_EQ(answer("status video position"), paused);
    EXPECT_GE(std::stoi(paused), 5);
    EXPECT_LT(std::stoi(paused), 50);

    EXPECT_EQ(answer("resume video"), "");
    EXPECT_EQ(answer("status video mode"), "playing");
    EXPECT_EQ(answer("stop video"), "");
    EXPECT_EQ(answer("status video mode"), "stopped");

    EXPECT_EQ(answer("seek video to 40"), "");
    EXPECT_EQ(answer("status video mode"), "stopped");
    EXPECT_EQ(answer("play video"), "");
    ASSERT_TRUE(WaitUntil([&] { return answer("status video mode") == "stopped"; }));
    EXPECT_EQ(answer("status video position"), "50");
    // At the end nothing is left to play until the device is sought back.
    EXPECT_EQ(answer("play video"), "");
    EXPECT_EQ(answer("status video mode"), "stopped");
    EXPECT_EQ(answer("play video from 45"), "");
    EXPECT_EQ(answer("status video mode"), "playing");
    ASSERT_TRUE(WaitUntil([&] { return answer("status video mode") == "stopped"; }));
    EXPECT_EQ(answer("status video position"), "50");
}

TEST_F(MpvMciDeviceTest, PlayStopsAtItsToPointAndGoesOnFromThere) {
    openFrames("pal.mpg");
    EXPECT_EQ(answer("play video from 10 to 20"), "");
    ASSERT_TRUE(WaitUntil([&] { return answer("status video mode") == "stopped"; }));
    EXPECT_EQ(answer("status video position"), "20");
    EXPECT_EQ(answer("play video"), "");
    EXPECT_EQ(answer("status video mode"), "playing");
    ASSERT_TRUE(WaitUntil([&] { return std::stoi(answer("status video position")) > 22; }));
    EXPECT_EQ(answer("stop video"), "");
}

TEST_F(MpvMciDeviceTest, RefusalsForFilesAliasesAndMalformedCommands) {
    EXPECT_EQ(code("open " + clips_->path("missing.mpg") + " alias video"), 275);
    EXPECT_EQ(code("open " + clips_->path("empty.mpg") + " alias video"), 296);
    EXPECT_EQ(code("open " + clips_->path("noise.mpg") + " alias video"), 296);
    EXPECT_EQ(code("open " + clips_->path("notes.mpg") + " alias video"), 296);
    EXPECT_EQ(code("open " + clips_->path("notes.txt") + " alias video"), 263);
    EXPECT_EQ(code("status video mode"), 263);
    openFrames("pal.mpg");
    EXPECT_EQ(code("open " + clips_->path("ntsc.mpg") + " alias video"), 289);
    EXPECT_EQ(code("status other mode"), 263);
    EXPECT_EQ(code(""), 267);
    EXPECT_EQ(code("rewind video"), 261);
    EXPECT_EQ(code("status video volume"), 259);
    EXPECT_EQ(code("seek video to 0xfa"), 270);
    EXPECT_EQ(code("seek video"), 273);
    EXPECT_EQ(code("status video"), 274);
    EXPECT_EQ(code("play video from 60"), 282);
    EXPECT_EQ(code("window video handle 123456789"), 346);
    // The refusals left the open device as it was.
    EXPECT_EQ(answer("status video mode"), "stopped");
    EXPECT_EQ(answer("close video"), "");
    EXPECT_EQ(code("close video"), 263);
}

TEST_F(MpvMciDeviceTest, SeveralDevicesAtOnceAndIdsReused) {
    ASSERT_EQ(answer("open " + clips_->path("pal.mpg") + " alias a"), "1");
    ASSERT_EQ(answer("open " + clips_->path("ntsc.mpg") + " alias b"), "2");
    ASSERT_EQ(code("set b time format frames"), 0);
    EXPECT_EQ(answer("status b length"), std::to_string(clips_->countFrames("ntsc.mpg")));
    EXPECT_EQ(answer("close a"), "");
    ASSERT_EQ(answer("open \"" + clips_->path("longsound.mpg") + "\" alias c"), "1");
    ASSERT_EQ(code("set c time format frames"), 0);
    EXPECT_EQ(answer("status c length"), "50");
    EXPECT_EQ(answer("close all"), "");
}

// Pictures rendered in software, painted by a widget inside the host window.
class SoftwareSurfaceTest : public MpvMciDeviceTest {
protected:
    SoftwareSurfaceTest() : MpvMciDeviceTest(VideoOutput::Software) {
        host_.resize(200, 150);
        host_.setStyleSheet("background: red");
        host_.show();
        handle_ = std::to_string(host_.winId());
    }

    QColor pixel(int x, int y) { return host_.grab().toImage().pixelColor(x, y); }
    // The frame number a counting clip shows at the host's pixel.
    int frameShown(int x, int y) {
        const double level = pixel(x, y).green() * 219.0 / 255.0 + 16.0;
        return static_cast<int>(std::lround((level - LevelBase) / LevelStep));
    }
    static bool near(const QColor& color, int red, int green, int blue) {
        return std::abs(color.red() - red) < 40 && std::abs(color.green() - green) < 40 &&
               std::abs(color.blue() - blue) < 40;
    }

    QWidget host_;
    std::string handle_;
};

TEST_F(SoftwareSurfaceTest, SoughtFrameIsTheOneShown) {
    for (const char* clip : {"pal.mpg", "ntsc.mpg"}) {
        SCOPED_TRACE(clip);
        const int frames = clips_->countFrames(clip);
        openFrames(clip);
        ASSERT_EQ(code("window video handle " + handle_), 0);
        ASSERT_EQ(code("put video destination"), 0);
        for (int target : {0, 7, 31, frames - 1}) {
            ASSERT_EQ(code("seek video to " + std::to_string(target)), 0);
            EXPECT_TRUE(WaitUntil([&] { return frameShown(100, 75) == target; }))
                << "frame " << target << " shows " << frameShown(100, 75);
        }
        ASSERT_EQ(code("seek video to end"), 0);
        EXPECT_TRUE(WaitUntil([&] { return frameShown(100, 75) == frames - 1; }));
        ASSERT_EQ(code("close video"), 0);
    }
}

TEST_F(SoftwareSurfaceTest, AnOpenedClipShowsItsFirstFrameFromTheStartThenPlaysOnFromIt) {
    // Opening measures a clip by showing its last frames, and a reused surface last showed the
    // end of the clip before: neither may reach the window. The second round reuses the core.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        openFrames("pal.mpg");
        ASSERT_EQ(code("window video handle " + handle_), 0);
        ASSERT_EQ(code("put video destination"), 0);
        std::set<int> seen;
        const auto look = [&] {
            if (!near(pixel(100, 75), 255, 0, 0)) {
                seen.insert(frameShown(100, 75));
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
        ASSERT_EQ(code("play video"), 0);
        EXPECT_TRUE(WaitUntil([&] { return frameShown(100, 75) > 5; }));
        ASSERT_EQ(code("seek video to end"), 0);
        EXPECT_TRUE(
            WaitUntil([&] { return frameShown(100, 75) == clips_->countFrames("pal.mpg") - 1; }));
        ASSERT_EQ(code("close video"), 0);
    }
}

TEST_F(SoftwareSurfaceTest, PictureIsStretchedToTheDestinationAndOverscanIsCut) {
    ASSERT_EQ(code("open " + clips_->path("border.mpg") + " alias video"), 0);
    ASSERT_EQ(code("window video handle " + handle_), 0);
    EXPECT_EQ(answer("where video destination"), "0 0 320 240");
    // A destination inside the host: border and centre where the stretch puts them, the host's
    // own background around it.
    ASSERT_EQ(code("put video destination at 20 10 160 120"), 0);
    ASSERT_TRUE(WaitUntil([&] { return near(pixel(100, 70), 0, 0, 255); }));
    EXPECT_TRUE(near(pixel(25, 15), 0, 255, 0));
    EXPECT_TRUE(near(pixel(174, 125), 0, 255, 0));
    EXPECT_TRUE(near(pixel(5, 5), 255, 0, 0));
    EXPECT_TRUE(near(pixel(190, 140), 255, 0, 0));
    // Overscan: the destination reaches past the host on every side and the host cuts the
    // border off, so only the centre shows.
    ASSERT_EQ(code("put video destination at -80 -60 360 270"), 0);
    EXPECT_EQ(answer("where video destination"), "-80 -60 360 270");
    ASSERT_TRUE(WaitUntil([&] { return near(pixel(0, 0), 0, 0, 255); }));
    for (auto [x, y] : {std::pair{199, 0}, {0, 149}, {199, 149}, {100, 75}}) {
        EXPECT_TRUE(near(pixel(x, y), 0, 0, 255)) << x << "," << y;
    }
    EXPECT_EQ(answer("close video"), "");
}

} // namespace
} // namespace quorix::platform::mci
