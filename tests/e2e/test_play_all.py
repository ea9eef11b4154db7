#!/usr/bin/env python3
"""Play-all without a menu, a loop or a logo: every clip plays in turn over the whole window,
with the pointer blank and the whole picture shown (no overscan), and the program ends with
status 0 on the tick after the last clip, without a logo."""

import time
from pathlib import Path

import harness
from harness import FULL_SCREEN, SCREEN_HEIGHT, SCREEN_WIDTH
from media import BLUE, BORDER, CLIP_BORDER, CLIP_HEIGHT, CLIP_WIDTH, GREEN, RED, Clip, make_disc
from picture import Picture
from screen_checks import band_width, centred, filled, find_picture

CLIPS = [
    Clip("Red", "red.mpg", RED, seconds=1.5),
    Clip("Green", "green.mpg", GREEN, seconds=1.5),
    Clip("Blue", "blue.mpg", BLUE, seconds=1.5),
]


def showing(clip):
    return lambda shot: filled(shot, FULL_SCREEN, clip.colour, share=0.6)


def test(s):
    settings = {"menumode": 0, "loopmode": 0, "logomode": 0}
    media = make_disc(s.work / "disc" / "quorix", CLIPS, settings)
    s.start_presenter(media.parent)
    s.main_window()

    for number, clip in enumerate(CLIPS):
        later = CLIPS[number + 1 :]

        def in_turn(shot, clip=clip, later=later):
            for other in later:
                s.check(not showing(other)(shot), f"{other.title} played before {clip.title}")
            return showing(clip)(shot)

        shot = s.wait_for(
            f"clip {number + 1} ({clip.title}) over the whole window", in_turn, timeout=10
        )
        s.wait_pointer(False, f"while {clip.title} plays")

    # Without overscan the picture fills the window exactly: its whole border band shows.
    across = CLIP_BORDER * SCREEN_WIDTH / CLIP_WIDTH
    down = CLIP_BORDER * SCREEN_HEIGHT / CLIP_HEIGHT
    left = band_width(shot, (0, 200), (1, 0), BORDER, BLUE)
    top = band_width(shot, (200, 0), (0, 1), BORDER, BLUE)
    s.log(f"border band: left {left} (expected {across:.1f}), top {top} (expected {down:.1f})")
    s.check(abs(left - across) <= 4, f"{left} pixels of the left border band, not {across:.1f}")
    s.check(abs(top - down) <= 4, f"{top} pixels of the top border band, not {down:.1f}")

    # After the last clip: no logo, the end within a tick or two.
    logo = Picture.from_bmp(Path(s.options.source_dir) / "src/ui/pictures/logo.bmp")
    x0, y0 = centred(logo)
    seen = time.monotonic()
    while s.presenter.poll() is None and time.monotonic() - seen < 8:
        s.check(not find_picture(s.shot(), logo, x0, y0)[2], "a logo shows with logomode 0")
    status = s.wait_exit(2)
    s.log(f"ended {time.monotonic() - seen:.1f} s after the last clip was seen")
    s.check(status == 0, f"exit status {status}, not 0")


if __name__ == "__main__":
    harness.run(test)
