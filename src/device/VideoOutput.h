#pragma once

#include "device/NativeDrawing.h"

#include <functional>
#include <memory>

class QWidget;

namespace quorix::device {

class VideoSurface;

// Where the device shows pictures.
enum class VideoOutput {
    Native,   // the engine draws into a native child window (X11, Windows)
    Software, // the engine renders into images that a widget paints (offscreen, others)
    Wayland,  // rendered likewise, into buffers that the compositor shows on a subsurface
    None,     // no picture and no sound: for scripts and tests
};

// The output that suits the Qt platform this process runs on. Needs the Qt application.
VideoOutput videoOutputForPlatform();

// The surface of an output, its widget (if any) made in holder. A native window is drawn as
// nativeDrawing says, asked now (plain X11 images without it). Null, with the reason logged, for
// an output that has no surface here.
std::unique_ptr<VideoSurface> MakeVideoSurface(VideoOutput output,
                                               const std::function<NativeDrawing()>& nativeDrawing,
                                               QWidget& holder);

} // namespace quorix::device
