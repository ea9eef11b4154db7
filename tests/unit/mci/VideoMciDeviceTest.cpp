#include "platform/mci/VideoMciDevice.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace quorix::platform::mci {
namespace {

// What the fake engine's players share with the test: the clip they pretend to play and what
// they were told.
struct Stage {
    ClipInfo info{25.0, 50, 320, 240};
    double position = 0;
    bool reachedEnd = false;
    double playFrom = -1;
    double playEnd = -1;
    bool playing = false;
    std::int32_t loadCode = 0;
    std::set<std::uint64_t> windows{0, 77, 88};
    std::uint64_t shownIn = 99;
    Rect hostArea{0, 0, 640, 480};
    Rect destination;
    int players = 0;
};

class FakePlayer final : public ClipPlayer {
public:
    explicit FakePlayer(Stage& stage) : stage_(stage) { ++stage_.players; }
    ~FakePlayer() override { --stage_.players; }
    const ClipInfo& info() const override { return stage_.info; }
    void play(double from, double endTime) override {
        stage_.playFrom = from;
        stage_.playEnd = endTime;
        stage_.playing = true;
    }
    void hold() override { stage_.playing = false; }
    void seek(double time) override {
        stage_.position = time;
        stage_.playing = false;
        stage_.reachedEnd = false;
    }
    double position() override { return stage_.position; }
    bool reachedEnd() override { return stage_.reachedEnd; }
    bool showIn(std::uint64_t handle) override {
        if (stage_.windows.count(handle) == 0) {
            return false;
        }
        stage_.shownIn = handle;
        return true;
    }
    Rect hostArea() override { return stage_.hostArea; }
    void setDestination(const Rect& destination) override { stage_.destination = destination; }

private:
    Stage& stage_;
};

class FakeEngine final : public PlaybackEngine {
public:
    explicit FakeEngine(Stage& stage) : stage_(stage) {}
    Loaded load(const std::string& hostPath) override {
        loaded.push_back(hostPath);
        if (stage_.loadCode != 0) {
            return {nullptr, stage_.loadCode};
        }
        return {std::make_unique<FakePlayer>(stage_), 0};
    }
    std::vector<std::string> loaded;

private:
    Stage& stage_;
};

class VideoMciDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quorix-mci-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        for (const char* name : {"CLIP01.MPG", "clip02.mpg", "notes.txt", "clip03.dat"}) {
            std::ofstream(folder_ / name) << "x";
        }
        std::filesystem::create_directory(folder_ / "folder.mpg");
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string path(const char* name) const { return (folder_ / name).string(); }
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
    void expectCodes(std::initializer_list<std::pair<std::string, std::int32_t>> commands) {
        for (const auto& [command, expected] : commands) {
            EXPECT_EQ(code(command), expected) << command;
        }
    }
    void openVideo() {
        ASSERT_EQ(answer("open " + path("clip02.mpg") + " alias video"), "1");
        ASSERT_EQ(code("set video time format frames"), 0);
    }

    std::filesystem::path folder_;
    Stage stage_;
    FakeEngine engine_{stage_};
    PathResolver paths_{[](const std::string&) { return std::optional<std::string>(); }};
    VideoMciDevice device_{engine_, paths_};
};

TEST_F(VideoMciDeviceTest, OpenAnswersLowestFreeIdAndAliasesIgnoreCase) {
    EXPECT_EQ(answer("OPEN " + path("clip01.mpg") + " ALIAS Video"), "1");
    EXPECT_EQ(engine_.loaded, std::vector<std::string>{path("CLIP01.MPG")}); // name case resolved
    EXPECT_EQ(answer("open " + path("clip03.dat") + " alias second"), "2");
    EXPECT_EQ(stage_.players, 2);
    EXPECT_EQ(answer("status VIDEO mode"), "stopped");
    EXPECT_EQ(answer("close video"), "");
    EXPECT_EQ(code("status video mode"), 263);
    EXPECT_EQ(answer("open " + path("clip02.mpg") + " alias third"), "1");
    EXPECT_EQ(answer("close all"), "");
    EXPECT_EQ(stage_.players, 0);
    expectCodes({{"close all", 0}, {"close second", 263}});
}

