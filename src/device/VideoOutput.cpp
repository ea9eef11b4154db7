#include "device/VideoOutput.h"

#include "device/MpvOptions.h"
#include "device/NativeVideoSurface.h"
#include "device/RenderedVideoSurface.h"
#include "device/WaylandVideoSurface.h"
#include "platform/Logging.h"

#include <QGuiApplication>

namespace quorix::device {
namespace {

// No picture: libmpv decodes and shows nothing.
class NoVideoSurface final : public VideoSurface {
public:
    QWidget* widget() const override { return nullptr; }
    bool configure(mpv_handle* core) override { return SetOption(core, "vo", "null"); }
};

} // namespace

VideoOutput videoOutputForPlatform() {
    const QString platform = QGuiApplication::platformName();
    // Only these let a foreign library draw into a window of ours; elsewhere the picture is
    // rendered in software, and handed to a Wayland compositor or painted by Qt.
    if (platform == QLatin1String("xcb") || platform == QLatin1String("windows")) {
        return VideoOutput::Native;
    }
    if (platform.startsWith(QLatin1String("wayland"))) {
        return VideoOutput::Wayland;
    }
    return VideoOutput::Software;
}

std::unique_ptr<VideoSurface> MakeVideoSurface(VideoOutput output,
                                               const std::function<NativeDrawing()>& nativeDrawing,
                                               QWidget& holder) {
    switch (output) {
    case VideoOutput::Native:
        return std::make_unique<NativeVideoSurface>(holder, nativeDrawing ? nativeDrawing()
                                                                          : NativeDrawing::Images);
    case VideoOutput::Software:
        return std::make_unique<RenderedVideoSurface>(new SoftwareVideoSurface(&holder));
    case VideoOutput::Wayland:
        return std::make_unique<RenderedVideoSurface>(new WaylandVideoSurface(&holder));
    case VideoOutput::None:
        return std::make_unique<NoVideoSurface>();
    }
    // A value no output stands for is refused, never taken for one of them.
    qCInfo(platform::lcDevice) << "no video output" << static_cast<int>(output) << "here";
    return nullptr;
}

} // namespace quorix::device
