#include "device/MpvClipPlayer.h"

#include "platform/WindowHandles.h"

#include <QPalette>
#include <cmath>

namespace quorix::device {

MpvClipPlayer::MpvClipPlayer(std::unique_ptr<MpvCore> core, Release release, const ClipInfo& info,
                             double firstFrameTime, std::string title, PictureHold* hold)
    : core_(std::move(core)), release_(std::move(release)), info_(info),
      firstFrameTime_(firstFrameTime), title_(std::move(title)), hold_(hold) {}

MpvClipPlayer::~MpvClipPlayer() {
    if (hold_ != nullptr) {
        hold_->closing(core_->surface());
    }
    // The surface leaves the host (or the own window) before that can go.
    core_->unload();
    ownWindow_.reset();
    release_(std::move(core_));
}

void MpvClipPlayer::play(double from, double endTime) {
    core_->drain();
    // A picture placed but not yet shown shows when it is used.
    showPlaced();
    // After a stop at an end point mpv holds there; playing on needs the picture sought again.
    // A paused picture whose surface was placed or resized is drawn again only when the next
    // frame is due, which leaves the new area black for a frame's time: seeking to it draws it
    // at once, so a clip starts with its first frame.
    if ((core_->seekShown() && core_->atEnd()) || placedSinceShown_) {
        seek(from);
    }
    placedSinceShown_ = false;
    heldAt_.reset();
    const bool toClipEnd = info_.frames.frameAt(endTime) >= info_.frames.count();
    core_->setEnd(toClipEnd ? std::nullopt : std::optional<double>(firstFrameTime_ + endTime));
    core_->setPaused(false);
    if (hold_ != nullptr) {
        // Until the frame played from has been drawn, the surface shows what the clip showed
        // while it was measured, at another size.
        hold_->releaseWhen(
            [core = core_.get()] { return core->seekShown() && core->pictureFitsSurface(); });
    }
    if (ownWindow_ != nullptr && host_ == ownWindow_.get() && !ownWindow_->isVisible()) {
        ownWindow_->show();
    }
}

void MpvClipPlayer::hold() {
    core_->setPaused(true);
}

void MpvClipPlayer::seek(double time) {
    // A picture placed but not yet shown shows when it is used.
    showPlaced();
    core_->setPaused(true);
    heldAt_ = time;
    seekTarget_ = time;
    // The end of the clip shows its last frame.
    const double last = info_.frames.timeOf(info_.frames.count() - 1);
    core_->seek(firstFrameTime_ + std::min(time, last));
}

double MpvClipPlayer::position() {
    core_->drain();
    if (heldAt_) {
        return *heldAt_;
    }
    if (seekTarget_) {
        if (!core_->seekShown()) {
            return *seekTarget_;
        }
        seekTarget_.reset();
    }
    const double time = core_->observedTime();
    return std::isnan(time) ? 0.0 : time - firstFrameTime_;
}

bool MpvClipPlayer::reachedEnd() {
    core_->drain();
    // Until a seek is shown, mpv may still report the end it stood at before.
    if (!core_->seekShown()) {
        return false;
    }
    return core_->atEnd();
}

bool MpvClipPlayer::showIn(std::uint64_t windowHandle) {
    QWidget* host = nullptr;
    if (windowHandle == 0) {
        if (ownWindow_ == nullptr) {
            ownWindow_ = std::make_unique<QWidget>();
            ownWindow_->setWindowTitle(QString::fromStdString(title_));
            QPalette black = ownWindow_->palette();
            black.setColor(QPalette::Window, Qt::black);
            ownWindow_->setPalette(black);
            ownWindow_->setAutoFillBackground(true);
            ownWindow_->resize(std::max(info_.width, 1), std::max(info_.height, 1));
        }
        host = ownWindow_.get();
    } else {
        host = platform::FindWindowByHandle(windowHandle);
        if (host == nullptr) {
            return false;
        }
    }
    host_ = host;
    if (QWidget* surface = core_->surface()) {
        surface->setParent(host);
    }
    return true;
}

Rect MpvClipPlayer::hostArea() {
    const QWidget* host = host_.data();
    if (host == nullptr) {
        return Rect{0, 0, info_.width, info_.height};
    }
    const QSize size = host->size();
    return Rect{0, 0, size.width(), size.height()};
}

void MpvClipPlayer::setDestination(const Rect& destination) {
    place(destination);
    showPlaced();
}

void MpvClipPlayer::setNativeDestination(const Rect& destination) {
    const Rect host = hostArea();
    place(destination);
    // Drawn at a size once, libmpv's X11 images keep that size for the rest of the clip and
    // the clips after it: a phone's full-HD picture shown for a moment at its native size in a
    // smaller window would leave every later frame sent as a part of a larger image, which
    // costs the X server a slower copy, and the images their memory. Hidden, the surface's
    // native window keeps its size until it is shown; the caller's own destination, which
    // usually follows, shows it at the size it keeps.
    if (destination.width <= host.width && destination.height <= host.height) {
        showPlaced();
    }
}

void MpvClipPlayer::place(const Rect& destination) {
    QWidget* surface = core_->surface();
    if (surface == nullptr || host_ == nullptr) {
        return;
    }
    surface->setGeometry(destination.x, destination.y, destination.width, destination.height);
    const double pixels = surface->devicePixelRatioF();
    core_->chooseScaler(info_.width, info_.height,
                        static_cast<int>(std::lround(destination.width * pixels)),
                        static_cast<int>(std::lround(destination.height * pixels)));
    placedSinceShown_ = true;
    if (hold_ != nullptr) {
        hold_->follow(*host_, *surface, [core = core_.get()] { return core->currentPicture(); });
    }
}

void MpvClipPlayer::showPlaced() {
    QWidget* surface = core_->surface();
    if (surface == nullptr || host_ == nullptr) {
        return;
    }
    surface->setVisible(surface->width() > 0 && surface->height() > 0);
}

} // namespace quorix::device