TEST_F(VideoMciDeviceTest, OpenRefusalsComeInTheirOrder) {
    openVideo();
    const std::string clip = path("clip02.mpg");
    // The device is chosen by extension first; the alias is checked before the file.
    expectCodes({
        {"open " + path("missing.mpg") + " alias video", 289},
        {"open " + path("notes.txt") + " alias VIDEO", 263},
        {"open " + clip + " alias", 269},
        {"open " + path("notes.txt") + " alias other", 263},
        {"open " + path("noextension") + " alias other", 263},
        {"open " + path("missing.mpg") + " alias other", 275},
        {"open " + path("folder.mpg") + " alias other", 296},
        // A name cut short at a NUL would be another file than the one judged by its extension.
        {"open " + clip + std::string("\0.mpg alias other", 17), 275},
        {"open " + clip + " alias all", 279},
        {"open " + clip + " type waveaudio alias other", 263},
        // A blank in an unquoted path cuts the element short: refused for its extension, or for
        // the words left over when the cut happens to end in one.
        {"open " + path("my clips/clip.mpg") + " alias other", 263},
        {"open " + path("my.mpg clips/clip.mpg") + " alias other", 259},
    });
    // Without an alias the element names the device; opening it twice is a different fault.
    EXPECT_EQ(answer("open " + clip), "2");
    EXPECT_EQ(code("open " + clip), 265);
    EXPECT_EQ(answer("status " + clip + " ready"), "true");
    EXPECT_EQ(engine_.loaded.size(), 2U);

    // A type overrides the extension; the engine's own refusals pass through.
    EXPECT_EQ(answer("open " + path("notes.txt") + " type MPEGVideo alias typed"), "3");
    stage_.loadCode = 296;
    expectCodes({{"open " + clip + " alias bad", 296}, {"status bad mode", 263}});
}

TEST_F(VideoMciDeviceTest, CommandsToDevicesThatAreNotOpenOrMalformed) {
    expectCodes({{"play video", 263}, {"play video from x", 263}});
    openVideo();
    expectCodes({{"play all", 279},
                 {"step video", 274},
                 {"seek video to 51", 282},
                 {"seek video to -1", 282},
                 {"play video from 10 to 5", 282},
                 {"play video to 60", 282},
                 {"play video wait", 274},
                 {"pause video now", 259},
                 {"close video wait wait", 295}});
    EXPECT_EQ(answer("status video mode"), "stopped");
}

TEST_F(VideoMciDeviceTest, StatusItemsInBothTimeFormats) {
    ASSERT_EQ(answer("open " + path("clip02.mpg") + " alias video"), "1");
    EXPECT_EQ(answer("status video time format"), "milliseconds");
    EXPECT_EQ(answer("status video length"), "2000");
    EXPECT_EQ(answer("status video start position"), "0");
    EXPECT_EQ(answer("status video ready"), "true");
    ASSERT_EQ(code("set video time format frames"), 0);
    EXPECT_EQ(answer("status video time format"), "frames");
    EXPECT_EQ(answer("status video length"), "50");
    stage_.position = 0.48;
    EXPECT_EQ(answer("status video position"), "12");
    ASSERT_EQ(code("set video time format ms"), 0);
    EXPECT_EQ(answer("status video position"), "480");
}

