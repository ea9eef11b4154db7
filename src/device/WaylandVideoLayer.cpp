#include "device/WaylandVideoLayer.h"

#include <QGuiApplication>
#include <QWindow>
#include <cstring>
#include <qpa/qplatformnativeinterface.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace quorix::device {

namespace {

// Enough for the picture shown, the one being rendered and one the compositor has not yet
// released; a fourth covers a compositor slow to release.
constexpr std::size_t MaxBuffers = 4;

} // namespace

std::unique_ptr<WaylandVideoLayer> WaylandVideoLayer::open() {
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        return nullptr;
    }
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    auto* display =
        native == nullptr
            ? nullptr
            : static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"));
    if (display == nullptr) {
        return nullptr;
    }
    std::unique_ptr<WaylandVideoLayer> layer(new WaylandVideoLayer);
    layer->display_ = display;
    layer->queue_ = wl_display_create_queue(display);
    auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), layer->queue_);
    layer->registry_ = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    static const wl_registry_listener listener{
        &WaylandVideoLayer::onGlobal,
        [](void*, wl_registry*, std::uint32_t) {},
    };
    wl_registry_add_listener(layer->registry_, &listener, layer.get());
    if (wl_display_roundtrip_queue(display, layer->queue_) < 0 || layer->compositor_ == nullptr ||
        layer->subcompositor_ == nullptr || layer->shm_ == nullptr) {
        return nullptr;
    }
    return layer;
}

void WaylandVideoLayer::onGlobal(void* data, wl_registry* registry, std::uint32_t name,
                                 const char* interface, std::uint32_t) {
    auto* layer = static_cast<WaylandVideoLayer*>(data);
    if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
        layer->compositor_ = static_cast<wl_compositor*>(
            wl_registry_bind(registry, name, &wl_compositor_interface, 1));
    } else if (std::strcmp(interface, wl_subcompositor_interface.name) == 0) {
        layer->subcompositor_ = static_cast<wl_subcompositor*>(
            wl_registry_bind(registry, name, &wl_subcompositor_interface, 1));
    } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
        layer->shm_ = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    }
}

WaylandVideoLayer::~WaylandVideoLayer() {
    dropSurface();
    {
        std::lock_guard lock(mutex_);
        for (auto& buffer : buffers_) {
            freeBuffer(*buffer);
        }
        buffers_.clear();
    }
    if (shm_ != nullptr) {
        wl_shm_destroy(shm_);
    }
    if (subcompositor_ != nullptr) {
        wl_subcompositor_destroy(subcompositor_);
    }
    if (compositor_ != nullptr) {
        wl_compositor_destroy(compositor_);
    }
    if (registry_ != nullptr) {
        wl_registry_destroy(registry_);
    }
    if (display_ != nullptr) {
        wl_display_flush(display_);
    }
    if (queue_ != nullptr) {
        wl_event_queue_destroy(queue_);
    }
}

int WaylandVideoLayer::acquire(QSize size) {
    // Releases that Qt's reading of the connection has queued for the layer are taken in first.
    wl_display_dispatch_queue_pending(display_, queue_);
    for (int attempt = 0; attempt < 2; ++attempt) {
        {
            std::lock_guard lock(mutex_);
            int spare = -1;
            for (std::size_t i = 0; i < buffers_.size(); ++i) {
                Buffer& buffer = *buffers_[i];
                if (buffer.caller || buffer.compositor) {
                    continue;
                }
                if (buffer.size == size) {
                    buffer.caller = true;
                    return static_cast<int>(i);
                }
                spare = static_cast<int>(i);
            }
            if (spare >= 0 || buffers_.size() < MaxBuffers) {
                if (spare < 0) {
                    buffers_.push_back(std::make_unique<Buffer>());
                    spare = static_cast<int>(buffers_.size()) - 1;
                }
                Buffer& buffer = *buffers_[static_cast<std::size_t>(spare)];
                freeBuffer(buffer);
                if (!makeBuffer(buffer, size)) {
                    freeBuffer(buffer);
                    return -1;
                }
                buffer.caller = true;
                return spare;
            }
        }
        // All are held: a round trip brings whatever the compositor has released meanwhile.
        if (wl_display_roundtrip_queue(display_, queue_) < 0) {
            return -1;
        }
    }
    return -1;
}

QImage WaylandVideoLayer::image(int index) {
    std::lock_guard lock(mutex_);
    Buffer& buffer = *buffers_[static_cast<std::size_t>(index)];
    return QImage(static_cast<uchar*>(buffer.data), buffer.size.width(), buffer.size.height(),
                  buffer.stride, QImage::Format_RGB32);
}

void WaylandVideoLayer::drop(int index) {
    std::lock_guard lock(mutex_);
    buffers_[static_cast<std::size_t>(index)]->caller = false;
}

