#include "device/MpvEngine.h"

#include "device/ContainerFrameTimes.h"
#include "device/LastFrameSearch.h"
#include "device/MciErrors.h"
#include "device/MpvClipPlayer.h"
#include "platform/Logging.h"

#include <cmath>
#include <filesystem>
#include <future>
#include <limits>
#include <optional>
#include <vector>

namespace quorix::device {
namespace {

// Faster than any camera records a clip to be played at its own speed.
constexpr double MostFramesPerSecond = 1000.0;
// How long an open waits for a small clip to be read to its end before measuring it: enough for a
// hard disc or a fast medium on a busy machine, little on a slow one.
constexpr std::chrono::milliseconds CacheWait{300};

// Finds the number of frames by exact seeks, with the sound still off so that the playback time
// is the picture's own: mpv's duration also covers sound that outlasts the picture and is only an
// estimate for streams without an index. A seek shows the first frame at or after its target;
// past the last frame mpv stays at the target. No value when a seek was not shown in time.
std::optional<std::int64_t> CountBySeeking(MpvCore& core, double first, double frameTime,
                                           double duration,
                                           std::chrono::steady_clock::time_point deadline) {
    // A short wait at most: on a slow disc the clip is measured with what has been read.
    core.waitUntilCached(std::min(deadline, std::chrono::steady_clock::now() + CacheWait));
    // A look that ran out of time found nothing, which the search would take for the end.
    bool unanswered = false;
    const auto frameAfter = [&](double target) -> std::optional<double> {
        if (unanswered) {
            return std::nullopt;
        }
        core.seek(target);
        if (!core.waitForSeek(deadline)) {
            unanswered = true;
            return std::nullopt;
        }
        core.drain();
        const auto shown = core.doubleProperty("time-pos");
        if (!shown || *shown < target + frameTime / 4) {
            return std::nullopt;
        }
        return shown;
    };
    const std::int64_t frames = FindLastFrame(frameAfter, first, frameTime, duration) + 1;
    if (unanswered) {
        return std::nullopt;
    }
    return frames;
}

// Whether every frame lies within a quarter frame of the grid of frameTime.
bool OnGrid(const std::vector<double>& times, double frameTime) {
    for (std::size_t k = 0; k < times.size(); ++k) {
        if (std::abs(times[k] - static_cast<double>(k) * frameTime) > frameTime / 4) {
            return false;
        }
    }
    return true;
}

} // namespace

MpvEngine::MpvEngine(MpvSettings settings) : settings_(settings) {}

MpvEngine::~MpvEngine() = default;

PlaybackEngine::Loaded MpvEngine::load(const std::string& hostPath) {
    PictureHold* hold = pictureHold();
    std::unique_ptr<MpvCore> core = takeCore();
    if (core == nullptr) {
        qCInfo(platform::lcDevice) << "no player for" << hostPath.c_str()
                                   << "(libmpv could not be set up): internal error";
        failed(nullptr, hold);
        return {nullptr, error::Internal};
    }
    const auto deadline = std::chrono::steady_clock::now() + settings_.loadTimeout;
    // An MP4's table of frames is read beside libmpv's own reading of the file: a long clip's
    // table takes a while to go through.
    auto listing = std::async(std::launch::async, ReadContainerFrames, hostPath);
    core->load(hostPath);
    if (!core->waitUntilShown(deadline)) {
        const bool timedOut = std::chrono::steady_clock::now() >= deadline;
        qCInfo(platform::lcDevice) << hostPath.c_str()
                                   << (timedOut ? "showed no picture in time: internal error"
                                                : "failed to load: invalid file");
        failed(std::move(core), hold);
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
        failed(std::move(core), hold);
        return {nullptr, error::InvalidFile};
    }
    core->deinterlaceIfFlagged();
    info.width = static_cast<std::int32_t>(*width);
    info.height = static_cast<std::int32_t>(*height);
    // Streams without a frame rate of their own are counted at the common PAL rate, and so are
    // those that claim a rate no camera or editor gives a clip to play at: counted at it, a few
    // frames stamped hours apart would be billions long.
    double framesPerSecond = core->doubleProperty("container-fps").value_or(25.0);
    if (framesPerSecond < 1.0 || framesPerSecond > MostFramesPerSecond) {
        framesPerSecond = 25.0;
    }
    const double frameTime = 1.0 / framesPerSecond;

    // The frame count is what an exact decode gives. An MP4 lists its frames; for other clips
    // the last frame is found by exact seeks.
    std::optional<ContainerFrames> listed = listing.get();
    std::int64_t frames = 0;
    if (listed) {
        frames = static_cast<std::int64_t>(listed->times.size());
    } else if (const auto found = CountBySeeking(*core, *first, frameTime, *duration, deadline)) {
        frames = *found;
    } else {
        // A length made up of the frames seen in time would end the clip early; a slow medium
        // is answered as a load that did not finish in time.
        qCInfo(platform::lcDevice)
            << hostPath.c_str() << "could not be measured in time: internal error";
        failed(std::move(core), hold);
        return {nullptr, error::Internal};
    }
    // Lengths and positions are answered as 32-bit numbers, in frames or in milliseconds, and
    // the presenter adds the start to the length: a clip longer than they hold cannot be counted.
    constexpr auto Largest = static_cast<double>(std::numeric_limits<std::int32_t>::max());
    const double seconds = listed ? listed->end : static_cast<double>(frames) * frameTime;
    if (static_cast<double>(frames) > Largest || seconds * 1000.0 > Largest) {
        failed(std::move(core), hold);
        return {nullptr, error::OutOfRange};
    }
    // Frames on the grid of the clip's rate are counted on it, the others at their own times.
    if (listed && !OnGrid(listed->times, frameTime)) {
        info.frames = FrameClock(std::move(listed->times), listed->end);
    } else {
        info.frames = FrameClock(framesPerSecond, static_cast<std::int32_t>(frames));
    }

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
        *first, title, hold);
    return {std::move(player), error::None};
}

void MpvEngine::failed(std::unique_ptr<MpvCore> core, PictureHold* hold) {
    if (core != nullptr) {
        core->unload();
        giveBack(std::move(core));
    }
    // No picture of the clip follows the one held.
    if (hold != nullptr) {
        hold->release();
    }
}

PictureHold* MpvEngine::pictureHold() {
    if (settings_.output == VideoOutput::None || !settings_.holdLastPicture ||
        !settings_.holdLastPicture()) {
        return nullptr;
    }
    if (hold_ == nullptr) {
        hold_ = std::make_unique<PictureHold>(settings_.output == VideoOutput::Native,
                                              settings_.holdLastPicture);
    }
    return hold_.get();
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
