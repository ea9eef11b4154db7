// What one picture costs to scale and convert as the software and Wayland surfaces have libmpv
// do it: CPU and wall time a picture, for each set of scaler options given.
//
//   quorix-render-bench CLIP WIDTHxHEIGHT [SET;SET...] [PICTURES]
//
// A SET is libmpv options laid over the device's own, "name=value,name=value" ("" for none).
// Unless given, the device's two scalers: "sws-allow-zimg=no;sws-allow-zimg=yes". Each set renders
// the clip's first frame PICTURES times (300 unless given) at the size given, in "bgra" as the
// surfaces do.

#include "device/MpvOptions.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mpv/client.h>
#include <mpv/render.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace quorix::device;

struct Cost {
    double cpuMs = 0;
    double wallMs = 0;
};

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Waits until the core shows the loaded clip's first frame. False on an error or after 10 s.
bool WaitForFirstFrame(mpv_handle* core) {
    for (;;) {
        const mpv_event* event = mpv_wait_event(core, 10);
        switch (event->event_id) {
        case MPV_EVENT_PLAYBACK_RESTART:
            return true;
        case MPV_EVENT_NONE:
        case MPV_EVENT_END_FILE:
        case MPV_EVENT_SHUTDOWN:
            return false;
        default:
            break;
        }
    }
}

// Sets "name=value,name=value" on the core; false on a malformed or refused option.
bool SetOptionSet(mpv_handle* core, const std::string& set) {
    std::stringstream options(set);
    for (std::string option; std::getline(options, option, ',');) {
        const auto equals = option.find('=');
        if (equals == std::string::npos ||
            !SetOption(core, option.substr(0, equals).c_str(), option.substr(equals + 1).c_str())) {
            std::fprintf(stderr, "quorix-render-bench: cannot set %s\n", option.c_str());
            return false;
        }
    }
    return true;
}

bool Measure(const char* clip, int width, int height, const std::string& set, int pictures,
             Cost& cost) {
    mpv_handle* core = mpv_create();
    if (core == nullptr) {
        return false;
    }
    char apiType[] = MPV_RENDER_API_TYPE_SW;
    mpv_render_param create[] = {{MPV_RENDER_PARAM_API_TYPE, apiType},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context* context = nullptr;
    const char* load[] = {"loadfile", clip, nullptr};
    bool ok = SetCommonOptions(core, false, 4 << 20) && SetOption(core, "vo", "libmpv") &&
              SetOptionSet(core, set) && mpv_initialize(core) >= 0 &&
              mpv_render_context_create(&context, core, create) >= 0 &&
              mpv_command(core, load) >= 0 && WaitForFirstFrame(core);
    if (ok) {
        int size[2] = {width, height};
        std::size_t stride = static_cast<std::size_t>(width) * 4;
        std::vector<unsigned char> pixels(stride * static_cast<std::size_t>(height));
        char format[] = "bgra";
        mpv_render_param render[] = {{MPV_RENDER_PARAM_SW_SIZE, size},
                                     {MPV_RENDER_PARAM_SW_FORMAT, format},
                                     {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                     {MPV_RENDER_PARAM_SW_POINTER, pixels.data()},
                                     {MPV_RENDER_PARAM_INVALID, nullptr}};
        // The first pictures set the scaler up.
        for (int i = 0; i < 5 && ok; ++i) {
            ok = mpv_render_context_render(context, render) >= 0;
        }
        const double cpuStart = CpuSeconds();
        const auto wallStart = std::chrono::steady_clock::now();
        for (int i = 0; i < pictures && ok; ++i) {
            ok = mpv_render_context_render(context, render) >= 0;
        }
        cost.cpuMs = (CpuSeconds() - cpuStart) * 1000 / pictures;
        cost.wallMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wallStart)
                .count() /
            pictures;
    }
    if (context != nullptr) {
        mpv_render_context_free(context);
    }
    mpv_terminate_destroy(core);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    int width = 0;
    int height = 0;
    if (argc < 3 || std::sscanf(argv[2], "%dx%d", &width, &height) != 2 || width <= 0 ||
        height <= 0) {
        std::fprintf(stderr, "usage: quorix-render-bench CLIP WIDTHxHEIGHT [SET;SET...] "
                             "[PICTURES]\n");
        return 2;
    }
    std::stringstream sets(argc > 3 ? argv[3] : "sws-allow-zimg=no;sws-allow-zimg=yes");
    const int pictures = argc > 4 ? std::max(1, std::atoi(argv[4])) : 300;
    std::printf("%s at %dx%d, %d pictures\n", argv[1], width, height, pictures);
    for (std::string set; std::getline(sets, set, ';');) {
        Cost cost;
        if (!Measure(argv[1], width, height, set, pictures, cost)) {
            std::fprintf(stderr, "quorix-render-bench: libmpv could not render %s\n", argv[1]);
            return 1;
        }
        std::printf("%s: %.2f ms CPU, %.2f ms wall a picture\n",
                    set.empty() ? "device's own" : set.c_str(), cost.cpuMs, cost.wallMs);
    }
    return 0;
}
