#include "device/PictureHold.h"

#include <QApplication>
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

PictureHold::PictureHold(bool nativeCover) : nativeCover_(nativeCover) {
    poll_.setInterval(PollEvery);
    connect(&poll_, &QTimer::timeout, this, [this] { poll(); });
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
    host_ = &host;
    shown_ = nullptr;
    poll_.stop();
    qApp->installEventFilter(this);
}

void PictureHold::releaseWhen(std::function<bool()> shown) {
    if (!holding()) {
        return;
    }
    shown_ = std::move(shown);
    giveUp_ = std::chrono::steady_clock::now() + LongestWait;
    poll_.start();
}

void PictureHold::release() {
    poll_.stop();
    shown_ = nullptr;
    host_ = nullptr;
    qApp->removeEventFilter(this);
    if (cover_ != nullptr) {
        cover_->hide();
    }
}

bool PictureHold::holding() const {
    return cover_ != nullptr && cover_->isVisible();
}

void PictureHold::poll() {
    if (!shown_ || shown_() || std::chrono::steady_clock::now() >= giveUp_) {
        release();
    }
}

bool PictureHold::eventFilter(QObject* watched, QEvent* event) {
    if (watched == followedHost_ && event->type() == QEvent::Hide) {
        holdFollowed();
        return false;
    }
    if (event->type() != QEvent::Show || event->spontaneous() || !watched->isWidgetType() ||
        cover_ == nullptr) {
        return false;
    }
    const auto* widget = static_cast<const QWidget*>(watched);
    if (widget != cover_ && widget != host_ && widget->objectName() != SurfaceName &&
        widget->window() == cover_->window()) {
        release();
    }
    return false;
}

} // namespace quorix::device
