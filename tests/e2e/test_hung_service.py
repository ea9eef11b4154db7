#!/usr/bin/env python3
"""A session service that hangs at start-up: a screen saver service on the session bus that never
answers Inhibit, on a bare X server (no window manager), menu mode without an intro. The window
still comes up at once, and the first menu is laid out on the whole screen with every title."""

import harness
from media import BLUE, GREEN, Clip, make_disc
from picture import SCREEN_WIDTH, lit_lines

TITLE, HIGHLIGHT = (255, 255, 255), (255, 255, 16)
MENU_AREA = (150, 100, SCREEN_WIDTH - 150, 680)


def test(s):
    calls = s.screen_saver("--hang")
    media = make_disc(s.work / "quorix", [Clip("Welcome", "welcome.mpg", GREEN, 1),
                                          Clip("Blue Clip", "blue.mpg", BLUE, 1)],
                      {"menumode": 1, "intro": -1, "hilitecolor": "&H0010FFFF"},
                      {"color": "&H00FFFFFF", "bold": 1})
    s.start(media)
    asked = calls(20)
    s.check(asked and asked.startswith("Inhibit "), f"the service was not asked: {asked}")
    s.focused("the full-screen main window", harness.FULL)
    s.wait_for("the first menu whole, entry 1 lit",
               lambda shot: lit_lines(shot, MENU_AREA, TITLE, HIGHLIGHT, 2) == [0], timeout=10)
    s.key("Escape")
    s.check(s.wait_exit(10) == 0, "the presenter did not end well after Esc")


if __name__ == "__main__":
    harness.run(test)
