#pragma once

#include "device/NativeDrawing.h"
#include "device/VideoSurface.h"

#include <QPointer>
#include <QWidget>

namespace quorix::device {

// A native child window that libmpv draws into itself ("wid": X11, Windows), with the GPU output
// or plain X11 images; the host window clips it.
class NativeVideoSurface final : public VideoSurface {
public:
    NativeVideoSurface(QWidget& holder, NativeDrawing drawing);

    QWidget* widget() const override { return widget_; }
    bool configure(mpv_handle* core) override;
    void left(QWidget& host, QRect area) override;

private:
    QPointer<QWidget> widget_;
    NativeDrawing drawing_;
};

} // namespace quorix::device
