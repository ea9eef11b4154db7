#pragma once

namespace quorix::device {

// Where the device shows pictures.
enum class VideoOutput {
    Native,   // the engine draws into a native child window (X11, Windows)
    Software, // the engine renders into images that a widget paints (Wayland, offscreen)
    None,     // no picture and no sound: for scripts and tests
};

// The output that suits the Qt platform this process runs on. Needs the Qt application.
VideoOutput videoOutputForPlatform();

} // namespace quorix::device
