#include "device/MpvEngine.h"

#include "device/LastFrameSearch.h"
#include "device/MciErrors.h"
#include "device/MpvClipPlayer.h"
#include "platform/Logging.h"

#include <cmath>
#include <filesystem>
#include <limits>

namespace quorix::device {
namespace {

// Faster than any camera records a clip to be played at its own speed.
constexpr double MostFramesPerSecond = 1000.0;
// How long an open waits for a small clip to be read to its end before measuring it: enough for a
// hard disc or a fast medium on a busy machine, little on a slow one.
constexpr std::chrono::milliseconds CacheWait{300};

} // namespace

MpvEngine::MpvEngine(MpvSettings settings) : settings_(settings) {}

MpvEngine::~MpvEngine() = default;

PlaybackEngine::Loaded MpvEngine::load(const std::string& hostPath) {
    std::unique_ptr<MpvCore> core = takeCore();
    if (core == nullptr) {
        qCInfo(platform::lcDevice) << "no player for" << hostPath.c_str()
                                   << "(libmpv could not be set up): internal error";
        return {nullptr, error::Internal};
    }
    const auto deadline = std::chrono::steady_clock::now() + settings_.loadTimeout;
    core->load(hostPath);
    if (!core->waitUntilShown(deadline)) {
        const bool timedOut = std::chrono::steady_clock::now() >= deadline;
        qCInfo(platform::lcDevice) << hostPath.c_str()
                                   << (timedOut ? "showed no picture in time: internal error"
                                                : "failed to load: invalid file");
        core->unload();
        giveBack(std::move(core));
        return {nullptr, timedOut ? error::Internal : error::InvalidFile};
    }

    // A clip is playable video when a picture was decoded from it.
    ClipInfo info;
    const auto width = core->intProperty("video-params/w");
    const auto height = core->intProperty("video-params/h");
    const auto first = core->doubleProperty("time-pos");
    const auto duration = core->doubleProperty("duration");
    if (!width || !height || !first || !duration) {
        qCInfo(platform::lcDevice) << hostPath.c_str() << "gave no"
                                   << (!width || !height ? "picture size"
                                       : !first          ? "start time"
                                                         : "duration")
                                   << ": invalid file";
        core->unload();
        giveBack(std::move(core));
        return {nullptr, error::InvalidFile};
    }
    core->deinterlaceIfFlagged();
    info.width = static_cast<std::int32_t>(*width);
    info.height = static_cast<std::int32_t>(*height);
    // Streams without a frame rate of their own are counted at the common PAL rate, and so are
    // those that claim a rate no camera or editor gives a clip to play at: counted at it, a few
    // frames stamped hours apart would be billions long.
    info.framesPerSecond = core->doubleProperty("container-fps").value_or(25.0);
    if (info.framesPerSecond < 1.0 || info.framesPerSecond > MostFramesPerSecond) {
        info.framesPerSecond = 25.0;
    }

    // The frame count is what an exact decode gives. mpv's duration also covers sound that
    // outlasts the picture and is only an estimate for streams without an index, so the last
    // frame is found by exact seeks, with the sound still off so that the playback time is the
    // picture's own. A seek shows the first frame at or after its target; past the last frame
    // mpv stays at the target.
    const double frameTime = 1.0 / info.framesPerSecond;
    // A short wait at most: on a slow disc the clip is measured with what has been read.
    core->waitUntilCached(std::min(deadline, std::chrono::steady_clock::now() + CacheWait));
    const auto frameAfter = [&](double target) -> std::optional<double> {
        core->seek(target);
        if (!core->waitForSeek(deadline)) {
            return std::nullopt;
        }
        core->drain();
        const auto shown = core->doubleProperty("time-pos");
        if (!shown || *shown < target + frameTime / 4) {
            return std::nullopt;
        }
        return shown;
    };
    const std::int64_t frames = FindLastFrame(frameAfter, *first, frameTime, *duration) + 1;
    // Lengths and positions are answered as 32-bit numbers, in frames or in milliseconds, and
    // the presenter adds the start to the length: a clip longer than they hold cannot be counted.
    constexpr auto Largest = static_cast<double>(std::numeric_limits<std::int32_t>::max());
    if (static_cast<double>(frames) > Largest ||
        static_cast<double>(frames) * frameTime * 1000.0 > Largest) {
        core->unload();
        giveBack(std::move(core));
        return {nullptr, error::OutOfRange};
    }
    info.frameCount = static_cast<std::int32_t>(frames);

    // Back to the first frame with the sound on, and wait until it is shown: a window given the
    // picture next shows the clip's start, not the frame the measuring left behind. Turning the
    // sound on opens the audio output too, which would otherwise delay the first frame of play.
    core->enableSound();
    core->seek(*first);
    // A picture late on a loaded machine is not an error: the clip is there and its first frame
    // follows; only the window would see the frame before it a little longer.
    if (core->waitForSeek(deadline)) {
        core->waitUntilDrawn(deadline);
    }

    const std::string title = std::filesystem::path(hostPath).filename().string();
    auto player = std::make_unique<MpvClipPlayer>(
        std::move(core), [this](std::unique_ptr<MpvCore> used) { giveBack(std::move(used)); }, info,
        *first, title);
    return {std::move(player), error::None};
}

void MpvEngine::prepare() {
    if (idle_.empty()) {
        if (std::unique_ptr<MpvCore> core = MpvCore::create(settings_)) {
            idle_.push_back(std::move(core));
        }
    }
}

std::unique_ptr<MpvCore> MpvEngine::takeCore() {
    if (!idle_.empty()) {
        std::unique_ptr<MpvCore> core = std::move(idle_.back());
        idle_.pop_back();
        return core;
    }
    return MpvCore::create(settings_);
}

void MpvEngine::giveBack(std::unique_ptr<MpvCore> core) {
    if (core->intact()) {
        idle_.push_back(std::move(core));
    }
}

} // namespace quorix::device
