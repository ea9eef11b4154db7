#include "device/PictureHold.h"

#include <QEvent>
#include <QPainter>
#include <utility>

namespace quorix::device {
namespace {

// How often the next clip's picture is looked for.
constexpr std::chrono::milliseconds PollEvery{5};
// A next picture that takes longer than this is not waited for: the clip would play on unseen.
constexpr std::chrono::milliseconds LongestWait{2000};

// The held picture where the closed clip's window was, with black where the clip did not reach.
class HeldPictureCover final : public QWidget {
public:
    HeldPictureCover(QWidget* parent, bool native) : QWidget(parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        if (native) {
            setAttribute(Qt::WA_NativeWindow);
        }
    }

    void setPicture(const QRect& place, const QImage& picture) {
        place_ = place;
        picture_ = picture;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        painter.drawImage(place_, picture_);
    }

private:
    QRect place_;
    QImage picture_;
};

} // namespace

PictureHold::PictureHold(bool nativeCover, std::function<bool()> nextClip)
    : nativeCover_(nativeCover), nextClip_(std::move(nextClip)) {
    poll_.setInterval(PollEvery);
    connect(&poll_, &QTimer::timeout, this, [this] { poll(); });
    // Asked once the presenter has done what follows the close: the menu, say, is then laid out
    // whole under the cover, and nothing of it shows beside the held picture.
    afterClose_.setSingleShot(true);
    afterClose_.setInterval(0);
    connect(&afterClose_, &QTimer::timeout, this, [this] {
        if (!nextClip_ || !nextClip_()) {
            release();
        }
    });
}

PictureHold::~PictureHold() {
    release();
    stopFollowing();
    delete cover_.data();
}

void PictureHold::follow(QWidget& host, QWidget& surface, std::function<QImage()> picture) {
    stopFollowing();
    followedHost_ = &host;
    followedSurface_ = &surface;
    picture_ = std::move(picture);
    followedHeld_ = false;
    host.installEventFilter(this);
}

void PictureHold::closing(const QWidget* surface) {
    if (surface == nullptr || surface != followedSurface_) {
        return;
    }
    if (!followedHeld_) {
        holdFollowed();
    }
    stopFollowing();
    if (holding()) {
        afterClose_.start();
    }
}

void PictureHold::stopFollowing() {
    if (followedHost_ != nullptr) {
        followedHost_->removeEventFilter(this);
    }
    followedHost_ = nullptr;
    followedSurface_ = nullptr;
    picture_ = nullptr;
}

void PictureHold::holdFollowed() {
    QWidget* host = followedHost_.data();
    QWidget* surface = followedSurface_.data();
    if (host == nullptr || surface == nullptr || surface->parentWidget() != host ||
        surface->isHidden() || !picture_) {
        return;
    }
    hold(*host, surface->geometry(), picture_());
    followedHeld_ = true;
}

void PictureHold::hold(QWidget& host, const QRect& destination, const QImage& picture) {
    QWidget* parent = host.parentWidget();
    if (picture.isNull() || parent == nullptr) {
        return;
    }
    if (cover_ != nullptr && cover_->parentWidget() != parent) {
        delete cover_.data();
    }
    if (cover_ == nullptr) {
        cover_ = new HeldPictureCover(parent, nativeCover_);
    }
    auto* cover = static_cast<HeldPictureCover*>(cover_.data());
    cover->setPicture(destination, picture);
    cover->setGeometry(host.geometry());
    cover->raise();
    cover->show();
    // Painted now: the host may be hidden before the event loop would paint it.
    cover->repaint();
    shown_ = nullptr;
    poll_.stop();
}

void PictureHold::releaseWhen(std::function<bool()> shown) {
    if (!holding()) {
        return;
    }
    afterClose_.stop();
    shown_ = std::move(shown);
    giveUp_ = std::chrono::steady_clock::now() + LongestWait;
    poll_.start();
}

void PictureHold::release() {
    takeAway(true);
}

void PictureHold::takeAway(bool blankFirst) {
    poll_.stop();
    afterClose_.stop();
    shown_ = nullptr;
    if (cover_ == nullptr || cover_->isHidden()) {
        return;
    }
    if (blankFirst) {
        // Whatever the screen shows of the cover while the window below is painted again is
        // then black, never the held picture beside part of what replaces it.
        static_cast<HeldPictureCover*>(cover_.data())->setPicture({}, {});
        cover_->repaint();
    }
    cover_->hide();
    // What the cover lay over is painted at once: left to the window system's request, the
    // screen would go on showing the held picture there, beside whatever is painted meanwhile.
    if (QWidget* parent = cover_->parentWidget()) {
        parent->repaint(cover_->geometry());
    }
}

bool PictureHold::holding() const {
    return cover_ != nullptr && cover_->isVisible();
}

void PictureHold::poll() {
    if (!shown_ || shown_() || std::chrono::steady_clock::now() >= giveUp_) {
        // The next clip's picture lies under the cover: it takes the held one's place at once.
        takeAway(false);
    }
}

bool PictureHold::eventFilter(QObject* watched, QEvent* event) {
    if (watched == followedHost_ && event->type() == QEvent::Hide) {
        holdFollowed();
    }
    return false;
}

} // namespace quorix::device
