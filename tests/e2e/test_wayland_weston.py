#!/usr/bin/env python3
"""The sample disc natively on Wayland under weston's headless back end, which has no keyboard
and so never activates the window: the intro plays all the same and the menu follows it.
"""

import wayland
from screen_checks import filled, highlighted_lines
from wayland import HIGHLIGHT, TITLE, WELCOME_RED, moving


def test(c):
    root = c.copy_sample_disc()
    c.start([c.options.quorix], root)
    screen = (0, 0, 1024, 768)
    c.wait_for("the intro (red) over the window", lambda s: filled(s, screen, WELCOME_RED, 0.6))
    c.wait_for("the intro running", moving(screen), timeout=5)
    c.wait_for(
        "the menu with entry 1 highlighted",
        lambda s: highlighted_lines(s, (150, 100, 874, 680), TITLE, HIGHLIGHT, 4) == [0],
        timeout=15,
    )


if __name__ == "__main__":
    wayland.run("weston", test)
