#include "device/NativeDrawing.h"

namespace quorix::device {

bool IsSoftwareRenderer(const GraphicsRenderer& renderer) {
    const std::string_view name = renderer.renderer;
    const auto holds = [&name](std::string_view word) {
        return name.find(word) != std::string_view::npos;
    };
    // Mesa names its rasterizers (also under zink, "zink (llvmpipe ...)"); the rest are the
    // names libmpv refuses: Windows' GDI renderer, old Mesa's Xlib driver, Apple's fallback.
    return name.empty() || renderer.vendor.empty() || holds("llvmpipe") || holds("softpipe") ||
           holds("swrast") || name == "Software Rasterizer" || name == "Mesa X11" ||
           name == "Apple Software Renderer" || renderer.vendor == "Microsoft Corporation";
}

bool MayHaveGraphicsCard(const std::filesystem::path& devices) {
#ifdef __linux__
    std::error_code failed;
    if (std::filesystem::exists(devices / "nvidiactl", failed)) {
        return true;
    }
    for (std::filesystem::directory_iterator entry(devices / "dri", failed), end;
         !failed && entry != end; entry.increment(failed)) {
        if (entry->path().filename().string().starts_with("renderD")) {
            return true;
        }
    }
    return false;
#else
    (void)devices;
    return true;
#endif
}

DrawingChoice ChooseNativeDrawing(std::optional<std::string_view> forced,
                                  const std::optional<GraphicsRenderer>& renderer) {
    // Why each drawing, in one place:
    // - The GPU output scales and converts every frame with shaders. On a graphics card that is
    //   the cheapest way there is, and it goes through EGL: a GLX context, torn down and made
    //   again between clips, takes some X servers (Xvfb among them) down with it.
    // - On a renderer that runs those shaders on the CPU (llvmpipe and the like: virtual
    //   machines, thin clients, old kiosk PCs, every CI run) the same output costs about five
    //   times the CPU of plain X11 images, which libmpv scales with its own optimised code and
    //   hands to the X server through shared memory. libmpv's own probing refuses such
    //   renderers for the same reason.
    // - Without a probe result (no EGL, no display the probe could open, a probe that hung) the
    //   X11 images: they work on every X server, where the GPU output might not.
    // Either way the output is made once and kept from clip to clip.
    DrawingChoice choice{NativeDrawing::Images, {}, {}};
    if (forced) {
        if (const std::optional<NativeDrawing> named = DrawingNamed(*forced)) {
            return {*named, std::string(ForcedDrawingVariable) + " asks for it", {}};
        }
        choice.problem = std::string(ForcedDrawingVariable) + "='" + std::string(*forced) +
                         "' is neither 'gpu' nor 'x11'; ignored";
    }
    if (!renderer) {
        choice.reason = "no OpenGL renderer found through EGL";
    } else if (IsSoftwareRenderer(*renderer)) {
        choice.reason = "the OpenGL renderer '" + renderer->renderer + "' draws on the CPU";
    } else {
        choice.drawing = NativeDrawing::Gpu;
        choice.reason = "the OpenGL renderer '" + renderer->renderer + "' is a graphics card";
    }
    return choice;
}

std::string_view DrawingName(NativeDrawing drawing) {
    return drawing == NativeDrawing::Gpu ? "gpu" : "x11";
}

std::optional<NativeDrawing> DrawingNamed(std::string_view name) {
    for (NativeDrawing drawing : {NativeDrawing::Gpu, NativeDrawing::Images}) {
        if (name == DrawingName(drawing)) {
            return drawing;
        }
    }
    return std::nullopt;
}

} // namespace quorix::device
