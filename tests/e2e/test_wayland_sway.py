#!/usr/bin/env python3
"""The sample disc natively on Wayland under sway: the intro plays (its picture changes), the
menu follows with entry 1 highlighted, keys from the compositor's virtual keyboard choose
"Sunrise", which plays and ends back in the menu on its entry, and Esc ends the program with
status 0. A clip missing on disc brings up the message box, which Return closes: the program
then ends with status 0.
"""

import wayland
from media import Clip, make_disc
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


if __name__ == "__main__":
    wayland.run("sway", test)
