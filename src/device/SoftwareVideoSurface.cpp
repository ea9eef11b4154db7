#include "device/SoftwareVideoSurface.h"

#include "device/WaylandVideoLayer.h"

#include <QApplication>
#include <QPainter>
#include <QWindow>
#include <mpv/client.h>
#include <mpv/render.h>

namespace quorix::device {

SoftwareVideoSurface::SoftwareVideoSurface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    target_ = size();
}

SoftwareVideoSurface::~SoftwareVideoSurface() {
    detach();
}

bool SoftwareVideoSurface::attach(mpv_handle* core) {
    detach();
    // The API type is passed as a string pointer, as libmpv's interface has it.
    char apiType[] = MPV_RENDER_API_TYPE_SW;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, apiType},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (mpv_render_context_create(&context_, core, params) < 0) {
        context_ = nullptr;
        return false;
    }
    {
        std::lock_guard lock(mutex_);
        quit_ = false;
        dropPicture();
    }
    mpv_render_context_set_update_callback(context_, &SoftwareVideoSurface::onUpdate, this);
    thread_ = std::thread([this] { renderLoop(); });
    return true;
}

void SoftwareVideoSurface::detach() {
    if (context_ == nullptr) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    renderDone_.notify_all();
    thread_.join();
    mpv_render_context_set_update_callback(context_, nullptr, nullptr);
    mpv_render_context_free(context_);
    context_ = nullptr;
    std::lock_guard lock(mutex_);
    if (layer_ != nullptr) {
        layer_->hide();
    }
    dropPicture();
}

bool SoftwareVideoSurface::hasPicture() {
    std::lock_guard lock(mutex_);
    return !picture_.isNull();
}

bool SoftwareVideoSurface::renderCurrentFrame(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    if (context_ == nullptr || quit_) {
        return false;
    }
    // A pass under way may have started before the frame wanted was there: wait for the next.
    const std::uint64_t wanted = renders_ + (rendering_ ? 2 : 1);
    redraw_ = true;
    wake_.notify_all();
    renderDone_.wait_until(lock, deadline, [&] { return renders_ >= wanted || quit_; });
    return renders_ >= wanted && !picture_.isNull();
}

bool SoftwareVideoSurface::pictureFits() {
    std::lock_guard lock(mutex_);
    return !picture_.isNull() && picture_.size() == size();
}

void SoftwareVideoSurface::clear() {
    {
        std::lock_guard lock(mutex_);
        if (layer_ != nullptr) {
            layer_->hide();
        }
        dropPicture();
    }
    update();
}

void SoftwareVideoSurface::dropPicture() {
    if (pictureBuffer_ >= 0) {
        layer_->drop(pictureBuffer_);
    }
    pictureBuffer_ = -1;
    picture_ = QImage();
}

void SoftwareVideoSurface::onUpdate(void* self) {
    auto* surface = static_cast<SoftwareVideoSurface*>(self);
    {
        std::lock_guard lock(surface->mutex_);
        surface->updatePending_ = true;
    }
    surface->wake_.notify_all();
}

void SoftwareVideoSurface::renderLoop() {
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return quit_ || updatePending_ || redraw_; });
        if (quit_) {
            return;
        }
        const bool redraw = redraw_;
        updatePending_ = false;
        redraw_ = false;
        rendering_ = true;
        const QSize size = target_.expandedTo(QSize(1, 1));
        WaylandVideoLayer* layer = layer_.get();
        lock.unlock();

        const std::uint64_t flags = mpv_render_context_update(context_);
        if ((flags & MPV_RENDER_UPDATE_FRAME) != 0 || redraw) {
            // Bytes blue, green, red, alpha: QImage's RGB32 on a little-endian machine, whose
            // fourth byte must be 0xff. On the layer the compositor ignores it.
            const int buffer = layer != nullptr ? layer->acquire(size) : -1;
            QImage picture =
                buffer >= 0 ? layer->image(buffer) : QImage(size, QImage::Format_RGB32);
            bool rendered = render(picture, alphaFormat_ ? "bgra" : "bgr0");
            if (!rendered && alphaFormat_) {
                // A libmpv without "bgra": the byte is set by hand from now on.
                alphaFormat_ = false;
                rendered = render(picture, "bgr0");
            }
            if (rendered && !alphaFormat_) {
                makeOpaque(picture);
            }
            lock.lock();
            if (rendered) {
                dropPicture();
                picture_ = std::move(picture);
                pictureBuffer_ = buffer;
                QMetaObject::invokeMethod(
                    this, [this] { present(); }, Qt::QueuedConnection);
            } else if (buffer >= 0) {
                layer->drop(buffer);
            }
        } else {
            lock.lock();
        }
        rendering_ = false;
        ++renders_;
        renderDone_.notify_all();
    }
}

bool SoftwareVideoSurface::render(QImage& picture, const char* format) {
    int dimensions[2] = {picture.width(), picture.height()};
    std::size_t stride = static_cast<std::size_t>(picture.bytesPerLine());
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SW_SIZE, dimensions},
        {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char*>(format)},
        {MPV_RENDER_PARAM_SW_STRIDE, &stride},
        {MPV_RENDER_PARAM_SW_POINTER, picture.bits()},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    return mpv_render_context_render(context_, params) >= 0;
}

void SoftwareVideoSurface::makeOpaque(QImage& picture) {
    uchar* bytes = picture.bits();
    const auto stride = static_cast<std::size_t>(picture.bytesPerLine());
    const auto width = static_cast<std::size_t>(picture.width());
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(bytes + stride * static_cast<std::size_t>(y));
        for (std::size_t x = 0; x < width; ++x) {
            line[x] |= 0xff000000u;
        }
    }
}

void SoftwareVideoSurface::present() {
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

void SoftwareVideoSurface::presentSoon() {
    if (presentPending_) {
        return;
    }
    presentPending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { present(); }, Qt::QueuedConnection);
}

bool SoftwareVideoSurface::openArea(QRect& area) const {
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

bool SoftwareVideoSurface::eventFilter(QObject* watched, QEvent* event) {
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

void SoftwareVideoSurface::hideEvent(QHideEvent*) {
    std::lock_guard lock(mutex_);
    if (layer_ != nullptr) {
        layer_->hide();
    }
}

void SoftwareVideoSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    std::lock_guard lock(mutex_);
    if (picture_.isNull()) {
        painter.fillRect(rect(), Qt::black);
    } else if (picture_.size() == size()) {
        painter.drawImage(0, 0, picture_);
    } else {
        // A resize is being rendered; stretch the last picture meanwhile.
        painter.drawImage(rect(), picture_);
    }
}

void SoftwareVideoSurface::resizeEvent(QResizeEvent*) {
    {
        std::lock_guard lock(mutex_);
        target_ = size();
        redraw_ = true;
    }
    wake_.notify_all();
}

} // namespace quorix::device
