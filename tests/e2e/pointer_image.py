"""The pointer image that the X server shows, read through the XFixes extension.

Screenshots never hold the pointer, and xdotool only tells where it is; XFixes hands out the
image of the cursor currently on screen, so a test can tell a blank pointer from a visible one.
"""

import ctypes


class _CursorImage(ctypes.Structure):
    _fields_ = [
        ("x", ctypes.c_short),
        ("y", ctypes.c_short),
        ("width", ctypes.c_ushort),
        ("height", ctypes.c_ushort),
        ("xhot", ctypes.c_ushort),
        ("yhot", ctypes.c_ushort),
        ("cursor_serial", ctypes.c_ulong),
        # ARGB, one 32-bit value in each unsigned long
        ("pixels", ctypes.POINTER(ctypes.c_ulong)),
        ("atom", ctypes.c_ulong),
        ("name", ctypes.c_char_p),
    ]


class PointerImage:
    """One connection to a display, for reading its current pointer image."""

    def __init__(self, display_name):
        self._x11 = ctypes.CDLL("libX11.so.6")
        self._xfixes = ctypes.CDLL("libXfixes.so.3")
        self._x11.XOpenDisplay.restype = ctypes.c_void_p
        self._x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self._x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self._x11.XFree.argtypes = [ctypes.c_void_p]
        self._xfixes.XFixesQueryExtension.argtypes = [
            ctypes.c_void_p,
            ctypes.POINTER(ctypes.c_int),
            ctypes.POINTER(ctypes.c_int),
        ]
        self._xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(_CursorImage)
        self._xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
        self._display = self._x11.XOpenDisplay(display_name.encode())
        if not self._display:
            raise OSError(f"cannot open X display {display_name}")
        event_base, error_base = ctypes.c_int(), ctypes.c_int()
        if not self._xfixes.XFixesQueryExtension(
            self._display, ctypes.byref(event_base), ctypes.byref(error_base)
        ):
            self.close()
            raise OSError(f"X display {display_name} has no XFixes extension")

    def visible_pixels(self):
        """How many pixels of the current pointer image are not fully transparent, and the
        cursor's name when the server knows one ('blank', 'left_ptr', ...)."""
        pointer = self._xfixes.XFixesGetCursorImage(self._display)
        if not pointer:
            raise OSError("XFixesGetCursorImage failed")
        try:
            image = pointer.contents
            count = image.width * image.height
            visible = sum(1 for i in range(count) if (image.pixels[i] >> 24) & 0xFF)
            name = image.name.decode(errors="replace") if image.name else ""
            return visible, name
        finally:
            self._x11.XFree(pointer)

    def close(self):
        if self._display:
            self._x11.XCloseDisplay(self._display)
            self._display = None
