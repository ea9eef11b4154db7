#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class QWindow;
struct wl_buffer;
struct wl_compositor;
struct wl_display;
struct wl_event_queue;
struct wl_registry;
struct wl_shm;
struct wl_shm_pool;
struct wl_subcompositor;
struct wl_subsurface;
struct wl_surface;

namespace quorix::device {

// Pictures handed to the Wayland compositor as they are: a surface of the layer's own, a
// subsurface of the window's, lying above it and showing buffers in memory shared with the
// compositor, which libmpv renders into directly. Qt neither paints nor copies them.
//
// The layer keeps its protocol objects on an event queue of its own on Qt's connection, so Qt's
// dispatching never runs its handlers; the render thread dispatches it when it looks for a free
// buffer. The surface takes no input: the pointer and its moves stay the window's.
//
// No frame callbacks pace it: a picture is committed as libmpv finishes it, at the clip's rate,
// which libmpv's own clock keeps; a compositor shows the last one committed at its next frame.
// They would matter for pictures made faster than the output shows them, which a clip's are not.
class WaylandVideoLayer {
public:
    // The layer on the application's Wayland connection; null where Qt does not run on Wayland
    // or the compositor lacks shared memory or subsurfaces.
    static std::unique_ptr<WaylandVideoLayer> open();
    ~WaylandVideoLayer();
    WaylandVideoLayer(const WaylandVideoLayer&) = delete;
    WaylandVideoLayer& operator=(const WaylandVideoLayer&) = delete;

    // Render thread. A buffer of this size that neither the compositor nor the caller holds,
    // which the caller then holds until it drops it; -1 when none can be had.
    int acquire(QSize size);
    // The buffer's pixels (RGB32, the fourth byte shown as 0xff whatever it holds).
    QImage image(int buffer);
    // Any thread: the caller no longer holds the buffer.
    void drop(int buffer);

    // Window thread. How showing a buffer went.
    enum class Shown {
        No,    // the window has no surface yet: nothing was shown
        Same,  // shown where the last one was
        Moved, // shown at a new place, which takes effect with the window's next commit
    };
    // Shows crop (in the buffer's pixels) of the buffer at position on the window's surface.
    Shown show(int buffer, QWindow* window, QPoint position, QRect crop);
    // Takes the picture away; the window shows through again.
    void hide();
    bool shown() const { return surface_ != nullptr; }

private:
    struct Buffer {
        WaylandVideoLayer* layer = nullptr;
        QSize size;
        int stride = 0;
        std::size_t bytes = 0;
        int fd = -1;
        void* data = nullptr;
        wl_shm_pool* pool = nullptr;
        wl_buffer* buffer = nullptr;
        // The part of the pixels the wl_buffer covers.
        QRect crop;
        bool caller = false;     // held by the caller
        bool compositor = false; // held by the compositor until it releases it
    };

    WaylandVideoLayer() = default;
    static void onGlobal(void* data, wl_registry* registry, std::uint32_t name,
                         const char* interface, std::uint32_t version);
    static void onRelease(void* data, wl_buffer* buffer);
    bool makeBuffer(Buffer& buffer, QSize size);
    static void freeBuffer(Buffer& buffer);
    void dropSurface();

    wl_display* display_ = nullptr;
    wl_event_queue* queue_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_compositor* compositor_ = nullptr;
    wl_subcompositor* subcompositor_ = nullptr;
    wl_shm* shm_ = nullptr;
    // Window thread only.
    wl_surface* parent_ = nullptr;
    wl_surface* surface_ = nullptr;
    wl_subsurface* subsurface_ = nullptr;
    QPoint position_;
    // Buffers, held at fixed addresses (the release handler is given one).
    std::mutex mutex_;
    std::vector<std::unique_ptr<Buffer>> buffers_;
};

} // namespace quorix::device
