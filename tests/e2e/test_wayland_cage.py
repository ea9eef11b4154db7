#!/usr/bin/env python3
"""The sample disc natively on Wayland under cage, the kiosk compositor: the intro plays (its
picture changes) and the menu follows with entry 1 highlighted.
"""

import wayland
from screen_checks import filled, highlighted_lines
from wayland import HIGHLIGHT, TITLE, WELCOME_RED, moving


def test(c):
    root = c.copy_sample_disc()
    c.start([c.options.quorix], root)
    first = c.wait_for("a first picture", lambda shot: shot.width > 0, timeout=10)
    screen = (0, 0, first.width, first.height)
    menu = (first.width // 7, first.height // 8, first.width * 6 // 7, first.height * 7 // 8)
    c.wait_for("the intro (red) over the window", lambda s: filled(s, screen, WELCOME_RED, 0.6))
    c.wait_for("the intro running", moving(screen), timeout=5)
    c.wait_for(
        "the menu with entry 1 highlighted",
        lambda s: highlighted_lines(s, menu, TITLE, HIGHLIGHT, 4) == [0],
        timeout=15,
    )


if __name__ == "__main__":
    wayland.run("cage", test)
