#include "platform/mci/MpvMciDevice.h"

#include "EventWait.h"
#include "TestClips.h"
#include "platform/PathResolver.h"
#include "platform/mci/SoftwareVideoSurface.h"

#include <QApplication>
#include <QImage>
#include <QThread>
#include <QWidget>
#include <chrono>
#include <cmath>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

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
        // The shortest clips, without sound: mpv's duration of a lone frame reaches where a
        // second one would start.
        ASSERT_TRUE(clips_->make(
            "one.mpg", countingClip("25", "44100", "mpeg1video", "mpeg", 0.04, 0.04) + " -an"));
        ASSERT_TRUE(clips_->make(
            "two.mpg", countingClip("25", "44100", "mpeg1video", "mpeg", 0.08, 0.08) + " -an"));
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
    for (const char* clip : {"pal.mpg", "ntsc.mpg", "longsound.mpg", "one.mpg", "two.mpg"}) {
        SCOPED_TRACE(clip);
        const int frames = clips_->countFrames(clip);
        ASSERT_GT(frames, 0);
        openFrames(clip);
        EXPECT_EQ(answer("status video length"), std::to_string(frames));
        EXPECT_EQ(answer("status video start position"), "0");
        EXPECT_EQ(answer("status video position"), "0");
        for (int target : {1, 17, frames - 1, 0, frames / 2}) {
            if (target >= frames) {
                continue;
            }
            EXPECT_EQ(answer("seek video to " + std::to_string(target)), "");
            EXPECT_EQ(answer("status video position"), std::to_string(target));
        }
        EXPECT_EQ(code("seek video to " + std::to_string(frames + 1)), 282);
        EXPECT_EQ(answer("seek video to end"), "");
        EXPECT_EQ(answer("status video position"), std::to_string(frames));
        ASSERT_EQ(code("close video"), 0);
    }
}

