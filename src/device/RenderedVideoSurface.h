#pragma once

#include "device/SoftwareVideoSurface.h"
#include "device/VideoSurface.h"

#include <QPointer>

namespace quorix::device {

// Pictures that libmpv renders in software ("libmpv" output) into a SoftwareVideoSurface or one
// of its kind, which shows them where no foreign library may draw into a window of ours.
class RenderedVideoSurface final : public VideoSurface {
public:
    // widget: made in the core's holder, which owns it.
    explicit RenderedVideoSurface(SoftwareVideoSurface* widget);

    QWidget* widget() const override { return widget_; }
    bool configure(mpv_handle* core) override;
    bool attach(mpv_handle* core) override;
    void detach() override;
    bool waitUntilDrawn(std::chrono::steady_clock::time_point deadline) override;
    bool pictureFits() override;
    void clear() override;

private:
    // Guarded: the window the picture was shown in may be destroyed with it before the core.
    QPointer<SoftwareVideoSurface> widget_;
};

} // namespace quorix::device
