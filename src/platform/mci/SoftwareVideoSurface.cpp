#include "platform/mci/SoftwareVideoSurface.h"

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <mpv/client.h>
#include <mpv/render.h>

namespace quorix::platform::mci {

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
        picture_ = QImage();
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

void SoftwareVideoSurface::clear() {
    {
        std::lock_guard lock(mutex_);
        picture_ = QImage();
    }
    update();
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
        lock.unlock();

        const std::uint64_t flags = mpv_render_context_update(context_);
        if ((flags & MPV_RENDER_UPDATE_FRAME) != 0 || redraw) {
            // Bytes blue, green, red, pad: QImage's RGB32 on a little-endian machine.
            QImage picture(size, QImage::Format_RGB32);
            int dimensions[2] = {size.width(), size.height()};
            char format[] = "bgr0";
            std::size_t stride = static_cast<std::size_t>(picture.bytesPerLine());
            mpv_render_param params[] = {
                {MPV_RENDER_PARAM_SW_SIZE, dimensions},
                {MPV_RENDER_PARAM_SW_FORMAT, format},
                {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                {MPV_RENDER_PARAM_SW_POINTER, picture.bits()},
                {MPV_RENDER_PARAM_INVALID, nullptr},
            };
            const bool rendered = mpv_render_context_render(context_, params) >= 0;
            lock.lock();
            if (rendered) {
                picture_ = std::move(picture);
                QMetaObject::invokeMethod(
                    this, [this] { update(); }, Qt::QueuedConnection);
            }
        } else {
            lock.lock();
        }
        rendering_ = false;
        ++renders_;
        renderDone_.notify_all();
    }
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

bool SoftwareVideoSurface::copyOpaque(QPainter& painter, const QRegion& region) const {
    // Only a plain raster image at one device pixel a pixel can be written directly; anything
    // else (a scaled screen, a printer, a picture grab) goes through QPainter.
    QPaintEngine* engine = painter.paintEngine();
    if (engine == nullptr || engine->type() != QPaintEngine::Raster) {
        return false;
    }
    QPaintDevice* device = engine->paintDevice();
    if (device == nullptr || device->devType() != QInternal::Image) {
        return false;
    }
    auto* target = static_cast<QImage*>(device);
    const QImage::Format format = target->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied) {
        return false;
    }
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxTranslate) {
        return false;
    }
    const QPoint offset(qRound(transform.dx()), qRound(transform.dy()));
    if (QPointF(offset) != QPointF(transform.dx(), transform.dy())) {
        return false;
    }
    // The part to paint, in the device's pixels: the event's region, which Qt has already cut
    // to what of this widget shows (its parents' edges, opaque siblings above it).
    const QRegion area =
        region.translated(offset) & QRect(offset, picture_.size()) & target->rect();
    const auto from = static_cast<std::size_t>(picture_.bytesPerLine());
    const auto to = static_cast<std::size_t>(target->bytesPerLine());
    const uchar* source = picture_.constBits();
    uchar* destination = target->bits();
    for (const QRect& part : area) {
        const auto width = static_cast<std::size_t>(part.width());
        for (int y = part.top(); y <= part.bottom(); ++y) {
            const auto* in = reinterpret_cast<const std::uint32_t*>(
                                 source + from * static_cast<std::size_t>(y - offset.y())) +
                             (part.left() - offset.x());
            auto* out =
                reinterpret_cast<std::uint32_t*>(destination + to * static_cast<std::size_t>(y)) +
                part.left();
            for (std::size_t x = 0; x < width; ++x) {
                out[x] = in[x] | 0xff000000u;
            }
        }
    }
    return true;
}

void SoftwareVideoSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    std::lock_guard lock(mutex_);
    if (picture_.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    if (picture_.size() == size() && copyOpaque(painter, event->region())) {
        return;
    }

    // A resize being rendered (the last picture stretched meanwhile), or a device that cannot be
    // written directly: an opaque copy through QPainter.
    QImage opaque = picture_.copy();
    makeOpaque(opaque);
    painter.drawImage(rect(), opaque);
}

void SoftwareVideoSurface::resizeEvent(QResizeEvent*) {
    {
        std::lock_guard lock(mutex_);
        target_ = size();
        redraw_ = true;
    }
    wake_.notify_all();
}

} // namespace quorix::platform::mci
