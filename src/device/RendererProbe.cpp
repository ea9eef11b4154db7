#include "device/RendererProbe.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <ostream>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#if QUORIX_HAVE_EGL
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <X11/Xlib.h>
#endif

namespace quorix::device {
namespace {

#if QUORIX_HAVE_EGL
constexpr EGLenum Renderer = 0x1F01; // GL_RENDERER
constexpr EGLenum Vendor = 0x1F00;   // GL_VENDOR
using GetString = const unsigned char* (*)(EGLenum);

// A context of the API given on a 1 x 1 off-screen surface; false when EGL has none.
bool MakeCurrent(EGLDisplay display, EGLenum api, EGLint apiBit) {
    if (eglBindAPI(api) != EGL_TRUE) {
        return false;
    }
    const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, apiBit,
                             EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (eglChooseConfig(display, wanted, &config, 1, &count) != EGL_TRUE || count < 1) {
        return false;
    }
    const EGLint esVersion[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT,
                                          api == EGL_OPENGL_ES_API ? esVersion : nullptr);
    const EGLint size[] = {EGL_WIDTH, 1, EGL_HEIGHT, 1, EGL_NONE};
    EGLSurface surface = eglCreatePbufferSurface(display, config, size);
    return context != EGL_NO_CONTEXT && surface != EGL_NO_SURFACE &&
           eglMakeCurrent(display, surface, surface, context) == EGL_TRUE;
}

// The renderer's name and vendor, a line each, as libmpv's GPU output would meet them: EGL on
// the X display, desktop OpenGL first, else OpenGL ES. Empty when there is none.
std::string Probe(const std::string& displayName) {
    Display* x = XOpenDisplay(displayName.c_str());
    if (x == nullptr) {
        return {};
    }
    auto platformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    EGLDisplay display = platformDisplay != nullptr
                             ? platformDisplay(EGL_PLATFORM_X11_EXT, x, nullptr)
                             : eglGetDisplay(reinterpret_cast<EGLNativeDisplayType>(x));
    EGLint major = 0;
    EGLint minor = 0;
    if (display == EGL_NO_DISPLAY || eglInitialize(display, &major, &minor) != EGL_TRUE) {
        return {};
    }
    if (!MakeCurrent(display, EGL_OPENGL_API, EGL_OPENGL_BIT) &&
        !MakeCurrent(display, EGL_OPENGL_ES_API, EGL_OPENGL_ES2_BIT)) {
        return {};
    }
    auto getString = reinterpret_cast<GetString>(eglGetProcAddress("glGetString"));
    if (getString == nullptr) {
        return {};
    }
    const auto text = [&](EGLenum name) {
        const unsigned char* value = getString(name);
        return value != nullptr ? std::string(reinterpret_cast<const char*>(value)) : std::string();
    };
    return text(Renderer) + "\n" + text(Vendor) + "\n";
}
#else
std::string Probe(const std::string&) {
    return {};
}
#endif

// The child's whole life: probe, write the answer, leave without running this process's exit
// handlers (they belong to the parent).
[[noreturn]] void RunChild(const std::string& display, int answer) {
    // Graphics drivers complain on standard error about what they cannot find; the parent's
    // choice is what matters, and it is reported there when asked.
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
        dup2(null, STDERR_FILENO);
    }
    const std::string text = Probe(display);
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t count = write(answer, text.data() + written, text.size() - written);
        if (count <= 0 && errno != EINTR) {
            break;
        }
        written += count > 0 ? static_cast<std::size_t>(count) : 0;
    }
    _exit(0);
}

} // namespace

RendererProbe::RendererProbe(const std::string& display) {
    if (display.empty()) {
        done_ = true;
        return;
    }
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        done_ = true;
        return;
    }
    child_ = fork();
    if (child_ == 0) {
        close(ends[0]);
        RunChild(display, ends[1]);
    }
    close(ends[1]);
    if (child_ < 0) {
        close(ends[0]);
        done_ = true;
        return;
    }
    answer_ = ends[0];
}

RendererProbe::~RendererProbe() {
    end();
}

void RendererProbe::end() {
    if (!done_) {
        finish(false);
    }
}

std::optional<GraphicsRenderer>
RendererProbe::result(std::chrono::steady_clock::time_point deadline) {
    while (!done_) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd ready{answer_, POLLIN, 0};
        const int polled = poll(&ready, 1, static_cast<int>(left.count()));
        if (polled < 0 && errno != EINTR) {
            break;
        }
        if (polled <= 0) {
            continue;
        }
        char buffer[512];
        const ssize_t count = read(answer_, buffer, sizeof buffer);
        if (count > 0) {
            received_.append(buffer, static_cast<std::size_t>(count));
        } else if (count == 0 || errno != EINTR) {
            // The child has answered in full (or failed): two lines, the renderer and its maker.
            const std::size_t first = received_.find('\n');
            const std::size_t second =
                first == std::string::npos ? first : received_.find('\n', first + 1);
            if (second != std::string::npos) {
                renderer_ = GraphicsRenderer{received_.substr(0, first),
                                             received_.substr(first + 1, second - first - 1)};
            }
            finish(true);
        }
    }
    end();
    return renderer_;
}

void RendererProbe::finish(bool answered) {
    done_ = true;
    close(answer_);
    answer_ = -1;
    // A child that has not answered in time hangs in a driver: it is ended, by its id. One that
    // has answered is leaving at once.
    if (!answered) {
        kill(child_, SIGKILL);
    }
    int status = 0;
    while (waitpid(child_, &status, 0) < 0 && errno == EINTR) {
    }
    child_ = -1;
}

NativeDrawing DecideNativeDrawing(const std::optional<std::string>& forced, RendererProbe& probe,
                                  bool trace, std::ostream& errors) {
    const std::optional<GraphicsRenderer> renderer =
        probe.result(std::chrono::steady_clock::now() + std::chrono::seconds(2));
    const DrawingChoice choice = ChooseNativeDrawing(
        forced ? std::optional<std::string_view>(*forced) : std::nullopt, renderer);
    if (!choice.problem.empty()) {
        errors << "quorix: " << choice.problem << "\n";
    }
    if (trace) {
        errors << "quorix: video output " << DrawingName(choice.drawing) << ": " << choice.reason
               << "\n";
    }
    return choice.drawing;
}

} // namespace quorix::device
