#pragma once

#include "device/MpvCore.h"
#include "device/NativeDrawing.h"
#include "device/RendererProbe.h"
#include "device/ToolkitDisplay.h"
#include "device/VideoOutput.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::device {

// What a program asks of the media device.
struct DeviceRequest {
    // Where pictures go; no value: the output that suits the toolkit's platform.
    std::optional<VideoOutput> output;
    // How a native window is drawn; no value: as ForcedDrawingVariable says, else as the
    // machine's renderer suits.
    std::optional<NativeDrawing> drawing;
    bool audio = true;
};

// The request an output's name makes: "native", "gpu" or "x11" (a native window drawn so),
// "software" (painted through the toolkit), "wayland" (on a subsurface of a Wayland window) or
// "none" (no picture and no sound). No value for any other name.
std::optional<DeviceRequest> RequestNamed(std::string_view name);

// The media device's settings, made the same way by every program that has one: the output,
// how a native window is drawn (from the renderer probe), the sound, and what the toolkit must
// be told first. Made in two steps around the QApplication:
//
//     MpvSetUp setUp(request, argc, argv);    // before: starts the renderer probe
//     QApplication application(argc, argv);
//     MpvMciDevice device(setUp.settings(), paths);
//
// The probe runs in a forked child, so it must start before the toolkit's threads do; it starts
// only where the toolkit will draw on X11 and a native window may be drawn by the GPU, and its
// child is collected as soon as it is known not to be wanted. The set-up outlives the device.
class MpvSetUp {
public:
    // arguments: the command line as main() has it, where the toolkit's own options stand;
    // devices: the folder of the machine's device files, where graphics cards are looked for.
    MpvSetUp(const DeviceRequest& request, int argc, char** argv,
             const EnvironmentLookup& environment = ProcessEnvironment,
             const std::filesystem::path& devices = "/dev");
    MpvSetUp(const MpvSetUp&) = delete;
    MpvSetUp& operator=(const MpvSetUp&) = delete;

    // Needs the QApplication. The output is the one asked for, else the platform's.
    MpvSettings settings();
    // The output settings() gives.
    VideoOutput output() const;

private:
    NativeDrawing nativeDrawing();

    DeviceRequest request_;
    std::optional<std::string> forced_; // ForcedDrawingVariable's value, when set
    bool trace_;
    RendererProbe probe_;
    std::optional<NativeDrawing> decided_;
};

// Settings for measuring clips: no picture and no sound, no window needed.
MpvSettings SilentSettings();

} // namespace quorix::device
