#pragma once

#include <QImage>
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
// the window thread.
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
