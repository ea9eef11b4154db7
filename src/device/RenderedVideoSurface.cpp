#include "device/RenderedVideoSurface.h"

#include "device/MpvOptions.h"
#include "platform/Logging.h"

namespace quorix::device {

RenderedVideoSurface::RenderedVideoSurface(SoftwareVideoSurface* widget) : widget_(widget) {}

bool RenderedVideoSurface::configure(mpv_handle* core) {
    return SetOption(core, "vo", "libmpv");
}

bool RenderedVideoSurface::attach(mpv_handle* core) {
    if (widget_ == nullptr || !widget_->attach(core)) {
        qCInfo(platform::lcDevice) << "libmpv gave no render context for the software surface";
        return false;
    }
    return true;
}

void RenderedVideoSurface::detach() {
    if (widget_ != nullptr) {
        widget_->detach();
    }
}

bool RenderedVideoSurface::waitUntilDrawn(std::chrono::steady_clock::time_point deadline) {
    return widget_ == nullptr || widget_->renderCurrentFrame(deadline);
}

bool RenderedVideoSurface::pictureFits() {
    return widget_ == nullptr || widget_->pictureFits();
}

void RenderedVideoSurface::clear() {
    if (widget_ != nullptr) {
        widget_->clear();
    }
}

} // namespace quorix::device
