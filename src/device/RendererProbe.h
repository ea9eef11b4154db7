#pragma once

#include "device/NativeDrawing.h"

#include <chrono>
#include <optional>
#include <ostream>
#include <string>
#include <sys/types.h>

namespace quorix::device {

// Asks EGL which OpenGL renderer an X display has, in a child process: a software renderer's
// libraries take tens of megabytes of resident memory once loaded, which this process never
// needs when it then draws without OpenGL. The child is forked, so the probe must start before
// this process has a second thread (before the QApplication is made); its answer is read later.
class RendererProbe {
public:
    // Starts probing the display named; an empty name probes none.
    explicit RendererProbe(const std::string& display);
    // A probe still running is ended.
    ~RendererProbe();
    RendererProbe(const RendererProbe&) = delete;
    RendererProbe& operator=(const RendererProbe&) = delete;

    // The renderer found, waiting for the child at most until deadline (a child that has not
    // answered by then is ended). No value when there was nothing to probe or nothing found.
    // Later calls give the same answer at once.
    std::optional<GraphicsRenderer> result(std::chrono::steady_clock::time_point deadline);
    // Ends a probe whose answer is not wanted, and collects its child at once: a child left
    // uncollected stays in the process table for as long as this process runs.
    void end();

private:
    // Closes the pipe and collects the child; one that has not answered is ended first.
    void finish(bool answered);

    pid_t child_ = -1;
    int answer_ = -1; // the read end of the child's pipe
    std::string received_;
    bool done_ = false;
    std::optional<GraphicsRenderer> renderer_;
};

// How this machine's native window is drawn: as forced (the value of ForcedDrawingVariable, when
// set), else as the probe found, waiting for it at most two seconds. A forced value that is not
// known is reported to errors; the choice and its reason are too when trace is set.
NativeDrawing DecideNativeDrawing(const std::optional<std::string>& forced, RendererProbe& probe,
                                  bool trace, std::ostream& errors);

} // namespace quorix::device
