#include "device/NativeVideoSurface.h"

#include "device/MpvOptions.h"

#include <QPalette>
#include <cstdint>

namespace quorix::device {

NativeVideoSurface::NativeVideoSurface(QWidget& holder, NativeDrawing drawing)
    : widget_(new QWidget(&holder)), drawing_(drawing) {
    // The picture goes into a window of its own, which the host clips; its siblings stay alien
    // when the application sets Qt::AA_DontCreateNativeWidgetSiblings.
    widget_->setAttribute(Qt::WA_NativeWindow);
    QPalette black = widget_->palette();
    black.setColor(QPalette::Window, Qt::black);
    widget_->setPalette(black);
    widget_->setAutoFillBackground(true);
}

bool NativeVideoSurface::configure(mpv_handle* core) {
    // Which of the two is chosen, and why, is said in ChooseNativeDrawing. Both draw into "wid",
    // which mpv's own choice under some X servers ignores, and each has the other to fall back
    // on. The GPU output is named with its context: mpv's probing would also try GLX, and it
    // accepts the renderer the choice was made for.
    const char* output = drawing_ == NativeDrawing::Gpu ? "gpu,x11" : "x11,gpu";
    return SetOption(core, "vo", output) && SetOption(core, "gpu-context", "x11egl") &&
           SetWindowOption(core, static_cast<std::int64_t>(widget_->winId()));
}

void NativeVideoSurface::left(QWidget& host, QRect area) {
    // A native picture stays on the screen after its window has gone until the host paints that
    // area again, which waits for the event loop; a clip opened before then would show it
    // wherever its own picture has not yet been drawn. The host paints it now.
    if (host.isVisible()) {
        host.repaint(area);
    }
}

} // namespace quorix::device
