// The media device on libmpv, without a picture, on clips made with ffmpeg: lengths, seeks and
// ends as an exact decode counts them, playing to a point, and the files it refuses.
#include "device/MpvMciDevice.h"

#include "TestClips.h"
#include "platform/PathResolver.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>
#include <vector>

namespace quorix::device {
namespace {

using testing_support::TestClips;
using testing_support::WaitUntil;

// What discs, camcorders, phones and editors write: by its extension, or named as video.
struct Medium {
    std::string name;
    std::string ffmpeg;
    std::string type;
};

std::string Counting(const std::string& rate, double seconds, const std::string& sampleRate,
                     double soundSeconds) {
    return "-f lavfi -i color=c=gray:s=160x120:r=" + rate + ":d=" + std::to_string(seconds) +
           " -f lavfi -i sine=sample_rate=" + sampleRate +
           ":duration=" + std::to_string(soundSeconds) + " -c:a mp2 -q:v 2 ";
}

const std::string Testsrc = "-f lavfi -i testsrc=size=176x144:rate=25:duration=0.4 ";

const std::vector<Medium> Media{
    {"pal.mpg", Counting("25", 2, "44100", 2) + "-c:v mpeg1video -f mpeg", ""},
    {"ntsc.mpg", Counting("30000/1001", 2, "48000", 2) + "-c:v mpeg2video -f vob", ""},
    // Sound that outlasts the picture must not lengthen the clip.
    {"longsound.mpg", Counting("25", 2, "44100", 2.5) + "-c:v mpeg1video -f mpeg", ""},
    // The shortest clips: mpv's duration of a lone frame reaches where a second one would start.
    {"one.mpg", Counting("25", 0.04, "44100", 0.04) + "-an -c:v mpeg1video -f mpeg", ""},
    {"two.mpg", Counting("25", 0.08, "44100", 0.08) + "-an -c:v mpeg1video -f mpeg", ""},
    // More frames than a 16-bit number counts, in short groups of pictures and with no index.
    {"long.mpg",
     "-f lavfi -i color=c=black:s=64x48:r=50:d=800 -c:v mpeg1video -q:v 31 -g 25 -f mpeg", ""},
    {"clip.MTS", Testsrc + "-c:v mpeg2video -f mpegts -mpegts_m2ts_mode 1", ""},
    {"clip.m2t", Testsrc + "-c:v mpeg2video -f mpegts", ""},
    {"clip.3gp", Testsrc + "-c:v mpeg4 -f 3gp", ""},
    {"clip.3g2", Testsrc + "-c:v mpeg4 -f 3g2", ""},
    {"clip.ogv", Testsrc + "-c:v libtheora -f ogg", ""},
    {"clip.flv", Testsrc + "-c:v flv1 -f flv", ""},
    {"clip.f4v", Testsrc + "-c:v libx264 -f f4v", ""},
    {"clip.mxf", Testsrc + "-c:v mpeg2video -f mxf", ""},
    {"clip.mpe", Testsrc + "-c:v mpeg1video -f mpeg", ""},
    {"phone.mp4", Testsrc + "-c:v libx264", " type mpegvideo"},
    {"camera.avi", Testsrc + "-c:v mpeg4", " type mpegvideo"},
    {"editor.wmv", Testsrc + "-c:v wmv2", " type mpegvideo"},
    {"stream.m2v", Testsrc + "-c:v mpeg2video -f mpeg2video", " type mpegvideo"},
    {"dv.avi", Testsrc + "-c:v dvvideo -s 720x576 -pix_fmt yuv420p -f dv", " type mpegvideo"}};

class MpvMciDeviceTest : public ::testing::Test {
protected:
    void make(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            ASSERT_TRUE(clips_.make(Media[i].name, Media[i].ffmpeg)) << Media[i].name;
        }
    }
    std::int32_t code(const std::string& command) { return reply(command).code; }
    std::string answer(const std::string& command) {
        const platform::MciReply given = reply(command);
        EXPECT_EQ(given.code, 0) << command;
        return given.answer;
    }
    platform::MciReply reply(const std::string& command) {
        return device_.send(command).value_or(platform::MciReply{-1, "no reply"});
    }
    void openFrames(const std::string& clip, const std::string& type = "") {
        ASSERT_EQ(code("open " + clips_.path(clip) + type + " alias video"), 0) << clip;
        ASSERT_EQ(code("set video time format frames"), 0);
    }
    bool stopped() { return answer("status video mode") == "stopped"; }

