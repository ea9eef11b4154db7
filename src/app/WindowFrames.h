#pragma once

namespace quorix::app {

// On Wayland, Qt learns whether it may draw window frames itself by bringing up the GL stack
// first: EGL and a driver, on a machine without a GPU the software rasterizer with LLVM. That is
// about 50 MiB and a tenth of a second of the presenter's start, for frames that its main window
// (borderless) never has. Where the compositor offers to draw frames itself (server-side
// decorations: cage, sway, KDE), the dialogs get theirs from it, and Qt is told to draw none.
// Elsewhere (GNOME, Weston) Qt keeps drawing them. Needs the Qt application and must come before
// the first window is shown; leaves a QT_WAYLAND_DISABLE_WINDOWDECORATION set from outside as it
// is.
void LeaveWindowFramesToCompositor();

} // namespace quorix::app
