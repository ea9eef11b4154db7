#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorix::device {

// How libmpv draws into a native window.
enum class NativeDrawing {
    Gpu,    // libmpv's GPU output, through EGL
    Images, // plain X11 shared-memory images, scaled on the CPU
};

// What OpenGL names as the renderer of the display, and who made it.
struct GraphicsRenderer {
    std::string renderer;
    std::string vendor;
};

// Whether the renderer draws on the CPU: Mesa's software rasterizers and the ones libmpv itself
// refuses when it probes for its GPU output.
bool IsSoftwareRenderer(const GraphicsRenderer& renderer);

// Whether the machine whose device files lie in the folder given (/dev) may have a graphics card
// to draw with: a render node of the kernel's graphics drivers, or the proprietary NVIDIA
// driver's control device. Without either every OpenGL renderer is a software one, and asking
// which one costs loading it (a compiler among its libraries: a tenth of a second of CPU at
// every start). Elsewhere than on Linux, always true.
bool MayHaveGraphicsCard(const std::filesystem::path& devices);

// The drawing chosen, and why, in words for a trace; problem names a forced value that is not
// known (and so was not followed), empty when there is none.
struct DrawingChoice {
    NativeDrawing drawing;
    std::string reason;
    std::string problem;
};

// The name of the environment variable that forces a drawing ("gpu" or "x11").
constexpr const char* ForcedDrawingVariable = "QUORIX_VIDEO_OUTPUT";

// Chooses how pictures go into the native window. forced is the variable's value when set;
// renderer is what the probe found, no value when it found nothing (no EGL, no display).
DrawingChoice ChooseNativeDrawing(std::optional<std::string_view> forced,
                                  const std::optional<GraphicsRenderer>& renderer);

// The name used for a drawing in traces and in the variable: "gpu" or "x11".
std::string_view DrawingName(NativeDrawing drawing);
// The drawing of that name, if any.
std::optional<NativeDrawing> DrawingNamed(std::string_view name);

} // namespace quorix::device
