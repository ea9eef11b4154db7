#pragma once

#include "device/MpvCore.h"
#include "device/PictureHold.h"
#include "device/PlaybackEngine.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

namespace quorix::device {

// A clip loaded in one libmpv core, paused at its first frame when it is handed over. Times given
// and answered are seconds from the clip's first video frame; mpv's clock starts at the earliest
// stream, so the first frame's time on it is kept.
class MpvClipPlayer final : public ClipPlayer {
public:
    // Gets the core back when the player closes.
    using Release = std::function<void(std::unique_ptr<MpvCore>)>;

    // With a hold, the clip's last picture stays when it closes, and a picture held from the
    // clip before goes once this one's first picture is shown.
    MpvClipPlayer(std::unique_ptr<MpvCore> core, Release release, const ClipInfo& info,
                  double firstFrameTime, std::string title, PictureHold* hold = nullptr);
    ~MpvClipPlayer() override;

    const ClipInfo& info() const override { return info_; }
    void play(double from, double endTime) override;
    void hold() override;
    void seek(double time) override;
    double position() override;
    bool reachedEnd() override;
    bool showIn(std::uint64_t windowHandle) override;
    Rect hostArea() override;
    void setDestination(const Rect& destination) override;
    void setNativeDestination(const Rect& destination) override;

private:
    void place(const Rect& destination);
    void showPlaced();

    std::unique_ptr<MpvCore> core_;
    Release release_;
    ClipInfo info_;
    double firstFrameTime_;
    std::string title_;
    // The time asked for by the last seek, answered until a play moves on from it. The engine
    // hands a clip over paused at its first frame.
    std::optional<double> heldAt_{0.0};
    std::optional<double> seekTarget_;
    // The surface was placed since the picture was last drawn.
    bool placedSinceShown_ = false;
    QPointer<QWidget> host_;
    std::unique_ptr<QWidget> ownWindow_;
    PictureHold* hold_;
};

} // namespace quorix::device
