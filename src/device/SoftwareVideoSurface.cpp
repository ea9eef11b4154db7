#include "device/SoftwareVideoSurface.h"

#include <QPainter>
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
    pictureGone();
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
        pictureGone();
        dropPicture();
    }
    update();
}

void SoftwareVideoSurface::dropPicture() {
    if (pictureBuffer_ >= 0) {
        dropBuffer(pictureBuffer_);
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
        lock.unlock();

        const std::uint64_t flags = mpv_render_context_update(context_);
        if ((flags & MPV_RENDER_UPDATE_FRAME) != 0 || redraw) {
            // Bytes blue, green, red, alpha: QImage's RGB32 on a little-endian machine, whose
            // fourth byte must be 0xff.
            int buffer = -1;
            QImage picture = pictureFor(size, buffer);
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
                dropBuffer(buffer);
            }
        } else {
            lock.lock();
        }
        rendering_ = false;
        ++renders_;
        renderDone_.notify_all();
    }
}

QImage SoftwareVideoSurface::pictureFor(QSize size, int& buffer) {
    buffer = -1;
    return QImage(size, QImage::Format_RGB32);
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
