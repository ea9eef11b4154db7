#pragma once

#include <QImage>
#include <QWidget>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

struct mpv_handle;
struct mpv_render_context;

namespace quorix::device {

// A widget that shows what libmpv renders in software at the widget's own size, so the picture
// is stretched to it exactly. Rendering runs on a thread of its own, so playback never waits for
// the window thread; a finished frame only asks the window thread for a repaint.
//
// Why software rendering on Wayland: there a program cannot hand a window of its own to another
// library to draw into (libmpv's "wid" is X11 and Windows only), so the picture either comes
// from the program (through Qt's painting, or on a surface of its own that it fills) or leaves the
// window (libmpv's own Wayland output opens a window of its own, which can neither sit inside
// Picture1 nor be clipped by it). libmpv's OpenGL render API
// would save Qt's copies only with a GPU; in software (llvmpipe) it costs more, and in a
// QOpenGLWidget it squeezes the picture instead of clipping it. Where the compositor can take the
// pictures without Qt's copies, WaylandVideoSurface hands them over itself.
//
// Why "bgra" into an RGB32 image: Qt's wayland back buffers have an alpha channel, and Qt copies
// RGB32 pixels into them as they are, trusting their fourth byte to be 0xff; a compositor that
// honours the alpha (weston) shows nothing where it is not. "bgr0" leaves that byte as libmpv's
// scaler left it, and setting it by hand was a sixth of this surface's cost; "bgra" has libmpv
// write 0xff there itself, so Qt's copy is a plain one and no pass is added. (A libmpv that
// refuses "bgra" gets "bgr0" and the pass by hand.) Writing the picture straight into Qt's back
// buffer instead would be the same one copy (Qt's is a memcpy), and Qt refills the buffer from the
// front one before each paint anyway.
class SoftwareVideoSurface : public QWidget {
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
    // Whether the picture has been rendered at the surface's own size.
    bool pictureFits();

    // Sets each pixel's fourth byte, which libmpv's "bgr0" leaves as its scaler left it.
    static void makeOpaque(QImage& picture);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    // Render thread, mutex_ not held: an image of size to render the next picture into, and in
    // buffer a number for it that dropBuffer() is given back when it is no longer shown (-1: the
    // image's memory is its own).
    virtual QImage pictureFor(QSize size, int& buffer);
    // Any thread, mutex_ held: the picture of that buffer is no longer held.
    virtual void dropBuffer(int /*buffer*/) {}
    // Window thread: a picture has been rendered; shows it.
    virtual void present() { update(); }
    // mutex_ held: the picture is forgotten or the surface stops; what shows it otherwise goes.
    virtual void pictureGone() {}

    // Guards what the render thread and the window thread share.
    std::mutex mutex_;
    // The picture shown, and the buffer it lies in (-1 when none).
    QImage picture_;
    int pictureBuffer_ = -1;

private:
    static void onUpdate(void* self);
    // Renders the current frame into picture in libmpv's pixel format format.
    bool render(QImage& picture, const char* format);
    void renderLoop();
    // Stops holding the picture and its buffer; mutex_ held.
    void dropPicture();

    mpv_render_context* context_ = nullptr;
    std::thread thread_;
    std::condition_variable wake_;
    std::condition_variable renderDone_;
    // Render passes finished (successful or not), and whether one is under way.
    std::uint64_t renders_ = 0;
    bool rendering_ = false;
    bool updatePending_ = false;
    bool redraw_ = false;
    bool quit_ = false;
    // Whether libmpv renders with an opaque alpha byte ("bgra"); render thread only.
    bool alphaFormat_ = true;
    QSize target_;
};

} // namespace quorix::device