// What camcorders, phones and editors write: the device opens each by its extension, measures it
// as an exact decode does and plays it to its end.
TEST_F(MpvMciDeviceTest, CamcorderPhoneAndEditorContainersOpenAndPlayToTheirEnd) {
    const std::string input = "-f lavfi -i testsrc=size=176x144:rate=25:duration=0.4 ";
    const std::vector<std::pair<std::string, std::string>> containers{
        {"clip.MTS", "-c:v mpeg2video -f mpegts -mpegts_m2ts_mode 1"},
        {"clip.m2t", "-c:v mpeg2video -f mpegts"},
        {"clip.3gp", "-c:v mpeg4 -f 3gp"},
        {"clip.3g2", "-c:v mpeg4 -f 3g2"},
        {"clip.ogv", "-c:v libtheora -f ogg"},
        {"clip.flv", "-c:v flv1 -f flv"},
        {"clip.f4v", "-c:v libx264 -f f4v"},
        {"clip.mxf", "-c:v mpeg2video -f mxf"},
        {"clip.mpe", "-c:v mpeg1video -f mpeg"}};
    for (const auto& [clip, arguments] : containers) {
        SCOPED_TRACE(clip);
        ASSERT_TRUE(clips_->make(clip, input + arguments));
        const int frames = clips_->countFrames(clip);
        ASSERT_GT(frames, 0);
        openFrames(clip);
        EXPECT_EQ(answer("status video length"), std::to_string(frames));
        EXPECT_EQ(answer("play video"), "");
        ASSERT_TRUE(WaitUntil([&] { return answer("status video mode") == "stopped"; }));
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

TEST_F(MpvMciDeviceTest, AbsurdTimestampsAndRatesGiveALengthThatFitsOrAreRefused) {
    // Two frames, the second 10 hours in, and a track that claims a frame every microsecond: the
    // rate no clip plays at is not believed, so the length is what 10 hours at 25 frames hold.
    ASSERT_TRUE(clips_->make("hours.mkv", "-f lavfi -i color=c=gray:s=64x48:r=25 -frames:v 2 "
                                          "-c:v mjpeg -bsf:v setts=ts=N*36000000"));
    std::ifstream in(clips_->path("hours.mkv"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The track's frame duration in nanoseconds, 40000000 made 1000.
    const std::string frameDuration("\x23\xe3\x83\x84\x02\x62\x5a\x00", 8);
    const std::size_t at = bytes.find(frameDuration);
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, frameDuration.size(), std::string("\x23\xe3\x83\x84\x00\x00\x03\xe8", 8));
    clips_->write("hours.mkv", bytes);
    openFrames("hours.mkv");
    EXPECT_EQ(answer("status video length"), "900001");
    ASSERT_EQ(code("set video time format milliseconds"), 0);
    EXPECT_EQ(answer("status video length"), "36000040");
    ASSERT_EQ(code("close video"), 0);

    // A second frame 30 days in: 64800001 frames, but more milliseconds than a 32-bit number holds.
    ASSERT_TRUE(clips_->make("month.mkv", "-f lavfi -i color=c=gray:s=64x48:r=25 -frames:v 2 "
                                          "-c:v mjpeg -bsf:v setts=ts=N*2592000000"));
    EXPECT_EQ(code("open " + clips_->path("month.mkv") + " alias video"), 282);
    EXPECT_EQ(code("status video length"), 263);
}

TEST_F(MpvMciDeviceTest, FilesThatNameOtherFilesAreRefusedWithoutOpeningThemWhileMediaOpen) {
    // Each names a FIFO that nobody writes to: opening it would hold the load until it gives up.
    const std::string fifo = clips_->path("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    clips_->write("edl.mpg", "# mpv EDL v0\n" + fifo + ",0,1\n");
    clips_->write("list.mpg", "#EXTM3U\n" + fifo + "\n");
    clips_->write("concat.mpg", "ffconcat version 1.0\nfile fifo\n");
    for (const char* clip : {"edl.mpg", "list.mpg", "concat.mpg"}) {
        SCOPED_TRACE(clip);
        EXPECT_EQ(code("open " + clips_->path(clip) + " alias video"), 296);
        // A reader waiting at the FIFO lets a writer open it; none does when nothing opened it.
        const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        EXPECT_EQ(writer, -1) << "the FIFO was opened";
        if (writer >= 0) {
            close(writer);
        }
    }

    // Every container that cameras, discs, phones and editors give still opens (named as video
    // whatever its extension).
    const std::vector<std::pair<std::string, std::string>> media{
        {"phone.mp4", "-c:v libx264"},
        {"camera.avi", "-c:v mpeg4"},
        {"editor.wmv", "-c:v wmv2"},
        {"camcorder.ts", "-c:v mpeg2video -s 160x120 -f mpegts"},
        {"web.ogv", "-c:v libtheora"},
        {"web.flv", "-c:v flv"},
        {"studio.mxf", "-c:v mpeg2video"},
        {"stream.m2v", "-c:v mpeg2video -f mpeg2video"},
        {"dv.avi", "-c:v dvvideo -s 720x576 -pix_fmt yuv420p -f dv"}};
    // One run of ffmpeg writes them all; the last one's name comes last.
    std::string arguments = "-f lavfi -i color=c=gray:s=64x48:r=25:d=0.2";
    for (const auto& [clip, options] : media) {
        arguments += " " + options;
        if (clip != media.back().first) {
            arguments += " '" + clips_->path(clip) + "'";
        }
    }
    ASSERT_TRUE(clips_->make(media.back().first, arguments));
    for (const auto& [clip, options] : media) {
        SCOPED_TRACE(clip);
        ASSERT_EQ(code("open " + clips_->path(clip) + " type mpegvideo alias video"), 0);
        ASSERT_EQ(code("set video time format frames"), 0);
        EXPECT_EQ(answer("status video length"), std::to_string(clips_->countFrames(clip)));
        ASSERT_EQ(code("close video"), 0);
    }
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

TEST_F(SoftwareSurfaceTest, InterlacedFramesShowWithoutCombingAndStepOneFrameAtATime) {
    // Bright right of an edge that moves 4 pixels a field, the fields of two moments woven into
    // each frame: edges at 8k and 8k + 4 in frame k. As a disc (MPEG-2 in a program stream) and
    // a camcorder (H.264 in a transport stream) give them.
    const std::string fields =
        "-f lavfi -i \"color=c=black:s=320x240:r=50:d=1,geq=lum='if(gt(X,mod(N*4,320)),235,16)'"
        ":cb=128:cr=128,tinterlace=mode=interleave_top\" -flags +ildct+ilme ";
    ASSERT_TRUE(clips_->make("disc.vob", fields + "-c:v mpeg2video -top 1 -q:v 2 -f vob"));
    ASSERT_TRUE(clips_->make("camcorder.ts", fields + "-c:v libx264 -x264opts tff=1 -f mpegts"));
    // The first bright pixel of a row.
    const auto edge = [](const QImage& image, int y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).green() > 128) {
                return x;
            }
        }
        return -1;
    };
    for (const char* clip : {"disc.vob", "camcorder.ts"}) {
        SCOPED_TRACE(clip);
        openFrames(clip);
        EXPECT_EQ(answer("status video length"), std::to_string(clips_->countFrames(clip)));
        ASSERT_EQ(code("window video handle " + handle_), 0);
        ASSERT_EQ(code("put video destination at 0 0 320 240"), 0);
        // One frame on, twelve on, one back.
        for (int frame : {9, 10, 22, 21}) {
            SCOPED_TRACE(frame);
            ASSERT_EQ(code("seek video to " + std::to_string(frame)), 0);
            QImage image;
            EXPECT_TRUE(WaitUntil([&] {
                image = host_.grab().toImage();
                const int at = edge(image, 70);
                return at >= 8 * frame - 1 && at <= 8 * frame + 5;
            })) << "the edge is at "
                << edge(image, 70);
            // Woven fields differ line by line along the edge; a whole picture does not.
            double adjacent = 0;
            int pixels = 0;
            for (int y = 20; y < 130; ++y) {
                for (int x = 8 * frame - 16; x < 8 * frame + 24; ++x) {
                    adjacent += std::abs(image.pixelColor(x, y).green() -
                                         image.pixelColor(x, y + 1).green());
                    ++pixels;
                }
            }
            EXPECT_LT(adjacent / pixels, 8.0) << "combing";
        }
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
    // The picture is opaque also where Qt copies its pixels as they are (a window of the same
    // format, as on Wayland): no pixel's fourth byte may say otherwise.
    QImage copied(host_.size(), QImage::Format_RGB32);
    host_.render(&copied);
    EXPECT_EQ(reinterpret_cast<const std::uint32_t*>(copied.constScanLine(70))[100] >> 24, 0xffu);
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

TEST_F(SoftwareSurfaceTest, PictureLargerThanItsWindowStaysInsideIt) {
    // The window shown in lies inside the host; the destination reaches past it on every side.
    QWidget window(&host_);
    window.setGeometry(50, 40, 100, 70);
    window.show();
    ASSERT_EQ(code("open " + clips_->path("border.mpg") + " alias video"), 0);
    ASSERT_EQ(code("window video handle " + std::to_string(window.winId())), 0);
    ASSERT_EQ(code("put video destination at -40 -30 180 130"), 0);
    // Once the picture has been rendered at the destination's size (not stretched from the
    // last one), painted into an image of the format of Qt's wayland back buffers: cut to the
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
    ASSERT_TRUE(WaitUntil([&] { return near(at(100, 75), 0, 0, 255); }));
    for (auto [x, y] : {std::pair{45, 75}, {155, 75}, {100, 35}, {100, 115}}) {
        EXPECT_TRUE(near(at(x, y), 255, 0, 0)) << x << "," << y;
    }
    EXPECT_EQ(painted.pixel(100, 75) >> 24, 0xffu);
    EXPECT_EQ(answer("close video"), "");
}

} // namespace
} // namespace quorix::platform::mci
