// The MCI string device: each line of the input is one command string, sent in turn to a video
// device whose playback engine is a stand-in that "loads" any file without reading it, so the
// parser, the alias table and the play/seek/status state meet arbitrary commands without media.
// Every option parser also meets every command's words directly.
#include "FuzzTarget.h"
#include "device/MciCommand.h"
#include "device/MciErrors.h"
#include "device/VideoMciDevice.h"
#include "platform/PathResolver.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory>
#include <string>

namespace quorix::fuzz {
namespace {

using namespace device;

// A clip that plays by the clock of the calls made to it: each position asked while playing moves
// it on by 40 ms, until the end time.
class StandInPlayer final : public ClipPlayer {
public:
    StandInPlayer(const ClipInfo& info, int& alive) : info_(info), alive_(alive) { ++alive_; }
    ~StandInPlayer() override { --alive_; }

    const ClipInfo& info() const override { return info_; }
    void play(double from, double endTime) override {
        position_ = from;
        end_ = endTime;
        playing_ = true;
    }
    void hold() override { playing_ = false; }
    void seek(double time) override {
        position_ = time;
        playing_ = false;
    }
    double position() override {
        if (playing_) {
            position_ = std::min(position_ + 0.04, end_);
            playing_ = position_ < end_;
        }
        return position_;
    }
    bool reachedEnd() override { return !playing_ && position_ >= end_; }
    bool showIn(std::uint64_t windowHandle) override {
        return windowHandle == 0 || windowHandle == 77;
    }
    Rect hostArea() override { return Rect{0, 0, 640, 480}; }
    void setDestination(const Rect&) override {}

private:
    ClipInfo info_;
    int& alive_;
    double position_ = 0;
    double end_ = 0;
    bool playing_ = false;
};

// Hands out clips of a few shapes in turn, as the real engine could describe them: it never gives
// a frame rate under 1 or fewer than one frame.
class StandInEngine final : public PlaybackEngine {
public:
    Loaded load(const std::string&) override {
        static const std::array<ClipInfo, 4> shapes{{
            {FrameClock(25.0, 50), 320, 240},
            {FrameClock(1.0, 1), 0, 0},
            {FrameClock(29.97, 107892), 1920, 1080},
            {FrameClock(1.0, 10'000'000), 16, 16},
        }};
        const ClipInfo& info = shapes[loads_++ % shapes.size()];
        return {std::make_unique<StandInPlayer>(info, alive), error::None};
    }

    int alive = 0; // players not yet given back

private:
    std::size_t loads_ = 0;
};

bool IsDecimal(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Runs every option parser over the words of one command; none may fail in a way other than with
// an MCI code.
void ParseEveryWay(std::string_view command) {
    const auto line = splitCommand(command);
    if (!line.ok()) {
        return;
    }
    const std::span<const MciWord> words = line.value().options;
    (void)parseOpenOptions(words);
    (void)parsePlainOptions(words);
    (void)parsePlayOptions(words);
    (void)parseSeekOptions(words);
    (void)parseSetOptions(words);
    (void)parseStatusOptions(words);
    (void)parseWindowOptions(words);
    (void)parsePutOptions(words);
    (void)parseWhereOptions(words);
    for (const MciWord& word : words) {
        (void)parseInteger(word.text);
    }
}

std::string CheckReply(std::string_view command, const std::optional<platform::MciReply>& reply) {
    const std::string where = "command \"" + std::string(command) + "\": ";
    if (!reply) {
        return where + "the device did not answer";
    }
    if (reply->code != error::None) {
        if (errorName(reply->code).empty()) {
            return where + "unknown return code " + std::to_string(reply->code);
        }
        if (!reply->answer.empty()) {
            return where + "error " + std::to_string(reply->code) + " came with an answer";
        }
        return {};
    }
    const std::string& answer = reply->answer;
    // Answers are short plain text: no padding, no control characters.
    if (answer.size() > 255) {
        return where + "answer longer than a caller's buffer";
    }
    if (!answer.empty() && (answer.front() == ' ' || answer.back() == ' ')) {
        return where + "answer \"" + answer + "\" is padded";
    }
    if (std::any_of(answer.begin(), answer.end(), [](char c) { return c < 0x20 || c > 0x7E; })) {
        return where + "answer holds a control or non-ASCII character";
    }
    const auto line = splitCommand(command);
    if (line.ok() && line.value().verb == MciVerb::Open && !IsDecimal(answer)) {
        return where + "open answered \"" + answer + "\", not a device ID";
    }
    return {};
}

} // namespace

std::string FuzzMciDevice(std::string_view bytes) {
    StandInEngine engine;
    // Every drive letter is the sample disc, so "open d:\quorix\welcome.mpg" finds a file.
    const platform::PathResolver paths(
        [](const std::string&) -> std::optional<std::string> { return QUORIX_FUZZ_DISC; });
    {
        VideoMciDevice device(engine, paths);
        std::size_t begin = 0;
        for (int sent = 0; begin <= bytes.size() && sent < 64; ++sent) {
            const std::size_t end = std::min(bytes.find('\n', begin), bytes.size());
            const std::string_view command = bytes.substr(begin, end - begin);
            begin = end + 1;
            ParseEveryWay(command);
            if (std::string problem = CheckReply(command, device.send(command)); !problem.empty()) {
                return problem;
            }
            (void)device.anyPlaying();
        }
    }
    if (engine.alive != 0) {
        return std::to_string(engine.alive) + " players outlived the device";
    }
    return {};
}

} // namespace quorix::fuzz
