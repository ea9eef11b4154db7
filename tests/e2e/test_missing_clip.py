#!/usr/bin/env python3
"""A clip named in the settings but missing on disc: opening it shows "Having trouble in
initializing the MPEG video file. (1: 275)" (275: file not found). Closing the box with Return
leads to the closing logo and the end with logomode 1, or straight to the end without it; either
way the program ends with status 0.

Play-all with a logo, the only clip missing; then menu mode without a logo, the second entry
missing and chosen from the menu."""

import time
from pathlib import Path

import harness
from media import GREEN, Clip, make_disc
from picture import Picture
from screen_checks import centred, find_picture, highlighted_lines, wait_logo_and_end

MESSAGE = "Having trouble in initializing the MPEG video file. (1: 275)"
FONT = {"color": "&H00FFFFFF", "bold": 1}
TITLE, HIGHLIGHT = (255, 255, 255), (255, 255, 16)
MENU_AREA = (150, 100, 874, 680)


def test(s):
    logo = Picture.from_bmp(Path(s.options.source_dir) / "src/ui/pictures/logo.bmp")
    x0, y0 = centred(logo)

    # Play-all with the logo: the message, then the designed logo, then the end.
    media = make_disc(
        s.work / "first" / "quorix",
        [Clip("Gone", "gone.mpg", missing=True)],
        {"menumode": 0, "logomode": 1},
        FONT,
    )
    s.start_presenter(media.parent)
    _, box = s.message_box()
    s.key("Return")
    wait_logo_and_end(s, logo)
    s.check_message(box, MESSAGE)

    # Menu mode without the logo: choosing the missing entry ends the program after the box.
    media = make_disc(
        s.work / "second" / "quorix",
        [
            Clip("Here", "here.mpg", GREEN, seconds=1),
            Clip("Gone", "gone.mpg", missing=True),
        ],
        {"menumode": 1, "intro": -1, "logomode": 0, "hilitecolor": "&H0010FFFF"},
        FONT,
    )
    s.start_presenter(media.parent)
    s.main_window()

    def lit(entry):
        return lambda shot: highlighted_lines(shot, MENU_AREA, TITLE, HIGHLIGHT, 2) == [entry]

    s.wait_for("the menu with entry 1 highlighted", lit(0))
    s.key("Down")
    s.wait_for("the highlight on entry 2", lit(1), timeout=5)
    s.key("Return")
    _, box = s.message_box()
    s.key("Return")
    closed = time.monotonic()
    while s.presenter.poll() is None and time.monotonic() - closed < 5:
        shot = s.shot()
        s.check(not find_picture(shot, logo, x0, y0)[2], "the logo shows with logomode 0")
    status = s.wait_exit(5)
    s.log(f"ended {time.monotonic() - closed:.1f} s after the box closed")
    s.check(status == 0, f"exit status {status}, not 0")
    s.check_message(box, MESSAGE)


if __name__ == "__main__":
    harness.run(test)