WaylandVideoLayer::Shown WaylandVideoLayer::show(int index, QWindow* window, QPoint position,
                                                 QRect crop) {
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    auto* parent =
        window == nullptr || window->handle() == nullptr
            ? nullptr
            : static_cast<wl_surface*>(native->nativeResourceForWindow("surface", window));
    if (parent == nullptr) {
        hide();
        return Shown::No;
    }
    bool moved = false;
    if (parent != parent_) {
        dropSurface();
        surface_ = wl_compositor_create_surface(compositor_);
        wl_region* none = wl_compositor_create_region(compositor_);
        wl_surface_set_input_region(surface_, none);
        wl_region_destroy(none);
        subsurface_ = wl_subcompositor_get_subsurface(subcompositor_, surface_, parent);
        // Pictures are shown when they are committed, not with the window's next paint.
        wl_subsurface_set_desync(subsurface_);
        parent_ = parent;
        position_ = QPoint();
        moved = true;
    }
    if (position != position_) {
        wl_subsurface_set_position(subsurface_, position.x(), position.y());
        position_ = position;
        moved = true;
    }
    {
        std::lock_guard lock(mutex_);
        Buffer& buffer = *buffers_[static_cast<std::size_t>(index)];
        // A wl_buffer can start anywhere in its pool and keep the picture's stride: the part of
        // the picture inside the window's clipping is shown without a copy.
        if (buffer.buffer == nullptr || buffer.crop != crop) {
            if (buffer.buffer != nullptr) {
                wl_buffer_destroy(buffer.buffer);
            }
            buffer.buffer = wl_shm_pool_create_buffer(
                buffer.pool, crop.y() * buffer.stride + crop.x() * 4, crop.width(), crop.height(),
                buffer.stride, WL_SHM_FORMAT_XRGB8888);
            static const wl_buffer_listener listener{&WaylandVideoLayer::onRelease};
            wl_buffer_add_listener(buffer.buffer, &listener, &buffer);
            buffer.crop = crop;
        }
        buffer.compositor = true;
        wl_surface_attach(surface_, buffer.buffer, 0, 0);
    }
    wl_surface_damage(surface_, 0, 0, crop.width(), crop.height());
    wl_surface_commit(surface_);
    wl_display_flush(display_);
    return moved ? Shown::Moved : Shown::Same;
}

void WaylandVideoLayer::hide() {
    if (surface_ == nullptr) {
        return;
    }
    // The surface goes with the picture: a window hidden and shown again gets a new surface
    // from Qt, perhaps at the old one's address.
    dropSurface();
    wl_display_flush(display_);
}

void WaylandVideoLayer::onRelease(void* data, wl_buffer*) {
    auto* buffer = static_cast<Buffer*>(data);
    std::lock_guard lock(buffer->layer->mutex_);
    buffer->compositor = false;
}

bool WaylandVideoLayer::makeBuffer(Buffer& buffer, QSize size) {
    buffer.layer = this;
    buffer.size = size;
    buffer.stride = size.width() * 4;
    buffer.bytes =
        static_cast<std::size_t>(buffer.stride) * static_cast<std::size_t>(size.height());
    buffer.fd = memfd_create("quorix-video", MFD_CLOEXEC);
    if (buffer.fd < 0 || ftruncate(buffer.fd, static_cast<off_t>(buffer.bytes)) < 0) {
        return false;
    }
    void* data = mmap(nullptr, buffer.bytes, PROT_READ | PROT_WRITE, MAP_SHARED, buffer.fd, 0);
    if (data == MAP_FAILED) {
        return false;
    }
    buffer.data = data;
    buffer.pool = wl_shm_create_pool(shm_, buffer.fd, static_cast<std::int32_t>(buffer.bytes));
    return true;
}

void WaylandVideoLayer::freeBuffer(Buffer& buffer) {
    if (buffer.buffer != nullptr) {
        wl_buffer_destroy(buffer.buffer);
    }
    if (buffer.pool != nullptr) {
        wl_shm_pool_destroy(buffer.pool);
    }
    if (buffer.data != nullptr) {
        munmap(buffer.data, buffer.bytes);
    }
    if (buffer.fd >= 0) {
        close(buffer.fd);
    }
    buffer = Buffer{};
}

void WaylandVideoLayer::dropSurface() {
    if (subsurface_ != nullptr) {
        wl_subsurface_destroy(subsurface_);
    }
    if (surface_ != nullptr) {
        wl_surface_destroy(surface_);
    }
    subsurface_ = nullptr;
    surface_ = nullptr;
    parent_ = nullptr;
    // With its surface gone the compositor shows none of the buffers again.
    std::lock_guard lock(mutex_);
    for (auto& buffer : buffers_) {
        buffer->compositor = false;
    }
}

} // namespace quorix::device
