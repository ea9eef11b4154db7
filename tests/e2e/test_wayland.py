#!/usr/bin/env python3
"""The presenter natively on Wayland, one case a run (--case):

cage, the kiosk compositor, and weston's headless back end (which has no keyboard and so never
activates the window): the sample disc's intro plays and its menu follows, entry 1 highlighted.

sway, whose virtual keyboard gives the keys: after the sample disc's menu Esc ends the program
with status 0. A generated clip played full screen hides the pointer resting over it: Space holds
its picture, Shift+Right moves it on by one frame, Ctrl+Right by twelve and Shift+Left back by one
(read from where the clip's moving square stands); moves of the pointer then bring up the
position bar and the pointer, and a click on the bar seeks on. A clip under an extension no
device plays (263) brings up the second window; Return closes it, and the status is 0.

kiosk: the kiosk service's command line (quorix-kiosk FOLDER, which runs cage -- quorix FOLDER)
ends with status 0 after a presentation that ends as designed, so the service stays stopped, and
with a failure after the presenter crashes, so the service starts it again.
"""

import os
import signal
from pathlib import Path

import wayland
from harness import SECOND_WINDOW_SIZE
from media import (CLIP_BORDER, CLIP_WIDTH, GREEN, RED, Clip, make_disc, make_small_clip,
                   write_settings)
from picture import Picture, changes, filled

# The generated clips' white square moves 120 clip pixels a second at 25 frames a second, round
# a track of this many pixels.
SQUARE_STEP, SQUARE_TRACK = 120 / 25, CLIP_WIDTH - 2 * CLIP_BORDER - 32
PLAY_ONCE = {"menumode": 0, "loopmode": 0, "logomode": 0}


def square_moved(c, before, after, screen):
    """How far the clip's white square moved between two screenshots, in clip pixels (the clip
    fills the window), from -half to +half its track."""
    def square_x(shot):
        xs = [x for x, y in shot.points(*screen, step=2) if min(shot.pixel(x, y)) > 225]
        return sum(xs) / len(xs) * CLIP_WIDTH / screen[2] if len(xs) > 8 else None

    start, end = square_x(before), square_x(after)
    c.check(start is not None and end is not None, "the clip's square is not on screen")
    moved = (end - start) % SQUARE_TRACK
    return moved - SQUARE_TRACK if moved > SQUARE_TRACK / 2 else moved


def quits(c, key, after):
    c.key(key)
    status = c.wait_exit(15)
    c.check(status == 0, f"the presenter ended with status {status} after {after}, not 0")


def sway(c):
    screen = wayland.sample_disc_menu(c)
    quits(c, "Escape", "Esc in the menu")

    steps = make_disc(c.work / "steps/quorix", [Clip("Steps", "s.mpg", GREEN, 8)], PLAY_ONCE)
    c.start(steps.parent)
    # The pointer rests on the clip's ground, above the square's track.
    x, y = screen[2] // 2, screen[3] // 4
    spot = (x - 2, y - 2, x + 24, y + 24)
    c.pointer(x, y)
    c.wait_for("the clip (green) playing", lambda s: filled(s, screen, GREEN, 0.4), timeout=15)
    c.check(filled(c.shot(), spot, GREEN, 0.99), "the pointer shows over the playing clip")
    c.key("space")
    held = c.wait_for("the picture held after Space", changes(screen, still=True, limit=10), 5)
    c.hold("the paused picture", lambda s: s.differing(held, screen, step=4) < 10, 1)
    for key, frames in (("shift+Right", 1), ("ctrl+Right", 12), ("shift+Left", -1)):
        before = c.shot()
        c.key(key)
        held = c.wait_for(f"{key}: a new frame",
                          lambda s: s.differing(before, screen, step=4) > 10, timeout=5)
        moved = square_moved(c, before, held, screen)
        c.check(abs(moved - frames * SQUARE_STEP) < SQUARE_STEP / 2,
                f"{key} moved the picture by {moved / SQUARE_STEP:.2f} frames, not {frames}")

    # Over the paused clip the eighth move of the pointer brings up the position bar and the
    # pointer; a click on the bar right of its handle seeks on.
    bottom = (0, screen[3] * 7 // 8, screen[2], screen[3])
    for moved in range(1, 9):
        c.pointer(x + moved, y)
    bar = c.wait_for("the position bar and the pointer", lambda s: s.differing(
        held, bottom, step=2) > 50 and not filled(s, spot, GREEN, 0.99), timeout=5)
    # The row of button, panel and two buttons, found by what it changed: the bar lies in the
    # panel, its right part a third of the row from the row's right end.
    changed = [p for p in bar.points(*bottom, 2) if bar.differing(held, (*p, p[0] + 1, p[1] + 1))]
    left, right = min(p[0] for p in changed), max(p[0] for p in changed)
    top, low = min(p[1] for p in changed), max(p[1] for p in changed)
    c.pointer(right - (right - left) // 3, (top + low) // 2, click=True)
    sought = c.wait_for("a new frame after the click on the bar", lambda s: s.differing(
        bar, (0, 0, screen[2], bottom[1]), step=4) > 10, timeout=5)
    c.check(square_moved(c, bar, sought, screen) > 0,
            "the click right of the bar's handle did not seek on")
    quits(c, "Escape", "Esc in the clip")

    # A playable clip named .xyz: no device is named for it, and the second window shows; sway
    # shows it full screen, as every window here, its picture at the screen's top left.
    media = c.work / "unknown/quorix"
    media.mkdir(parents=True)
    write_settings(media, {"menumode": 0, "logomode": 0}, ["Only"], {"Only": "clip.xyz"})
    make_small_clip(media / "clip.xyz", GREEN)
    c.start(media.parent)
    design = Picture.from_file(Path(c.options.source_dir) / "src/ui/pictures/cannot-play.bmp",
                               "-crop", "%dx%d+0+0" % SECOND_WINDOW_SIZE)
    c.wait_for("the second window", lambda s: s.mismatch(design, 0, 0, 16, 3) <= 0.05, 15)
    quits(c, "Return", "the second window")


def kiosk(c):
    c.start(make_disc(c.work / "played/quorix", [Clip("Red", "red.mpg", RED, 1)], PLAY_ONCE).parent)
    status = c.wait_exit(40)
    c.check(status == 0, f"the kiosk command ended with status {status} after a normal end")

    c.start(make_disc(c.work / "long/quorix", [Clip("Red", "red.mpg", RED, 30)], PLAY_ONCE).parent)
    pid = c.presenter_pid()
    c.log(f"crashing the presenter {pid}")
    os.kill(pid, signal.SIGSEGV)
    status = c.wait_exit(20)
    c.check(status != 0, "the kiosk command ended with status 0 after the presenter crashed")


if __name__ == "__main__":
    wayland.run({"cage": ("cage", wayland.sample_disc_menu), "sway": ("sway", sway),
                 "weston": ("weston", wayland.sample_disc_menu), "kiosk": ("kiosk", kiosk)})
