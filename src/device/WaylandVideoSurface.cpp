#include "device/WaylandVideoSurface.h"

#include "device/WaylandVideoLayer.h"

#include <QApplication>
#include <QWindow>

namespace quorix::device {

WaylandVideoSurface::WaylandVideoSurface(QWidget* parent) : SoftwareVideoSurface(parent) {}

WaylandVideoSurface::~WaylandVideoSurface() {
    // The render thread asks this surface for buffers: it stops before the layer goes.
    detach();
}

QImage WaylandVideoSurface::pictureFor(QSize size, int& buffer) {
    WaylandVideoLayer* layer = nullptr;
    {
        std::lock_guard lock(mutex_);
        layer = layer_.get();
    }
    // On the layer the compositor ignores the fourth byte.
    if (layer != nullptr) {
        buffer = layer->acquire(size);
        if (buffer >= 0) {
            return layer->image(buffer);
        }
    }
    return SoftwareVideoSurface::pictureFor(size, buffer);
}

void WaylandVideoSurface::dropBuffer(int buffer) {
    layer_->drop(buffer);
}

void WaylandVideoSurface::pictureGone() {
    if (layer_ != nullptr) {
        layer_->hide();
    }
}

void WaylandVideoSurface::present() {
    presentPending_ = false;
    if (!layerOpened_) {
        // Opened on the window thread, which Qt's native interface needs, once there is a
        // picture to show; that picture is still painted through Qt.
        layerOpened_ = true;
        if (auto layer = WaylandVideoLayer::open()) {
            // Whatever is shown, hidden, moved or raised in the window may come to lie over the
            // picture or leave it: the layer's place is looked at again then.
            qApp->installEventFilter(this);
            std::lock_guard lock(mutex_);
            layer_ = std::move(layer);
        }
    }
    std::unique_lock lock(mutex_);
    QRect area;
    if (layer_ == nullptr || pictureBuffer_ < 0 || picture_.size() != size() || !openArea(area)) {
        if (layer_ != nullptr && layer_->shown()) {
            layer_->hide();
        }
        lock.unlock();
        update();
        return;
    }
    const bool wasShown = layer_->shown();
    QWindow* window = this->window()->windowHandle();
    const QPoint origin = mapTo(this->window(), QPoint(0, 0));
    const QMargins margins = window->frameMargins();
    const WaylandVideoLayer::Shown shown =
        layer_->show(pictureBuffer_, window, area.topLeft() + QPoint(margins.left(), margins.top()),
                     area.translated(-origin));
    lock.unlock();
    // The window's next commit places the layer; until it is shown, and when it could not be,
    // the picture is painted through Qt.
    if (shown != WaylandVideoLayer::Shown::Same || !wasShown) {
        update();
    }
}

void WaylandVideoSurface::presentSoon() {
    if (presentPending_) {
        return;
    }
    presentPending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { present(); }, Qt::QueuedConnection);
}

bool WaylandVideoSurface::openArea(QRect& area) const {
    const QWidget* top = window();
    QWindow* handle = top->windowHandle();
    if (!isVisible() || handle == nullptr || !handle->isExposed()) {
        return false;
    }
    QRect open(mapTo(top, QPoint(0, 0)), size());
    for (const QWidget* widget = this; widget != top; widget = widget->parentWidget()) {
        const QWidget* parent = widget->parentWidget();
        open &= QRect(parent->mapTo(top, QPoint(0, 0)), parent->size());
        // Children lie in the order they are stacked: those after this one lie above it.
        bool above = false;
        for (const QObject* child : parent->children()) {
            const auto* sibling = qobject_cast<const QWidget*>(child);
            if (child == widget) {
                above = true;
            } else if (above && sibling != nullptr && sibling->isVisible() &&
                       !sibling->isWindow() &&
                       QRect(sibling->mapTo(top, QPoint(0, 0)), sibling->size()).intersects(open)) {
                return false;
            }
        }
    }
    area = open;
    return !open.isEmpty();
}

bool WaylandVideoSurface::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ZOrderChange:
    case QEvent::ParentChange:
        if (watched->isWidgetType() && layer_->shown()) {
            presentSoon();
        }
        break;
    default:
        break;
    }
    return false;
}

void WaylandVideoSurface::hideEvent(QHideEvent* event) {
    SoftwareVideoSurface::hideEvent(event);
    std::lock_guard lock(mutex_);
    pictureGone();
}

} // namespace quorix::device
