#include "platform/mci/MpvEngine.h"

#include "platform/mci/MciErrors.h"
#include "platform/mci/MpvClipPlayer.h"

#include <cmath>
#include <filesystem>

namespace quorix::platform::mci {

MpvEngine::MpvEngine(MpvSettings settings) : settings_(settings) {}

MpvEngine::~MpvEngine() = default;

PlaybackEngine::Loaded MpvEngine::load(const std::string& hostPath) {
    std::unique_ptr<MpvCore> core = takeCore();
    if (core == nullptr) {
        return {nullptr, error::Internal};
    }
    const auto deadline = std::chrono::steady_clock::now() + settings_.loadTimeout;
    core->load(hostPath);
    if (!core->waitUntilShown(deadline)) {
        const bool timedOut = std::chrono::steady_clock::now() >= deadline;
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
        core->unload();
        giveBack(std::move(core));
        return {nullptr, error::InvalidFile};
    }
    info.width = static_cast<std::int32_t>(*width);
    info.height = static_cast<std::int32_t>(*height);
    // Streams without a frame rate of their own are counted at the common PAL rate.
    info.framesPerSecond = core->doubleProperty("container-fps").value_or(25.0);
    if (info.framesPerSecond < 1.0) {
        info.framesPerSecond = 25.0;
    }

    // The frame count is what an exact decode gives. mpv's duration also covers sound that
    // outlasts the picture, so the last frame is found by an exact seek to the end, which shows
    // it; with the sound still off the playback time is that frame's own. Where the duration is
    // only an estimate (streams without an index), seeks a little further find any frames past it.
    const auto shownAfterSeek = [&](double target) -> std::optional<double> {
        core->seek(target);
        if (!core->waitForSeek(deadline)) {
            return std::nullopt;
        }
        core->drain();
        return core->doubleProperty("time-pos");
    };
    const double frameTime = 1.0 / info.framesPerSecond;
    double last = shownAfterSeek(*duration).value_or(*duration);
    for (int step = 0; step < 100; ++step) {
        // Half a frame on: a next frame shows with its own time, a full frame on, while
        // nothing to show leaves mpv at the target itself.
        const auto further = shownAfterSeek(last + frameTime / 2);
        if (!further || *further < last + frameTime * 0.75) {
            break;
        }
        last = *further;
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
    const double frames = last >= *first ? std::round((last - *first) * info.framesPerSecond) + 1
                                         : std::round((*duration - *first) * info.framesPerSecond);
    info.frameCount = static_cast<std::int32_t>(std::max(frames, 1.0));

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

} // namespace quorix::platform::mci
