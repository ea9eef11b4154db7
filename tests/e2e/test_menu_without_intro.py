#!/usr/bin/env python3
"""Menu mode without an intro, from a media folder whose name has a blank ("Quorix Disc", the
current directory, so the folder itself is the media folder), with a clip named in upper case on
disc and in lower case in the settings, wide mode and an overscan margin, no pictures.

The menu comes up at once with entry 1 lit, inside the 16:9 video area; Down, Enter plays the
second clip inside that area only, its outer margin cut off on every side, the pointer blank;
at its end the menu returns lit on entry 2; the third clip started and left with Esc brings the
menu back at once; Esc in the menu shows the designed logo for 3 to 4 seconds and the program
ends with status 0."""

import time
from pathlib import Path

import harness
from harness import SCREEN_HEIGHT, SCREEN_WIDTH
from media import BLUE, BORDER, CLIP_BORDER, CLIP_HEIGHT, CLIP_WIDTH, GREEN, RED, Clip, make_disc
from picture import Picture, dark
from screen_checks import band_width, centred, filled, highlighted_lines, wait_logo_and_end

OVERSCAN = 40
# Wide mode on a 4:3 screen: the video area is the full width and 9/16 of it high, centred.
AREA_HEIGHT = SCREEN_WIDTH * 9 // 16
AREA_TOP = (SCREEN_HEIGHT - AREA_HEIGHT) // 2
AREA = (0, AREA_TOP, SCREEN_WIDTH, AREA_TOP + AREA_HEIGHT)
ABOVE = (0, 0, SCREEN_WIDTH, AREA_TOP - 4)
BELOW = (0, AREA_TOP + AREA_HEIGHT + 4, SCREEN_WIDTH, SCREEN_HEIGHT)
TITLE, HIGHLIGHT = (255, 255, 255), (255, 255, 16)
MENU_AREA = (150, AREA_TOP, SCREEN_WIDTH - 150, AREA_TOP + AREA_HEIGHT)
CLIPS = [
    Clip("Red Clip", "red.mpg", RED, seconds=1),
    Clip("Green Clip", "green.mpg", GREEN, seconds=2, on_disc="GREEN.MPG"),
    Clip("Blue Clip", "blue.mpg", BLUE, seconds=8),
]


def lit(entry):
    return lambda shot: highlighted_lines(shot, MENU_AREA, TITLE, HIGHLIGHT, 3) == [entry]


def no_clip_on(shot):
    return not any(filled(shot, AREA, clip.colour, share=0.3) for clip in CLIPS)


def clip_in_area(colour):
    """The clip fills the video area and nothing outside it."""
    return lambda shot: (
        filled(shot, AREA, colour, share=0.5)
        and shot.fraction(ABOVE, dark) > 0.98
        and shot.fraction(BELOW, dark) > 0.98
    )


def check_margins(s, shot):
    """The picture is drawn OVERSCAN pixels larger than the area on every side, so that much of
    its border band is cut off: what is left of the band on each edge."""
    across = (SCREEN_WIDTH + 2 * OVERSCAN) / CLIP_WIDTH
    down = (AREA_HEIGHT + 2 * OVERSCAN) / CLIP_HEIGHT
    wide, high = CLIP_BORDER * across - OVERSCAN, CLIP_BORDER * down - OVERSCAN
    row, column = AREA_TOP + 100, 200  # clear of the moving square
    bottom = AREA_TOP + AREA_HEIGHT - 1
    edges = {
        "left": (band_width(shot, (0, row), (1, 0), BORDER, GREEN), wide),
        "right": (band_width(shot, (SCREEN_WIDTH - 1, row), (-1, 0), BORDER, GREEN), wide),
        "top": (band_width(shot, (column, AREA_TOP), (0, 1), BORDER, GREEN), high),
        "bottom": (band_width(shot, (column, bottom), (0, -1), BORDER, GREEN), high),
    }
    s.log(
        "border band left on each edge: "
        + ", ".join(f"{edge} {seen} (expected {want:.1f})" for edge, (seen, want) in edges.items())
    )
    for edge, (seen, expected) in edges.items():
        s.check(
            abs(seen - expected) <= 4,
            f"{edge} edge: {seen} pixels of the clip's border band show, expected "
            f"{expected:.1f} with an overscan of {OVERSCAN}",
        )


def test(s):
    media = s.work / "Quorix Disc"
    make_disc(
        media,
        CLIPS,
        {
            "widemode": 1,
            "menumode": 1,
            "intro": -1,
            "overscan": OVERSCAN,
            "hilitecolor": "&H0010FFFF",
            "logomode": 1,
        },
        {"color": "&H00FFFFFF", "bold": 1},
    )
    s.check((media / "GREEN.MPG").exists() and not (media / "green.mpg").exists(), "GREEN.MPG")

    s.start_presenter(media)
    s.main_window()

    # No intro: the menu is the first thing shown, inside the video area.
    def menu_first(shot):
        s.check(no_clip_on(shot), "a clip played before the menu, though there is no intro")
        return lit(0)(shot)

    s.wait_for("the menu with entry 1 highlighted", menu_first, timeout=10)
    s.wait_pointer(True, "in the menu")

    s.key("Down")
    s.wait_for("the highlight on entry 2", lit(1), timeout=5)
    s.key("Return")
    shot = s.wait_for(
        "the second clip (green) in the video area only", clip_in_area(GREEN), timeout=10
    )
    s.wait_pointer(False, "while the second clip plays")
    check_margins(s, shot)

    s.wait_for("the menu back with entry 2 highlighted", lit(1), timeout=10)
    s.wait_pointer(True, "in the menu after the clip")

    # Esc while the third clip plays: back to the menu long before the clip's end.
    s.key("Down")
    s.wait_for("the highlight on entry 3", lit(2), timeout=5)
    s.key("Return")
    s.wait_for("the third clip (blue) in the video area only", clip_in_area(BLUE), timeout=10)
    s.key("Escape")
    pressed = time.monotonic()
    s.wait_for("the menu back at once after Esc, entry 3 highlighted", lit(2), timeout=4)
    s.log(f"menu back {time.monotonic() - pressed:.1f} s after Esc")

    # Esc in the menu: the designed logo, centred on the screen, then the end.
    logo = Picture.from_bmp(Path(s.options.source_dir) / "src/ui/pictures/logo.bmp")
    s.key("Escape")
    wait_logo_and_end(s, logo)


if __name__ == "__main__":
    harness.run(test)
