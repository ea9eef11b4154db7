#pragma once

#include <cstdint>

class QWidget;

namespace quorix::platform {

// How the windows that the media device is told to show pictures in are named.
//
// Where the device draws into a window itself (X11, Windows) that window is native and its handle
// is its native id. Where the program paints the pictures itself (Wayland, the offscreen
// platform) the window stays an ordinary widget: on Wayland a native child window becomes a
// subsurface that Qt's software back end never hands a buffer, so it and all it holds would
// stay blank. Such a widget is given a small number of its own, kept as a property on it.
enum class WindowHandles {
    Native,
    Painted,
};

// The property that holds a painted window's handle.
inline constexpr const char* PaintedWindowHandleProperty = "quorixWindowHandle";

// The widget with this handle, native or painted; null when there is none.
QWidget* FindWindowByHandle(std::uint64_t handle);

} // namespace quorix::platform
