#include "platform/mci/MpvMciDevice.h"

#include "EventWait.h"
#include "TestClips.h"
#include "platform/PathResolver.h"

#include <QApplication>
#include <QThread>
#include <chrono>
#include <cmath>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
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

    MpvMciDeviceTest()
        : device_(MpvSettings{VideoOutput::None, false, std::chrono::milliseconds(5000), {}},
                  paths_) {}

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

// What camcorders, discs, phones and editors write opens, measured as an exact decode does, and
// plays to its end: by its extension, or named as video whatever its extension.
TEST_F(MpvMciDeviceTest, CamcorderPhoneAndEditorContainersOpenAndPlayToTheirEnd) {
    const std::vector<std::tuple<std::string, std::string, std::string>> media{
        {"clip.MTS", "-c:v mpeg2video -f mpegts -mpegts_m2ts_mode 1", ""},
        {"clip.m2t", "-c:v mpeg2video -f mpegts", ""},
        {"clip.3gp", "-c:v mpeg4 -f 3gp", ""},
        {"clip.3g2", "-c:v mpeg4 -f 3g2", ""},
        {"clip.ogv", "-c:v libtheora -f ogg", ""},
        {"clip.flv", "-c:v flv1 -f flv", ""},
        {"clip.f4v", "-c:v libx264 -f f4v", ""},
        {"clip.mxf", "-c:v mpeg2video -f mxf", ""},
        {"clip.mpe", "-c:v mpeg1video -f mpeg", ""},
        {"camcorder.ts", "-c:v mpeg2video -f mpegts", ""},
        {"phone.mp4", "-c:v libx264", " type mpegvideo"},
        {"camera.avi", "-c:v mpeg4", " type mpegvideo"},
        {"editor.wmv", "-c:v wmv2", " type mpegvideo"},
        {"stream.m2v", "-c:v mpeg2video -f mpeg2video", " type mpegvideo"},
        {"dv.avi", "-c:v dvvideo -s 720x576 -pix_fmt yuv420p -f dv", " type mpegvideo"}};
    // One run of ffmpeg writes them all; the last one's name comes last.
    std::string arguments = "-f lavfi -i testsrc=size=176x144:rate=25:duration=0.4";
    for (const auto& [clip, options, type] : media) {
        arguments += " " + options +
                     (clip != std::get<0>(media.back()) ? " '" + clips_->path(clip) + "'" : "");
    }
    ASSERT_TRUE(clips_->make(std::get<0>(media.back()), arguments));
    for (const auto& [clip, options, type] : media) {
        SCOPED_TRACE(clip);
        const int frames = clips_->countFrames(clip);
        ASSERT_GT(frames, 0);
        ASSERT_EQ(code("open " + clips_->path(clip) + type + " alias video"), 0);
        ASSERT_EQ(code("set video time format frames"), 0);
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

TEST_F(MpvMciDeviceTest, FilesThatNameOtherFilesAreRefusedWithoutOpeningThem) {
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
}

} // namespace
} // namespace quorix::platform::mci
