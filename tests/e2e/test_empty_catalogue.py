#!/usr/bin/env python3
"""A settings file without a clip list: the presenter shows "Video file(s) not found! Sorry,
cannot play anything." in a message box titled "Quorix", never shows its main window, and ends
with status 1 once the box is closed with Return."""

import harness
from harness import FULL_SCREEN, SCREEN_HEIGHT, SCREEN_WIDTH
from media import write_settings
from picture import dark

MESSAGE = "Video file(s) not found! Sorry, cannot play anything."


def test(s):
    media = s.work / "disc" / "quorix"
    media.mkdir(parents=True)
    write_settings(media, {"menumode": 1, "intro": -1, "logomode": 1}, [], {})

    s.start_presenter(media.parent)
    _, box = s.message_box()
    s.check(
        not [w for w in s.windows_named("Quorix") if w[1:] == (SCREEN_WIDTH, SCREEN_HEIGHT)],
        "the main window is on screen behind the message",
    )
    screen = s.shot("screen with the message box")
    s.check(
        screen.fraction((0, 0, SCREEN_WIDTH, 150), dark) > 0.99
        and screen.fraction((0, SCREEN_HEIGHT - 150) + FULL_SCREEN[2:], dark) > 0.99,
        "something besides the message box is drawn on the screen",
    )
    s.key("Return")
    status = s.wait_exit(10)
    s.check(status == 1, f"exit status {status}, not 1")
    s.check_message(box, MESSAGE)


if __name__ == "__main__":
    harness.run(test)
