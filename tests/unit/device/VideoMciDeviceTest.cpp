#include "device/VideoMciDevice.h"

#include "../platform/TempDir.h"

#include <gtest/gtest.h>
#include <set>

namespace quorix::device {
namespace {

// Pretends to play a clip of 50 frames at 25 a second, and keeps what its players were told.
class FakeEngine final : public PlaybackEngine {
public:
    Loaded load(const std::string& hostPath) override {
        loaded.push_back(hostPath);
        return loadCode != 0 ? Loaded{nullptr, loadCode} : Loaded{std::make_unique<Player>(*this)};
    }

    ClipInfo info{FrameClock(25.0, 50), 320, 240};
    double position = 0;
    bool reachedEnd = false;
    double playFrom = -1;
    double playEnd = -1;
    bool playing = false;
    std::int32_t loadCode = 0;
    std::set<std::uint64_t> windows{0, 77, 88};
    std::uint64_t shownIn = 99;
    Rect destination;
    int players = 0;
    std::vector<std::string> loaded;

private:
    class Player final : public ClipPlayer {
    public:
        explicit Player(FakeEngine& e) : e_(e) { ++e_.players; }
        ~Player() override { --e_.players; }
        const ClipInfo& info() const override { return e_.info; }
        void play(double from, double endTime) override {
            e_.playFrom = from;
            e_.playEnd = endTime;
            e_.playing = true;
        }
        void hold() override { e_.playing = false; }
        void seek(double time) override {
            e_.position = time;
            e_.playing = e_.reachedEnd = false;
        }
        double position() override { return e_.position; }
        bool reachedEnd() override { return e_.reachedEnd; }
        bool showIn(std::uint64_t handle) override {
            const bool known = e_.windows.count(handle) != 0;
            e_.shownIn = known ? handle : e_.shownIn;
            return known;
        }
        Rect hostArea() override { return {0, 0, 640, 480}; }
        void setDestination(const Rect& area) override { e_.destination = area; }

    private:
        FakeEngine& e_;
    };
};

class VideoMciDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"CLIP01.MPG", "clip02.mpg", "notes.txt", "clip03.dat"}) {
            folder_.write(name, "x");
        }
        std::filesystem::create_directory(folder_.path() / "folder.mpg");
    }

    std::string path(const char* name) const { return (folder_.path() / name).string(); }
    platform::MciReply send(const std::string& command) {
        auto reply = device_.send(command);
        EXPECT_TRUE(reply.has_value()) << command;
        return reply.value_or(platform::MciReply{-1, {}});
    }
    // Each command with the code it must give.
    void expectCodes(std::initializer_list<std::pair<std::string, std::int32_t>> commands) {
        for (const auto& [command, expected] : commands) {
            EXPECT_EQ(send(command).code, expected) << command;
        }
    }
    // Each command must succeed with the answer given.
    void expectAnswers(std::initializer_list<std::pair<std::string, std::string>> commands) {
        for (const auto& [command, expected] : commands) {
            const platform::MciReply reply = send(command);
            EXPECT_EQ(reply.code, 0) << command;
            EXPECT_EQ(reply.answer, expected) << command;
        }
    }
    void openVideo() {
        expectAnswers({{"open " + path("clip02.mpg") + " alias video", "1"},
                       {"set video time format frames", ""}});
    }

    platform::testing_support::TempDir folder_;
    FakeEngine engine_;
    platform::PathResolver paths_{[](const std::string&) { return std::optional<std::string>(); }};
    VideoMciDevice device_{engine_, paths_};
};

TEST_F(VideoMciDeviceTest, OpenAnswersLowestFreeIdAndAliasesIgnoreCase) {
    expectAnswers({{"OPEN " + path("clip01.mpg") + " ALIAS Video", "1"},
                   {"open " + path("clip03.dat") + " alias second", "2"}});
    EXPECT_EQ(engine_.loaded.front(), path("CLIP01.MPG")); // name case resolved
    EXPECT_EQ(engine_.players, 2);
    expectAnswers({{"status VIDEO mode", "stopped"}, {"close video", ""}});
    expectCodes({{"status video mode", 263}});
    expectAnswers({{"open " + path("clip02.mpg") + " alias third", "1"}, {"close all", ""}});
    EXPECT_EQ(engine_.players, 0);
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
    expectAnswers({{"open " + clip, "2"}});
    expectCodes({{"open " + clip, 265}});
    expectAnswers({{"status " + clip + " ready", "true"}});
    EXPECT_EQ(engine_.loaded.size(), 2U);

    // A type overrides the extension; the engine's own refusals pass through.
    expectAnswers({{"open " + path("notes.txt") + " type MPEGVideo alias typed", "3"}});
    engine_.loadCode = 296;
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
                 {"close video wait wait", 295},
                 {"put video destination at 0 0 8 -1", 270}});
    // The first and the last frame are inside the clip; a picture may be shrunk to nothing.
    expectAnswers({{"play video to 50", ""},
                   {"play video from 0", ""},
                   {"seek video to 50", ""},
                   {"seek video to 0", ""},
                   {"put video destination at 0 0 0 0", ""},
                   {"status video mode", "stopped"}});
}

