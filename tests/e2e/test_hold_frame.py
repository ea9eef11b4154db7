#!/usr/bin/env python3
"""Clips played one after the other, a red one then a blue one, filmed at a spot of the video
area: at 50 frames a second on X11, and as fast as grim takes pictures under cage (--case cage).
With holdframe=1 the last red picture stays until the first blue one replaces it: every frame
filmed from the first red one to the first blue one is red. Without the key the window is black
between them for a while, as it has always been. After the last clip, black until the end
either way."""

import re
import sys

import harness
from media import BLUE, RED, make_clip, write_settings
from picture import near

# Where the clips' ground shows on the 1024 x 768 screen (the 320 x 240 clip stretched 3.2 times):
# below the white square's path and inside the border band.
SPOT = (508, 636)
SIDE = 8
RATE = 50


def disc(s, name, settings):
    media = s.work / name / "quorix"
    media.mkdir(parents=True)
    make_clip(media / "red.mpg", RED, 2)
    make_clip(media / "blue.mpg", BLUE, 1)
    # grim's pictures can come too far apart to catch 140 ms of black: under cage the full tick
    # leaves about 2 s between the clips.
    tick = 1000 if s.options.case else 100
    write_settings(media, {"menumode": 0, "intro": -1, "interval": tick, **settings},
                   ["Red", "Blue"], {"Red": "red.mpg", "Blue": "blue.mpg"})
    return media.parent


def film(s, folder):
    """The spot's mean colour in each frame filmed while the presenter runs its two clips."""
    film = folder / "film"
    if s.options.case:
        # The compositor's socket is there once the presenter has been started.
        s.start(folder)
        camera = s.spawn(["sh", "-c", f"while :; do grim -g '{SPOT[0]},{SPOT[1]} {SIDE}x{SIDE}'"
                          f" -t ppm - >>{film}; done"])
    else:
        camera = s.spawn(["ffmpeg", "-nostdin", "-loglevel", "error", "-f", "x11grab",
                          "-draw_mouse", "0", "-framerate", str(RATE), "-video_size",
                          f"{SIDE}x{SIDE}", "-i", f"{s.env['DISPLAY']}+{SPOT[0]},{SPOT[1]}",
                          "-f", "rawvideo", "-pix_fmt", "rgb24", str(film)])
        s.start(folder)
    s.check(s.wait_exit(30) == 0, "the presenter did not end by itself after the blue clip")
    harness.end(camera)
    # Raw frames one after the other, or grim's pictures with their headers.
    raw = re.sub(rb"P6\s+\d+\s+\d+\s+255\s", b"", film.read_bytes())
    frame = SIDE * SIDE * 3
    colours = []
    for start in range(0, len(raw) - frame + 1, frame):
        pixels = raw[start:start + frame]
        colours.append(tuple(sum(pixels[c::3]) // (SIDE * SIDE) for c in range(3)))
    return colours


def between(colours):
    """The frames filmed from the first red one up to the first blue one after it."""
    red = [i for i, c in enumerate(colours) if near(c, RED)]
    blue = [i for i, c in enumerate(colours) if near(c, BLUE) and red and i > red[0]]
    if not blue:
        raise harness.Failure(f"red then blue were not filmed: {colours}")
    return colours[red[0]:blue[0]]


def test(s):
    if not s.options.case:
        # Told apart from the presenter's black once it has ended.
        s.tool("xsetroot", "-solid", "#406040")
    colours = film(s, disc(s, "held", {"holdframe": 1}))
    held = between(colours)
    others = [c for c in held if not near(c, RED)]
    s.log(f"holdframe=1: {len(held)} frames from the first red to the first blue")
    s.check(not others, f"with holdframe=1, frames between red and blue showed {others}")
    last = max(i for i, c in enumerate(colours) if near(c, BLUE))
    s.check(any(max(c) < 40 for c in colours[last:]), "the last blue picture stayed to the end")

    black = between(film(s, disc(s, "black", {})))
    dark = [c for c in black if max(c) < 40]
    s.log(f"no key: {len(dark)} black frames between red and blue")
    s.check(dark, "without holdframe, no black frame was filmed between red and blue")


if __name__ == "__main__":
    if "--case" in sys.argv:
        from test_wayland import Compositor
        harness.run(test, Compositor)
    else:
        harness.run(test)
