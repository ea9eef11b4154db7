#pragma once

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QWidget>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

struct mpv_handle;
struct mpv_render_context;

namespace quorix::platform::mci {

// A widget that shows what libmpv renders in software at the widget's own size, so the picture
// is stretched to it exactly. Rendering runs on a thread of its own, so playback never waits for
// the window thread; a finished frame only asks the window thread for a repaint.
//
// Why software rendering on Wayland: there a program cannot hand a window of its own to another
// library to draw into (libmpv's "wid" is X11 and Windows only), so the picture either comes
// through Qt's painting or leaves the window (libmpv's own Wayland output opens a window of its
// own, which can neither sit inside Picture1 nor be clipped by it). Measured under headless cage,
// a 352x288 clip shown full screen at 1280x720 for 30 s, both cores busy with other work:
// this surface 3.9 s of CPU, the same program through XWayland with libmpv's native X11 output
// 12.5 s, the mpv command line 2.2 s (bench/wayland). What this surface costs beyond mpv goes to
// copying: Qt's shared-memory back buffer is refilled from the front one before each paint, the
// frame is copied into it, and each frame is made opaque first. libmpv's OpenGL render API would
// save that copy only with a GPU; in software (llvmpipe) it costs more, and in a QOpenGLWidget it
// squeezes the picture instead of clipping it.
class SoftwareVideoSurface final : public QWidget {
public:
    explicit SoftwareVideoSurface(QWidget* parent = nullptr);
    ~SoftwareVideoSurface() override;

    // Connects to a core whose video output is "libmpv". False when libmpv refuses.
    bool attach(mpv_handle* core);
    // Stops rendering; must come before the core is destroyed.
    void detach();

    // Whether a picture has been rendered since the last attach or clear.
    bool hasPicture();
    // Renders the core's current frame again and waits (at most until deadline) until it is the
    // picture shown. False when the time ran out or the surface is detached.
    bool renderCurrentFrame(std::chrono::steady_clock::time_point deadline);
    // Forgets the picture: until the next one is rendered the surface is black.
    void clear();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static void onUpdate(void* self);
    // libmpv leaves the fourth byte of each pixel as its scaler left it, while an RGB32 image
    // promises 0xff there. Qt's wayland back buffers have an alpha channel and Qt copies such
    // pixels as they are, so a compositor that honours the window's alpha (weston) would show
    // nothing of the clip: the byte is set on the way to the window.
    static void makeOpaque(QImage& picture);
    // Copies the picture, made opaque on the way, straight into the painter's image where the
    // painter allows it (a raster image, moved but not scaled); false when it does not.
    bool copyOpaque(QPainter& painter, const QRegion& region) const;
    void renderLoop();

    mpv_render_context* context_ = nullptr;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable renderDone_;
    // Render passes finished (successful or not), and whether one is under way.
    std::uint64_t renders_ = 0;
    bool rendering_ = false;
    bool updatePending_ = false;
    bool redraw_ = false;
    bool quit_ = false;
    QSize target_;
    QImage picture_;
};

} // namespace quorix::platform::mci