TEST_F(VideoMciDeviceTest, StatusInBothTimeFormatsThroughPlayPauseSeekAndTheEnd) {
    expectAnswers({{"open " + path("clip02.mpg") + " alias video", "1"},
                   {"status video time format", "milliseconds"},
                   {"status video length", "2000"},
                   {"status video start position", "0"},
                   {"status video ready", "true"},
                   {"set video time format frames", ""},
                   {"status video time format", "frames"},
                   {"status video length", "50"}});
    engine_.position = 0.48;
    expectAnswers({{"status video position", "12"},
                   {"set video time format ms", ""},
                   {"status video position", "480"},
                   {"set video time format frames", ""}});
    engine_.position = 0;
    expectAnswers({{"play video", ""}});
    EXPECT_TRUE(engine_.playing);
    EXPECT_DOUBLE_EQ(engine_.playEnd, 2.0);
    expectAnswers({{"status video mode", "playing"}, {"play video", ""}});
    engine_.position = 0.4;
    expectAnswers({{"pause video", ""}});
    EXPECT_FALSE(engine_.playing);
    expectAnswers({{"status video mode", "paused"},
                   {"status video position", "10"},
                   {"resume video", ""},
                   {"status video mode", "playing"},
                   {"seek video to 30", ""},
                   {"status video mode", "stopped"},
                   {"status video position", "30"},
                   {"resume video", ""},
                   {"status video mode", "stopped"},
                   {"play video", ""}});
    engine_.position = 1.96; // the engine shows the last frame at the end
    engine_.reachedEnd = true;
    expectAnswers({{"status video mode", "stopped"},
                   {"status video position", "50"},
                   {"seek video to start", ""},
                   {"status video position", "0"},
                   {"play video", ""},
                   {"status video mode", "playing"},
                   {"stop video", ""},
                   {"status video mode", "stopped"},
                   {"seek video to end", ""},
                   {"status video position", "50"},
                   {"play video", ""},
                   {"status video mode", "stopped"},
                   {"play video from 10 to 20", ""}});
    EXPECT_DOUBLE_EQ(engine_.playEnd, 0.8);
    expectAnswers({{"status video mode", "playing"}});
    engine_.reachedEnd = true;
    expectAnswers({{"status video position", "20"}, {"status video mode", "stopped"}});
    // From a stop at a "to" point a plain play goes on to the end of the clip.
    engine_.reachedEnd = false;
    expectAnswers({{"play video", ""}, {"status video mode", "playing"}});
    EXPECT_DOUBLE_EQ(engine_.playFrom, 0.8);
    EXPECT_DOUBLE_EQ(engine_.playEnd, 2.0);
}

TEST_F(VideoMciDeviceTest, WindowPutAndWhere) {
    openVideo();
    // Playing without a window chosen shows the picture in the player's own window.
    EXPECT_EQ(engine_.shownIn, 99U);
    expectAnswers({{"play video", ""}});
    EXPECT_EQ(engine_.shownIn, 0U);
    expectAnswers(
        {{"where video destination", "0 0 320 240"}, {"where video source", "0 0 320 240"}});
    expectCodes({{"window video handle 12345", 346}});
    expectAnswers({{"window video handle 77", ""},
                   {"put video destination at -40 -30 1104 828", ""},
                   {"where video destination", "-40 -30 1104 828"}});
    EXPECT_EQ(engine_.shownIn, 77U);
    EXPECT_EQ(engine_.destination, (Rect{-40, -30, 1104, 828}));
    // The same window again keeps the rectangle; another one resets it to the native size.
    expectAnswers({{"window video handle 77", ""},
                   {"where video destination", "-40 -30 1104 828"},
                   {"window video handle 88", ""},
                   {"where video destination", "0 0 320 240"},
                   {"put video destination", ""},
                   {"where video destination", "0 0 640 480"},
                   {"window video handle default", ""}});
    EXPECT_EQ(engine_.shownIn, 0U);
}

} // namespace
} // namespace quorix::device
