#include "device/MpvSetUp.h"

#include <QApplication>
#include <algorithm>
#include <clocale>
#include <iostream>

namespace quorix::device {
namespace {

// The display to probe: none where no native window will be drawn by choice of the renderer,
// nor where the renderer can only be a software one.
std::string DisplayToProbe(const DeviceRequest& request, const std::optional<std::string>& forced,
                           int argc, char** argv, const EnvironmentLookup& environment,
                           const std::filesystem::path& devices) {
    if (request.output.value_or(VideoOutput::Native) != VideoOutput::Native ||
        (forced && DrawingNamed(*forced)) || !MayHaveGraphicsCard(devices)) {
        return {};
    }
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    return ToolkitX11Display(arguments, environment);
}

// A drawing asked for is followed as one forced through the environment is.
std::optional<std::string> ForcedDrawing(const DeviceRequest& request,
                                         const EnvironmentLookup& environment) {
    if (request.drawing) {
        return std::string(DrawingName(*request.drawing));
    }
    return environment(ForcedDrawingVariable);
}

} // namespace

std::optional<DeviceRequest> RequestNamed(std::string_view name) {
    if (name == "native") {
        return DeviceRequest{VideoOutput::Native, std::nullopt, true};
    }
    if (const std::optional<NativeDrawing> drawing = DrawingNamed(name)) {
        return DeviceRequest{VideoOutput::Native, drawing, true};
    }
    if (name == "software") {
        return DeviceRequest{VideoOutput::Software, std::nullopt, true};
    }
    if (name == "wayland") {
        return DeviceRequest{VideoOutput::Wayland, std::nullopt, true};
    }
    if (name == "none") {
        return DeviceRequest{VideoOutput::None, std::nullopt, false};
    }
    return std::nullopt;
}

MpvSetUp::MpvSetUp(const DeviceRequest& request, int argc, char** argv,
                   const EnvironmentLookup& environment, const std::filesystem::path& devices)
    : request_(request), forced_(ForcedDrawing(request, environment)),
      trace_(environment("QUORIX_TRACE").has_value()),
      probe_(DisplayToProbe(request, forced_, argc, argv, environment, devices)) {
    // A native video window is a child widget of the host: without this its siblings would turn
    // native too and paint black.
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
}

MpvSettings MpvSetUp::settings() {
    // The toolkit took the number format from the environment; libmpv reads "." decimals.
    std::setlocale(LC_NUMERIC, "C");
    MpvSettings settings;
    settings.output = output();
    settings.audio = request_.audio && settings.output != VideoOutput::None;
    if (settings.output == VideoOutput::Native) {
        // Asked when the first core is made: by then the probe has had the toolkit's start-up
        // to answer in.
        settings.nativeDrawing = [this] { return nativeDrawing(); };
    } else {
        probe_.end();
    }
    return settings;
}

VideoOutput MpvSetUp::output() const {
    return request_.output.value_or(videoOutputForPlatform());
}

NativeDrawing MpvSetUp::nativeDrawing() {
    if (!decided_) {
        // The choice is written to standard error when the benchmarks' trace is asked for.
        decided_ = DecideNativeDrawing(forced_, probe_, trace_, std::cerr);
    }
    return *decided_;
}

MpvSettings SilentSettings() {
    MpvSettings settings;
    settings.output = VideoOutput::None;
    settings.audio = false;
    return settings;
}

} // namespace quorix::device
