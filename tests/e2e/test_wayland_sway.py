#!/usr/bin/env python3
"""The sample disc natively on Wayland under sway: the intro plays (its picture changes), the
menu follows with entry 1 highlighted, keys from the compositor's virtual keyboard choose
"Sunrise", which plays and ends back in the menu on its entry, and Esc ends the program with
status 0. A clip missing on disc brings up the message box, which Return closes: the program
then ends with status 0. A generated clip played full screen hides the pointer resting over it:
Space holds its picture, Shift+Right moves it on by one frame, Ctrl+Right by twelve and Shift+Left
back by one (read from where the clip's moving square stands); moves of the pointer then bring up
the position bar and the pointer, and a click on the bar seeks on. A clip under an extension no
device plays (263) brings up the second window instead of a message; Return closes it and the
program ends with status 0.
"""

from pathlib import Path

import wayland
from harness import SECOND_WINDOW_SIZE
from media import CLIP_BORDER, CLIP_WIDTH, GREEN, Clip, make_disc, make_small_clip, write_settings
from picture import Picture
from screen_checks import filled, highlighted_lines
from wayland import HIGHLIGHT, SUNRISE_YELLOW, TITLE, WELCOME_RED, moving


def test(c):
    root = c.copy_sample_disc()
    c.start([c.options.quorix], root)

    first = c.wait_for("a first picture", lambda shot: shot.width > 0, timeout=10)
    screen = (0, 0, first.width, first.height)
    # The titles stand in the middle of the backdrop, which fills the window without wide mode.
    menu_area = (first.width // 7, first.height // 8, first.width * 6 // 7, first.height * 7 // 8)

    def highlight_on(entry):
        return lambda shot: highlighted_lines(shot, menu_area, TITLE, HIGHLIGHT, 4) == [entry]

    c.wait_for("the intro (red) over the window", lambda s: filled(s, screen, WELCOME_RED, 0.6))
    c.wait_for("the intro running", moving(screen), timeout=5)
    c.wait_for("the menu with entry 1 highlighted", highlight_on(0), timeout=15)

    c.key("Down", "Down", "Down")
    c.wait_for("the highlight on entry 4", highlight_on(3), timeout=5)
    c.key("Return")
    c.wait_for("Sunrise (yellow) playing", lambda s: filled(s, screen, SUNRISE_YELLOW, 0.6), 10)
    c.wait_for("Sunrise running", moving(screen), timeout=5)
    c.wait_for("the menu again, on Sunrise", highlight_on(3), timeout=15)

    c.key("Escape")
    status = c.wait_exit(15)
    c.check(status == 0, f"the presenter ended with status {status} after Esc, not 0")

    # Play-all, the only clip missing, no logo: the message box over the black window.
    media = make_disc(
        c.work / "missing" / "quorix",
        [Clip("Gone", "gone.mpg", missing=True)],
        {"menumode": 0, "loopmode": 0, "logomode": 0},
    )
    c._own(c.work / "missing")
    c.start([c.options.quorix], media.parent)
    c.wait_for(
        "the message box (light) over the black window",
        lambda s: 0.02 < s.fraction(screen, lambda p: min(p) > 180, step=4) < 0.5,
        timeout=15,
    )
    c.key("Return")
    status = c.wait_exit(15)
    c.check(status == 0, f"the presenter ended with status {status} after the message, not 0")
    stepping(c, screen)
    second_window(c, screen)


# The generated clips' white square moves 120 clip pixels a second at 25 frames a second, round
# a track of this many pixels.
SQUARE_STEP, SQUARE_TRACK = 120 / 25, CLIP_WIDTH - 2 * CLIP_BORDER - 32


def square_x(shot, screen):
    """The middle of the clip's white square across the screen, in clip pixels (the clip fills
    the window); None when no square shows."""
    xs = [x for x, y in shot.points(*screen, step=2) if min(shot.pixel(x, y)) > 225]
    return sum(xs) / len(xs) * CLIP_WIDTH / screen[2] if len(xs) > 8 else None


def stepping(c, screen):
    media = make_disc(
        c.work / "steps" / "quorix",
        [Clip("Steps", "steps.mpg", GREEN, seconds=8)],
        {"menumode": 0, "loopmode": 0, "logomode": 0},
    )
    c._own(c.work / "steps")
    c.start([c.options.quorix], media.parent)
    # The pointer rests on the clip's ground, above the square's track.
    x, y = screen[2] // 2, screen[3] // 4
    spot = (x - 2, y - 2, x + 24, y + 24)
    c.pointer(x, y)
    c.wait_for("the clip (green) playing", lambda s: filled(s, screen, GREEN, 0.4), timeout=15)
    c.check(filled(c.shot(), spot, GREEN, 0.99), "the pointer shows over the playing clip")
    c.key("space")
    held = c.wait_for("the picture held after Space", _standing_still(screen), timeout=5)
    c.check(
        all(c.shot().differing(held, screen, step=4) < 10 for _ in range(3)),
        "the paused picture changes",
    )

    def step(modifier, key, frames):
        keys = [modifier, key]
        before = square_x(c.shot(), screen)
        c.chord(modifier, key)
        after = c.wait_for(
            f"{'+'.join(keys)}: a new frame", lambda s: s.differing(held, screen, step=4) > 10, 5
        )
        now = square_x(after, screen)
        c.check(before is not None and now is not None, "the clip's square is not on screen")
        moved = (now - before) % SQUARE_TRACK
        moved = moved - SQUARE_TRACK if moved > SQUARE_TRACK / 2 else moved
        c.log(f"{'+'.join(keys)}: the square moved {moved:.1f} clip pixels")
        c.check(
            abs(moved - frames * SQUARE_STEP) < SQUARE_STEP / 2,
            f"{'+'.join(keys)} moved the picture by {moved / SQUARE_STEP:.2f} frames, not {frames}",
        )
        return after

    held = step("shift", "Right", 1)
    held = step("ctrl", "Right", 12)
    held = step("shift", "Left", -1)
    position_bar(c, screen, held, x, y, spot)
    c.key("Escape")
    status = c.wait_exit(15)
    c.check(status == 0, f"the presenter ended with status {status} after Esc, not 0")


def position_bar(c, screen, held, x, y, spot):
    """Over the paused clip the eighth move of the pointer brings up the position bar and the
    pointer; a click on the bar right of its handle seeks."""
    bottom = (0, screen[3] * 7 // 8, screen[2], screen[3])
    for moved in range(1, 9):
        c.pointer(x + moved, y)
    bar = c.wait_for(
        "the position bar and the pointer",
        lambda s: s.differing(held, bottom, step=2) > 50 and not filled(s, spot, GREEN, 0.99),
        timeout=5,
    )
    # The row of button, panel and two buttons, found by what it changed: the bar lies in the
    # panel, its right part a third of the row from the row's right end.
    changed = [p for p in bar.points(*bottom, 2) if bar.differing(held, (*p, p[0] + 1, p[1] + 1))]
    left, right = min(p[0] for p in changed), max(p[0] for p in changed)
    top, low = min(p[1] for p in changed), max(p[1] for p in changed)
    before = square_x(bar, screen)
    c.pointer(right - (right - left) // 3, (top + low) // 2, click=True)
    sought = c.wait_for(
        "a new frame after the click on the bar",
        lambda s: s.differing(bar, (0, 0, screen[2], bottom[1]), step=4) > 10,
        timeout=5,
    )
    now = square_x(sought, screen)
    c.check(before is not None and now is not None, "the clip's square is not on screen")
    moved = (now - before) % SQUARE_TRACK
    c.log(f"the click on the bar moved the square {moved:.1f} clip pixels")
    c.check(0 < moved < SQUARE_TRACK / 2, "the click right of the bar's handle did not seek on")


def second_window(c, screen):
    """A playable clip named .xyz: no device is named for it, and the second window shows."""
    media = c.work / "unknown" / "quorix"
    media.mkdir(parents=True)
    write_settings(media, {"menumode": 0, "logomode": 0}, ["Only"], {"Only": "clip.xyz"})
    make_small_clip(media / "clip.xyz", GREEN)
    c._own(c.work / "unknown")
    c.start([c.options.quorix], media.parent)
    # sway shows it full screen, as every window here, its picture at the screen's top left.
    design = Picture.from_bmp(Path(c.options.source_dir) / "src/ui/pictures/cannot-play.bmp")
    design = design.crop(0, 0, *SECOND_WINDOW_SIZE)
    c.wait_for(
        "the second window",
        lambda s: s.mismatch(design, 0, 0, tolerance=16, step=3) <= 0.05,
        timeout=15,
    )
    c.key("Return")
    status = c.wait_exit(15)
    c.check(status == 0, f"the presenter ended with status {status} after the window, not 0")


def _standing_still(screen):
    previous = []

    def test(shot):
        still = bool(previous) and shot.differing(previous[-1], screen, step=4) < 10
        previous[:] = [shot]
        return still

    return test


if __name__ == "__main__":
    wayland.run("sway", test)