    TestClips clips_;
    platform::PathResolver paths_;
    MpvMciDevice device_{
        MpvSettings{VideoOutput::None, false, std::chrono::milliseconds(5000), {}, {}}, paths_};
};

TEST_F(MpvMciDeviceTest, LengthSeeksAndTheEndInFramesAgreeWithAnExactDecode) {
    make(Media.size());
    for (const Medium& medium : Media) {
        SCOPED_TRACE(medium.name);
        const int frames = clips_.countFrames(medium.name);
        ASSERT_GT(frames, 0);
        openFrames(medium.name, medium.type);
        EXPECT_EQ(answer("status video length"), std::to_string(frames));
        EXPECT_EQ(answer("status video position"), "0");
        for (int target : {1, 17, frames - 1, 0, frames / 2}) {
            if (target < frames) {
                EXPECT_EQ(answer("seek video to " + std::to_string(target)), "");
                EXPECT_EQ(answer("status video position"), std::to_string(target));
            }
        }
        EXPECT_EQ(answer("seek video to end"), "");
        EXPECT_EQ(answer("status video position"), std::to_string(frames));
        // Played from a little before it, the clip stops at its end.
        EXPECT_EQ(answer("play video from " + std::to_string(std::max(0, frames - 3))), "");
        ASSERT_TRUE(WaitUntil([&] { return stopped(); }));
        EXPECT_EQ(answer("status video position"), std::to_string(frames));
        ASSERT_EQ(code("close video"), 0);
    }
}

TEST_F(MpvMciDeviceTest, BesideASecondDeviceFilesThatAreNoClipsAreRefusedAndPlayingStops) {
    make(2);
    clips_.write("empty.mpg", "");
    // These name a FIFO that nobody writes to: opening it would hold the load until it gives up.
    const std::string fifo = clips_.path("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    clips_.write("edl.mpg", "# mpv EDL v0\n" + fifo + ",0,1\n");
    clips_.write("list.mpg", "#EXTM3U\n" + fifo + "\n");
    clips_.write("concat.mpg", "ffconcat version 1.0\nfile fifo\n");
    ASSERT_TRUE(clips_.make("noise.mpg", "-f lavfi -i anoisesrc=d=0.75 -f s16le"));
    clips_.write("notes.mpg", "These are notes, not a clip.\n");
    clips_.write("notes.txt", "These are notes.\n");
    ASSERT_EQ(answer("open " + clips_.path("pal.mpg") + " alias video"), "1");
    ASSERT_EQ(answer("open " + clips_.path("ntsc.mpg") + " alias b"), "2");
    const std::pair<const char*, int> refusals[] = {
        {"missing.mpg", 275}, {"empty.mpg", 296}, {"noise.mpg", 296}, {"notes.mpg", 296},
        {"notes.txt", 263},   {"edl.mpg", 296},   {"list.mpg", 296},  {"concat.mpg", 296}};
    for (const auto& [clip, refusal] : refusals) {
        EXPECT_EQ(code("open " + clips_.path(clip) + " alias c"), refusal) << clip;
    }
    // A reader waiting at the FIFO would let a writer open it.
    EXPECT_EQ(open(fifo.c_str(), O_WRONLY | O_NONBLOCK), -1) << "the FIFO was opened";
    EXPECT_EQ(code("window video handle 123456789"), 346);
    // Milliseconds of a clip at 30000/1001 frames a second round to its frames and back.
    EXPECT_EQ(answer("status b length"),
              std::to_string(std::llround(clips_.countFrames("ntsc.mpg") * 1001.0 / 30.0)));
    EXPECT_EQ(answer("seek b to 1000"), "");
    ASSERT_EQ(code("set b time format frames"), 0);
    EXPECT_EQ(answer("status b position"), "30");
    EXPECT_EQ(answer("where b source"), "0 0 160 120");

    ASSERT_EQ(code("set video time format frames"), 0);
    EXPECT_EQ(answer("play video"), "");
    ASSERT_TRUE(WaitUntil([&] { return std::stoi(answer("status video position")) >= 5; }));
    EXPECT_EQ(answer("pause video"), "");
    const std::string paused = answer("status video position");
    QThread::msleep(200);
    QApplication::processEvents();
    EXPECT_EQ(answer("status video position"), paused);
    EXPECT_EQ(answer("play video from 10 to 20"), "");
    ASSERT_TRUE(WaitUntil([&] { return stopped(); }));
    EXPECT_EQ(answer("status video position"), "20");
    // From its to point a plain play goes on to the end.
    EXPECT_EQ(answer("play video"), "");
    EXPECT_EQ(answer("status video mode"), "playing");
    ASSERT_TRUE(WaitUntil([&] { return stopped(); }));
    EXPECT_EQ(answer("status video position"), "50");
}

TEST_F(MpvMciDeviceTest, ClipsThatHoldAPictureOrChangeTheirRateCountThePicturesTheyHold) {
    // The pictures of a test source that a selection keeps, each at its own time.
    const auto selected = [](const std::string& source, const std::string& selection) {
        return "-f lavfi -i testsrc=size=160x120:" + source +
               " -f lavfi -i sine=duration=1 -vf select='" + selection +
               "' -c:a aac -vsync vfr -c:v libx264";
    };
    struct Clip {
        std::string name;
        std::string ffmpeg;
        int milliseconds;
        // Frames of a container that lists only some of its pictures: steps of its rate.
        int steps = 0;
    };
    const std::string title = selected("rate=25:duration=8", "eq(n\\,0)+gte(n\\,50)");
    const Clip clips[] = {
        // A title held 2 s, then motion at 25 frames a second.
        {"title.mp4", title, 8000},
        // 2 s of a picture frozen in mid-clip.
        {"freeze.mp4", selected("rate=25:duration=10", "not(between(n\\,101\\,149))"), 10000},
        // 10 s at 30 frames a second, then 10 s at 15.
        {"rates.mp4", selected("rate=30:duration=20", "lt(t\\,10)+not(mod(n\\,2))"), 20000},
        // The held title in Matroska, whose index lists key frames only: 8 s at 25 a second.
        {"title.mkv", title, 8000, 200}};
    for (const Clip& clip : clips) {
        SCOPED_TRACE(clip.name);
        ASSERT_TRUE(clips_.make(clip.name, clip.ffmpeg));
        const int frames = clip.steps > 0 ? clip.steps : clips_.countFrames(clip.name);
        ASSERT_GT(frames, 0);
        ASSERT_EQ(code("open " + clips_.path(clip.name) + " alias video"), 0);
        EXPECT_NEAR(std::stoi(answer("status video length")), clip.milliseconds, 67);
        ASSERT_EQ(code("set video time format frames"), 0);
        EXPECT_EQ(answer("status video length"), std::to_string(frames));
        for (int target : {1, 12, frames - 1}) {
            EXPECT_EQ(answer("seek video to " + std::to_string(target)), "");
            EXPECT_EQ(answer("status video position"), std::to_string(target));
        }
        EXPECT_EQ(answer("seek video to end"), "");
        EXPECT_EQ(answer("status video position"), std::to_string(frames));
        EXPECT_EQ(answer("play video from " + std::to_string(frames - 3)), "");
        ASSERT_TRUE(WaitUntil([&] { return stopped(); }));
        EXPECT_EQ(answer("status video position"), std::to_string(frames));
        ASSERT_EQ(code("close video"), 0);
    }
    // The title is one frame however long it is shown.
    openFrames("title.mp4");
    EXPECT_EQ(answer("play video"), "");
    QThread::msleep(1000);
    EXPECT_EQ(answer("status video position"), "0");
    EXPECT_EQ(answer("status video mode"), "playing");
}

TEST_F(MpvMciDeviceTest, AClipMeasuredTooSlowlyIsRefusedNotCutShort) {
    // Long groups of pictures and no index: measuring takes exact seeks that decode many frames.
    ASSERT_TRUE(clips_.make("slow.mpg", "-f lavfi -i testsrc=size=320x240:r=25:d=40 -an "
                                        "-c:v mpeg1video -g 250 -f mpeg"));
    const std::string frames = std::to_string(clips_.countFrames("slow.mpg"));
    // Load time-outs from too short to show a picture to long enough to measure the clip: each
    // open is refused as not loaded in time, or has the whole length.
    int measured = 0;
    for (int timeout = 10; timeout <= 1000; timeout += 30) {
        SCOPED_TRACE(timeout);
        MpvMciDevice device{
            MpvSettings{VideoOutput::None, false, std::chrono::milliseconds(timeout), {}, {}},
            paths_};
        const auto opened = device.send("open " + clips_.path("slow.mpg") + " alias v");
        ASSERT_TRUE(opened.has_value());
        if (opened->code != 0) {
            EXPECT_EQ(opened->code, 277);
            continue;
        }
        ++measured;
        ASSERT_EQ(device.send("set v time format frames")->code, 0);
        EXPECT_EQ(device.send("status v length")->answer, frames);
    }
    EXPECT_GT(measured, 0);
}

TEST_F(MpvMciDeviceTest, AbsurdTimestampsAndRatesGiveALengthThatFitsOrAreRefused) {
    // Two frames, the second 10 hours in, and a track that claims a frame every microsecond: the
    // rate no clip plays at is not believed, so the length is what 10 hours at 25 frames hold.
    const std::string twoFrames = "-f lavfi -i color=c=gray:s=64x48:r=25 -frames:v 2 -c:v mjpeg ";
    ASSERT_TRUE(clips_.make("hours.mkv", twoFrames + "-bsf:v setts=ts=N*36000000"));
    std::ifstream in(clips_.path("hours.mkv"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The track's frame duration in nanoseconds, 40000000 made 1000.
    const std::size_t at = bytes.find(std::string("\x23\xe3\x83\x84\x02\x62\x5a\x00", 8));
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, 8, std::string("\x23\xe3\x83\x84\x00\x00\x03\xe8", 8));
    clips_.write("hours.mkv", bytes);
    openFrames("hours.mkv");
    EXPECT_EQ(answer("status video length"), "900001");
    ASSERT_EQ(code("close video"), 0);
    // A second frame 30 days in: 64800001 frames, but more milliseconds than a 32-bit number holds.
    ASSERT_TRUE(clips_.make("month.mkv", twoFrames + "-bsf:v setts=ts=N*2592000000"));
    EXPECT_EQ(code("open " + clips_.path("month.mkv") + " alias video"), 282);
}

} // namespace
} // namespace quorix::device