TEST_F(VideoMciDeviceTest, ModesAndPositionsThroughPlayPauseSeekAndTheEnd) {
    openVideo();
    EXPECT_EQ(answer("status video position"), "0");
    EXPECT_EQ(answer("play video"), "");
    EXPECT_TRUE(stage_.playing);
    EXPECT_DOUBLE_EQ(stage_.playEnd, 2.0);
    EXPECT_EQ(answer("status video mode"), "playing");
    EXPECT_EQ(answer("play video"), "");
    stage_.position = 0.4;
    EXPECT_EQ(answer("pause video"), "");
    EXPECT_FALSE(stage_.playing);
    EXPECT_EQ(answer("status video mode"), "paused");
    EXPECT_EQ(answer("status video position"), "10");
    EXPECT_EQ(answer("resume video"), "");
    EXPECT_EQ(answer("status video mode"), "playing");

    EXPECT_EQ(answer("seek video to 30"), "");
    EXPECT_EQ(answer("status video mode"), "stopped");
    EXPECT_EQ(answer("status video position"), "30");
    EXPECT_EQ(code("resume video"), 0);
    EXPECT_EQ(answer("status video mode"), "stopped");

    EXPECT_EQ(answer("play video"), "");
    stage_.position = 1.96; // the engine shows the last frame at the end
    stage_.reachedEnd = true;
    EXPECT_EQ(answer("status video mode"), "stopped");
    EXPECT_EQ(answer("status video position"), "50");
    // Nothing is left to play at the end.
    stage_.playing = false;
    EXPECT_EQ(answer("play video"), "");
    EXPECT_FALSE(stage_.playing);
    EXPECT_EQ(answer("status video mode"), "stopped");
    EXPECT_EQ(answer("seek video to start"), "");
    EXPECT_EQ(answer("status video position"), "0");
    EXPECT_EQ(answer("play video"), "");
    EXPECT_EQ(answer("status video mode"), "playing");
    EXPECT_EQ(answer("stop video"), "");
    EXPECT_EQ(answer("status video mode"), "stopped");
}

TEST_F(VideoMciDeviceTest, SeekToEndAndPlayFromTo) {
    openVideo();
    EXPECT_EQ(answer("seek video to end"), "");
    EXPECT_EQ(answer("status video position"), "50");
    EXPECT_EQ(answer("play video"), "");
    EXPECT_EQ(answer("status video mode"), "stopped");
    EXPECT_EQ(answer("play video from 10 to 20"), "");
    EXPECT_DOUBLE_EQ(stage_.playEnd, 0.8);
    EXPECT_EQ(answer("status video mode"), "playing");
    stage_.reachedEnd = true;
    EXPECT_EQ(answer("status video position"), "20");
    EXPECT_EQ(answer("status video mode"), "stopped");
    // From a stop at a "to" point a plain play goes on to the end of the clip.
    stage_.reachedEnd = false;
    EXPECT_EQ(answer("play video"), "");
    EXPECT_EQ(answer("status video mode"), "playing");
    EXPECT_DOUBLE_EQ(stage_.playFrom, 0.8);
    EXPECT_DOUBLE_EQ(stage_.playEnd, 2.0);
}

TEST_F(VideoMciDeviceTest, WindowPutAndWhere) {
    openVideo();
    EXPECT_EQ(answer("where video destination"), "0 0 320 240");
    EXPECT_EQ(answer("where video source"), "0 0 320 240");
    EXPECT_EQ(code("window video handle 12345"), 346);
    EXPECT_EQ(answer("window video handle 77"), "");
    EXPECT_EQ(stage_.shownIn, 77U);
    EXPECT_EQ(answer("put video destination at -40 -30 1104 828"), "");
    EXPECT_EQ(stage_.destination, (Rect{-40, -30, 1104, 828}));
    EXPECT_EQ(answer("where video destination"), "-40 -30 1104 828");
    // The same window again keeps the rectangle; another one resets it to the native size.
    EXPECT_EQ(answer("window video handle 77"), "");
    EXPECT_EQ(answer("where video destination"), "-40 -30 1104 828");
    EXPECT_EQ(answer("window video handle 88"), "");
    EXPECT_EQ(answer("where video destination"), "0 0 320 240");
    EXPECT_EQ(answer("put video destination"), "");
    EXPECT_EQ(answer("where video destination"), "0 0 640 480");
    EXPECT_EQ(answer("window video handle default"), "");
    EXPECT_EQ(stage_.shownIn, 0U);
}

TEST_F(VideoMciDeviceTest, PlayWithoutAWindowUsesTheOwnWindow) {
    openVideo();
    EXPECT_EQ(stage_.shownIn, 99U);
    EXPECT_EQ(answer("play video"), "");
    EXPECT_EQ(stage_.shownIn, 0U);
}

} // namespace
} // namespace quorix::platform::mci
