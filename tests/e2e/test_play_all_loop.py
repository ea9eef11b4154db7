#!/usr/bin/env python3
"""Play-all with loop mode: after the last clip the first plays again, and on; Esc during
playback shows the closing logo (logomode 1, the logo.bmp of the media folder) for 3 to 4
seconds, and the program ends with status 0."""


import harness
from harness import FULL_SCREEN
from media import GREEN, RED, Clip, make_disc
from picture import Picture
from screen_checks import centred, filled, wait_logo_and_end

CLIPS = [Clip("Red", "red.mpg", RED, seconds=1.5), Clip("Green", "green.mpg", GREEN, seconds=1.5)]


def showing(clip):
    return lambda shot: filled(shot, FULL_SCREEN, clip.colour, share=0.6)


def test(s):
    settings = {"menumode": 0, "loopmode": 1, "logomode": 1}
    media = make_disc(s.work / "disc" / "quorix", CLIPS, settings)
    # A logo of the folder's own, so the test sees that it is read and centred.
    s.tool(
        "convert", "-size", "300x250", "radial-gradient:#f0a030-#102060",
        "-type", "TrueColor", f"BMP3:{media / 'logo.bmp'}",
    )
    logo = Picture.from_bmp(media / "logo.bmp")

    s.start_presenter(media.parent)
    s.main_window()
    red, green = (showing(clip) for clip in CLIPS)
    s.wait_for("the first clip (red)", red, timeout=10)
    s.wait_for("the second clip (green)", green, timeout=10)
    s.wait_for("the first clip again after the last", red, timeout=10)
    s.wait_pointer(False, "while the clips loop")

    s.key("Escape")
    wait_logo_and_end(s, logo)


if __name__ == "__main__":
    harness.run(test)
